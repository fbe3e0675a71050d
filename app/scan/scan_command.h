#pragma once
// The scan command (menu "読み取り", Ctrl+R): one page from the default source into a
// numbered temporary BMP file, onto the preview as a one-page document, then saved
// automatically in every format that is switched on.
//
// Contract of run(), in this order:
// 1. The JPEG parameters are read (they hold for this scan's automatic JPEG).
// 2. ScanHost::ReleaseImage frees the previous page's handles; the previous page stays on
//    the preview and in ProgramState::currentImageFile.
// 3. AcquirePage: temporary folder made, a "TMPnnnnn.BMP" name reserved under
//    TempFolder(), the source opened (only -1 gives up), the page acquired (the source's
//    dialog shown unless hidden), its palette made, measured and written. The handles go
//    to the host as soon as they exist. When the page is written it becomes the current
//    image file, ShowPage lays it out, and the save commands are enabled.
// 4. A page that was not written (cancelled, failed) ends the command silently: no file,
//    no status line; an unused temporary name is given back.
// 5. AutoSave (auto_save.h) for BMP, JPEG and PDF.
// ShowPage(width, height): layout of the preview, orientation 1 when height < width (a
// square page is portrait), page box A4 11904 x 16836 twips (turned for landscape) while
// the document's paperSize() is 0, else paperWidth() x paperHeight(); then a new
// document with the current image file stretched over the whole page.
// The referenced objects must outlive the command.
#include "auto_save.h"
#include "scanner_library.h"

class QWidget;

namespace folivo {

class PageDocument;
class PdfExporter;
class StatusReporter;
struct ProgramState;

// What the scan command needs of the main window.
class ScanHost {
public:
    virtual ~ScanHost() = default;
    virtual QWidget* ownerWindow() = 0;  // owner of the modal acquisition
    virtual void ReleaseImage() = 0;     // frees and forgets both handles
    virtual void EnsureTempFolder() = 0; // makes the "tmp" folder when missing
    virtual void setImageHandle(NativeHandle image) = 0;
    virtual void setPaletteHandle(NativeHandle palette) = 0;
    virtual void layoutPreview() = 0; // the window's layout step for the preview
    virtual void setSaveCommandsEnabled(bool enabled) = 0;
};

enum class ScanOutcome {
    NoPage,        // nothing acquired: no source, cancelled, failed, no palette
    PageNotStored, // acquired, but the temporary file could not be written
    PageStored,    // on display, in the current image file, saved automatically
};

inline const QString kTempPrefix = QStringLiteral("TMP");
inline const QString kTempExtension = QStringLiteral("BMP");

class ScanCommand {
public:
    ScanCommand(ScannerLibrary& scanner, ScanHost& host, StatusReporter& status,
                ProgramState& state, PageDocument& document, const PdfExporter& exporter,
                SpecialFolders folders = {});

    ScanOutcome run();
    ScanOutcome AcquirePage();
    void ShowPage(int width, int height);

private:
    ScannerLibrary& m_scanner;
    ScanHost& m_host;
    ProgramState& m_state;
    PageDocument& m_document;
    AutoSave m_autoSave;
};

} // namespace folivo
