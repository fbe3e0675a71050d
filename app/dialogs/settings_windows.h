#pragma once
// The settings and information windows of the main window, which owns one instance.
//
// Each window (frmAutosave, frmCompJPEG, frmCompPDF, frmAbout) is modeless and exists at
// most once: a show call while it is open brings it to the front without loading it again;
// after it closed, the next show call creates it anew, so it reads the settings file anew.
// - showAutosave(format) sets state.autosaveFormat to "BMP", "JPEG" or "PDF" first, as the
//   menu does. An automatic-save window that is already open keeps the format it was
//   opened with.
// - openManual() hands Manual/html/index.htm under the program folder to the desktop and
//   reports nothing when that fails.
// - closeAll() closes every open window without storing anything (main window shutdown).
//   The destructor does the same.
// The object is a child of the main window (deleted with it, or earlier by its owner); the
// windows are the main window's children too. state and messages are borrowed and must
// outlive this object.
#include "dialog_ports.h"

#include <QObject>
#include <QPointer>

namespace folivo {

struct ProgramState;
class MessageBoxes;
class frmAutosave;
class frmCompJPEG;
class frmCompPDF;
class frmAbout;

class SettingsWindows : public QObject {
    Q_OBJECT
public:
    SettingsWindows(QWidget* mainWindow, ProgramState& state, MessageBoxes& messages,
                    DialogServices services = PlatformDialogServices());
    ~SettingsWindows() override;

    void showAutosave(const QString& format);
    void showCompressionJpeg();
    void showCompressionPdf();
    void showAbout();
    void openManual();
    void closeAll();

    // The open windows, or nullptr when closed.
    frmAutosave* autosaveWindow() const { return m_autosave; }
    frmCompJPEG* jpegWindow() const { return m_jpeg; }
    frmCompPDF* pdfWindow() const { return m_pdf; }
    frmAbout* aboutWindow() const { return m_about; }

private:
    QWidget* m_mainWindow;
    ProgramState& m_state;
    MessageBoxes& m_messages;
    DialogServices m_services;
    QPointer<frmAutosave> m_autosave;
    QPointer<frmCompJPEG> m_jpeg;
    QPointer<frmCompPDF> m_pdf;
    QPointer<frmAbout> m_about;
};

} // namespace folivo
