#include "main_window.h"
#include "menu_names.h"

#include "menu_tree.h"
#include "page_preview.h"
#include "qt_message_boxes.h"
#include "saved_file_offer.h"
#include "status_log.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace folivo {

MainWindow::MainWindow(MainWindowDeps deps, QWidget* parent)
    : QMainWindow(parent), m_statusLog(std::make_unique<StatusLog>()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Folivo"));
    if (deps.scanner) {
        m_scanner = deps.scanner;
    } else {
        m_ownedScanner = CreateScannerLibrary();
        m_scanner = m_ownedScanner.get();
    }
    if (deps.messageBoxes) {
        m_messageBoxes = deps.messageBoxes;
    } else {
        m_ownedMessageBoxes = std::make_unique<QtMessageBoxes>(this);
        m_messageBoxes = m_ownedMessageBoxes.get();
    }
    m_document = new PageDocument(this);
    buildMenus();
    buildClientArea();
    m_savedFile = new SavedFileOffer(m_status, deps.urlOpener);
    installViewCommands();
    setCommand(menu::kSorce, [this] { m_scanner->TWAIN_SelectImageSource(this); });
    setCommand(menu::kClip, [this] { m_scanner->TWAIN_AcquireToClipboard(this, 0); });
    setCommand(menu::kExit, [this] { close(); });
}

MainWindow::~MainWindow() {
    closeWorkFolder();
}

void MainWindow::buildMenus() {
    BuiltMenus built = BuildMenus(menuBar(), MainMenuTree());
    m_actions = std::move(built.actions);
    m_menus = std::move(built.menus);
    for (const QString& name :
         {QString(menu::kDialogON), QString(menu::kDialogOFF), QString(menu::kToolbar)})
        m_actions.value(name)->setCheckable(true);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (m_menus.contains(it.key()))
            continue;
        QAction* item = it.value();
        const QString name = it.key();
        connect(item, &QAction::triggered, this, [this, item, name](bool checked) {
            // Qt flips a checkable item before telling us; the command alone moves the
            // check mark (and leaves it when its setting could not be stored).
            if (item->isCheckable())
                item->setChecked(!checked);
            runCommand(name);
        });
    }
}

void MainWindow::SetStatus(const QString& message) {
    m_status->setText(message);
    m_status->setCursorPosition(0);
    m_status->repaint();
    m_statusLog->append(message);
}

void MainWindow::ShowMessage(const QString& title, const QString& prompt) {
    m_messageBoxes->information(title, prompt);
    SetStatus(title);
}

void MainWindow::OfferSavedFile(const QString& path) {
    m_savedFile->offer(path);
}

QString MainWindow::statusText() const {
    return m_status->text();
}

void MainWindow::setCommand(const QString& itemName, std::function<void()> command) {
    if (command)
        m_commands.insert(itemName, std::move(command));
    else
        m_commands.remove(itemName);
}

bool MainWindow::hasCommand(const QString& itemName) const {
    return m_commands.contains(itemName);
}

void MainWindow::runCommand(const QString& itemName) {
    // A copy: the command may replace itself or close the window.
    const std::function<void()> command = m_commands.value(itemName);
    if (command)
        command();
}

QAction* MainWindow::action(const QString& itemName) const {
    return m_actions.value(itemName);
}

QMenu* MainWindow::menu(const QString& itemName) const {
    return m_menus.value(itemName);
}

void MainWindow::setMenuEnabled(const QString& menuName, bool enabled) {
    QMenu* submenu = m_menus.value(menuName);
    if (!submenu)
        return;
    submenu->menuAction()->setEnabled(enabled);
    // The items too, so that their shortcuts follow the menu.
    for (QAction* item : submenu->actions())
        if (!item->isSeparator())
            item->setEnabled(enabled);
}

namespace {
void setControlsEnabled(std::vector<QPointer<QWidget>>& controls, bool enabled) {
    std::erase_if(controls, [](const QPointer<QWidget>& control) { return control.isNull(); });
    for (const QPointer<QWidget>& control : controls)
        control->setEnabled(enabled);
}
} // namespace

void MainWindow::setSaveCommandsEnabled(bool enabled) {
    setMenuEnabled(menu::kSave, enabled);
    setControlsEnabled(m_saveControls, enabled);
}

void MainWindow::setScannerCommandsEnabled(bool enabled) {
    setMenuEnabled(menu::kTwain, enabled);
    setMenuEnabled(menu::kView, enabled);
    setControlsEnabled(m_scannerControls, enabled);
}

void MainWindow::addSaveControl(QWidget* control) {
    if (control)
        m_saveControls.emplace_back(control);
}

void MainWindow::addScannerControl(QWidget* control) {
    if (control)
        m_scannerControls.emplace_back(control);
}

void MainWindow::registerWindow(QWidget* window) {
    if (!window)
        return;
    std::erase_if(m_windows, [](const QPointer<QWidget>& w) { return w.isNull(); });
    for (const QPointer<QWidget>& known : m_windows)
        if (known == window)
            return;
    m_windows.emplace_back(window);
}

QWidget* MainWindow::showSingleWindow(const QString& key, const std::function<QWidget*()>& create) {
    QPointer<QWidget> window = m_singleWindows.value(key);
    if (window.isNull()) {
        window = create ? create() : nullptr;
        if (window.isNull())
            return nullptr;
        m_singleWindows.insert(key, window);
        registerWindow(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ReleaseImage();
    closeWorkFolder();
    std::vector<QPointer<QWidget>> windows = m_windows;
    // Dialogs owned by this window count as the program's windows too.
    for (QWidget* child : findChildren<QWidget*>())
        if (child->isWindow() && child->isVisible())
            windows.emplace_back(child);
    for (const QPointer<QWidget>& window : windows) {
        if (window.isNull() || window == this)
            continue;
        window->close();
        if (!window.isNull() && window->isVisible())
            window->hide(); // the close is never cancelled, not even by a dialog
    }
    event->accept();
}

} // namespace folivo
