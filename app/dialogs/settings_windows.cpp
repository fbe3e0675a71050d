#include "settings_windows.h"

#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "dialog_geometry.h"
#include "program_state.h"
#include "system_info.h"

namespace folivo {
namespace {

// Brings an open window to the front, or makes it, centres it on the main window and shows
// it. Answers the window.
template <typename Window, typename Make>
Window* ShowOnce(QPointer<Window>& slot, QWidget* mainWindow, Make make) {
    if (!slot) {
        slot = make();
        CentreOn(slot, mainWindow);
    }
    if (slot->isMinimized())
        slot->showNormal();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

} // namespace

SettingsWindows::SettingsWindows(QWidget* mainWindow, ProgramState& state, MessageBoxes& messages,
                                 DialogServices services)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_state(state), m_messages(messages),
      m_services(std::move(services)) {}

SettingsWindows::~SettingsWindows() {
    closeAll();
}

void SettingsWindows::showAutosave(const QString& format) {
    m_state.autosaveFormat = format;
    ShowOnce(m_autosave, m_mainWindow, [&] {
        return new frmAutosave(m_state.autosaveFormat, m_services.folderPicker, m_messages,
                               m_mainWindow);
    });
}

void SettingsWindows::showCompressionJpeg() {
    ShowOnce(m_jpeg, m_mainWindow, [&] { return new frmCompJPEG(m_mainWindow); });
}

void SettingsWindows::showCompressionPdf() {
    ShowOnce(m_pdf, m_mainWindow, [&] { return new frmCompPDF(m_mainWindow); });
}

void SettingsWindows::showAbout() {
    ShowOnce(m_about, m_mainWindow, [&] {
        return new frmAbout(m_services.registry, m_services.launcher, m_messages, m_mainWindow);
    });
}

void SettingsWindows::openManual() {
    OpenManual(*m_services.urlOpener);
}

void SettingsWindows::closeAll() {
    // Closing stores nothing; each window deletes itself (later, so no caller is left with
    // a dangling window). Deleted at once here so a closed window never reappears.
    const QList<QWidget*> open = {m_autosave, m_jpeg, m_pdf, m_about};
    for (QWidget* window : open) {
        if (window) {
            window->close();
            delete window;
        }
    }
}

} // namespace folivo
