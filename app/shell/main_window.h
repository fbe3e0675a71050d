#pragma once
// frmMain: the program's only top-level window and the owner of all shared state.
//
// Contract for the pieces that plug into it:
// - Construction builds the menu bar, the preview, the status row and the separator;
//   it runs no start-up step. Load() runs the start-up sequence once (settings, start
//   message, "tmp" folder and this window's work folder in it, disabled save commands,
//   scanner check, clean-up of work folders whose owner is gone: empty ones go, those
//   with pages are kept, locked, in abandonedFolders()).
// - Closing removes the window's work folder with its single-scan page files; gathered
//   or kept multi-page sheets stay in it for the next start to offer back.
//   Wire commands and toolbar controls first, then call Load(), then show().
// - Every menu item is a QAction whose objectName is the item's name ("menuScan");
//   submenus are QMenus with the item's name ("menuTwain") and action(name) gives their
//   menu action. Choosing an item runs the command set with setCommand(); an item
//   without a command does nothing. Check marks never move by themselves: the command
//   sets them. runCommand() lets toolbar buttons run the same commands.
// - setSaveCommandsEnabled/setScannerCommandsEnabled switch the menu items and every
//   control added with addSaveControl/addScannerControl (the toolbar buttons).
// - Windows registered with registerWindow() (or shown through showSingleWindow()) are
//   closed when the main window closes; closing is never cancelled.
// - Geometry of the client area is in twips (1/1440 inch) at the screen's logical dpi;
//   the toolbar strip (toolbar offset, top of the client area) is left for the toolbar.
// - FOLIVO_STATUS_LOG=<file>: every status line is also appended to that file (UTF-8,
//   one line each), so scripts can watch the window from outside.
#include "page_document.h"
#include "program_state.h"
#include "scanner_library.h"
#include "ui_ports.h"
#include "work_folder.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QLabel;
class QMenu;

namespace folivo {

class PagePreview;
class SavedFileOffer;
class StatusLog;
class UrlOpener;

struct MainWindowDeps {
    ScannerLibrary* scanner = nullptr;    // not owned; null: CreateScannerLibrary(), owned
    MessageBoxes* messageBoxes = nullptr; // not owned; null: QMessageBox boxes, owned
    UrlOpener* urlOpener = nullptr;       // not owned; null: the desktop's default programs
};

class MainWindow : public QMainWindow, public StatusReporter {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowDeps deps = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up sequence of the window's load event; runs once, later calls do nothing.
    void Load();

    // StatusReporter
    void SetStatus(const QString& message) override;
    void ShowMessage(const QString& title, const QString& prompt) override;
    void OfferSavedFile(const QString& path) override; // buttons in the status line
    QString statusText() const;

    // Commands by menu item name.
    void setCommand(const QString& itemName, std::function<void()> command);
    bool hasCommand(const QString& itemName) const;
    void runCommand(const QString& itemName);
    QAction* action(const QString& itemName) const; // item or submenu action; null if unknown
    QMenu* menu(const QString& itemName) const;     // submenus only

    // "名前を付けて保存" with its items, and the save controls added below.
    void setSaveCommandsEnabled(bool enabled);
    // "TWAINデバイス" and "表示(&V)" with their items, and the scanner controls added below.
    void setScannerCommandsEnabled(bool enabled);
    void addSaveControl(QWidget* control);
    void addScannerControl(QWidget* control);

    // Modeless windows of the program, closed with the main window.
    void registerWindow(QWidget* window);
    // Shows the window registered under key, creating it with create() the first time
    // (or after it was destroyed); an open one is brought to the front, not made again.
    QWidget* showSingleWindow(const QString& key, const std::function<QWidget*()>& create);

    // Shared state and components.
    ProgramState& state() { return m_state; }
    ScannerLibrary& scanner() { return *m_scanner; }
    MessageBoxes& messageBoxes() { return *m_messageBoxes; }
    PageDocument& document() { return *m_document; }
    PagePreview* preview() const { return m_preview; }

    NativeHandle imageHandle() const { return m_imageHandle; }
    void setImageHandle(NativeHandle image) { m_imageHandle = image; }
    NativeHandle paletteHandle() const { return m_paletteHandle; }
    void setPaletteHandle(NativeHandle palette) { m_paletteHandle = palette; }
    void EnsureTempFolder();
    void ReleaseImage();
    // Pages that earlier runs left unsaved (a crash, a kill, kept sheets), found at start.
    std::vector<AbandonedFolder>& abandonedFolders() { return m_abandoned; }

    // Client area (parent of the toolbar buttons) and its layout pass.
    QWidget* clientArea() const;
    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    void Layout();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildClientArea();
    void installViewCommands();
    void setDialogOption(bool showDialog);
    void toggleToolbar();
    void applyToolbarFlag();
    void applyDialogFlag();
    void openWorkFolder();
    void closeWorkFolder();
    void setMenuEnabled(const QString& menuName, bool enabled);

    std::unique_ptr<ScannerLibrary> m_ownedScanner;
    std::unique_ptr<MessageBoxes> m_ownedMessageBoxes;
    ScannerLibrary* m_scanner = nullptr;
    MessageBoxes* m_messageBoxes = nullptr;
    std::unique_ptr<StatusLog> m_statusLog;

    ProgramState m_state;
    NativeHandle m_imageHandle = 0;
    NativeHandle m_paletteHandle = 0;
    bool m_loaded = false;
    std::unique_ptr<WorkFolder> m_workFolder;
    std::vector<AbandonedFolder> m_abandoned; // other runs' unsaved pages, held locked

    PageDocument* m_document = nullptr;
    PagePreview* m_preview = nullptr;
    QLineEdit* m_status = nullptr;
    QLabel* m_statusIcon = nullptr;
    SavedFileOffer* m_savedFile = nullptr;
    QWidget* m_line1 = nullptr;
    QWidget* m_line2 = nullptr;

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, std::function<void()>> m_commands;
    std::vector<QPointer<QWidget>> m_saveControls;
    std::vector<QPointer<QWidget>> m_scannerControls;
    std::vector<QPointer<QWidget>> m_windows;
    QHash<QString, QPointer<QWidget>> m_singleWindows;
};

} // namespace folivo
