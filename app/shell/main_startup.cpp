// The main window's start-up sequence and the resources it owns.
#include "main_window.h"
#include "menu_names.h"

#include "program_paths.h"
#include "settings.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace folivo {

namespace {
const QString kUnreadableSettings =
    QStringLiteral("設定ファイル Folivo.ini が UTF-8 で読めないため、設定の変更は保存しません。");
const QString kStartMessage = QStringLiteral("アプリケーションを開始しました。");
const QString kNoScannerTitle = QStringLiteral("TWAINデバイスが見つかりません。");
const QString kNoScannerPrompt =
    QStringLiteral("TWAINデバイスが見つかりません。\r\n"
                   "ソフトを使用する場合は、TWAINデバイスをインストール後、\r\n"
                   "アプリケーションを再起動させてください。");

// "Unless it reads as false": an absent or unreadable value counts as true.
bool ReadsAsTrue(const QString& section, const QString& key) {
    return ParseSettingBool(ReadSetting(section, key, QStringLiteral("True"))).value_or(true);
}
} // namespace

void MainWindow::Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    m_state.currentImageFile.clear();
    applyToolbarFlag();
    SetStatus(kStartMessage);
    EnsureTempFolder();
    setSaveCommandsEnabled(false); // no page yet
    if (m_scanner->TWAIN_IsAvailable() == 0) {
        setScannerCommandsEnabled(false);
        ShowMessage(kNoScannerTitle, kNoScannerPrompt);
    } else {
        applyDialogFlag();
    }
    openWorkFolder();
    Layout();
    if (SettingsFileIsUnreadableText())
        SetStatus(kUnreadableSettings);
}

void MainWindow::applyToolbarFlag() {
    const bool shown = ReadsAsTrue(QStringLiteral("ToolBar"), QStringLiteral("Flag"));
    action(menu::kToolbar)->setChecked(shown);
    m_state.toolbarOffset = shown ? kToolbarOffsetTwips : 0;
}

void MainWindow::applyDialogFlag() {
    const bool showDialog = ReadsAsTrue(QStringLiteral("TWAIN"), QStringLiteral("Dialog"));
    action(menu::kDialogON)->setChecked(showDialog);
    action(menu::kDialogOFF)->setChecked(!showDialog);
    m_scanner->TWAIN_SetHideUI(showDialog ? 0 : 1);
}

void MainWindow::EnsureTempFolder() {
    const QString folder = TempFolder();
    if (!QFileInfo(folder).isDir())
        (void)QDir().mkdir(folder); // a failure is not reported
}

void MainWindow::ReleaseImage() {
    m_paletteHandle = 0;
    if (m_imageHandle != 0) {
        m_scanner->TWAIN_FreeNative(m_imageHandle);
        m_imageHandle = 0;
    }
}

void MainWindow::openWorkFolder() {
    const QString tmp = TempFolder();
    m_abandoned = ClaimAbandonedFolders(tmp);
    m_workFolder = std::make_unique<WorkFolder>(tmp);
    m_state.workFolder = m_workFolder->path();
}

void MainWindow::closeWorkFolder() {
    if (m_workFolder && !HoldsSheets(m_workFolder->path()))
        m_workFolder->remove();
    m_workFolder.reset();
    m_state.workFolder.clear();
    m_abandoned.clear(); // unlocked; whatever was not dealt with is offered next time
}

void MainWindow::installViewCommands() {
    setCommand(menu::kDialogON, [this] { setDialogOption(true); });
    setCommand(menu::kDialogOFF, [this] { setDialogOption(false); });
    setCommand(menu::kToolbar, [this] { toggleToolbar(); });
}

void MainWindow::setDialogOption(bool showDialog) {
    const QString value = showDialog ? QStringLiteral("True") : QStringLiteral("False");
    if (WriteSetting(QStringLiteral("TWAIN"), QStringLiteral("Dialog"), value) != 1)
        return; // nothing moves when the choice cannot be stored
    action(menu::kDialogON)->setChecked(showDialog);
    action(menu::kDialogOFF)->setChecked(!showDialog);
    m_scanner->TWAIN_SetHideUI(showDialog ? 0 : 1);
}

void MainWindow::toggleToolbar() {
    QAction* item = action(menu::kToolbar);
    const bool show = !item->isChecked();
    const QString value = show ? QStringLiteral("True") : QStringLiteral("False");
    if (WriteSetting(QStringLiteral("Toolbar"), QStringLiteral("Flag"), value) != 1)
        return;
    item->setChecked(show);
    m_state.toolbarOffset = show ? kToolbarOffsetTwips : 0;
    Layout();
}

} // namespace folivo
