#pragma once
// The scan command (menu "読み取り", Ctrl+R): one page from the default source into a
// numbered temporary BMP file, onto the preview as a one-page document, then saved
// automatically in every format that is switched on.
//
// Contract of run(), in this order:
// 1. The JPEG parameters are read (they hold for this scan's automatic JPEG).
// 2. ScanHost::ReleaseImage frees the previous page's handles; the previous page stays on
//    the preview and in ProgramState::currentImageFile.
// 3. AcquirePage: temporary folder made, the first free "TMPnnnnn.BMP" name of the
//    window's work folder (ProgramState::workFolder) picked, the source opened (only -1 gives up),
//    the page acquired (the source's dialog shown unless hidden), its palette made, measured and
//    written. The handles go to the host as soon as they exist. When the page is written it becomes
//    the current image file, ShowPage lays it out, and the save commands are enabled.
// 4. No page (cancelled, failed) ends the command silently: no file, no status line.
//    A page whose file cannot be written (full disk, no work folder) is not lost: it is
//    shown from memory, the save commands work on it, the message kPageNotWrittenTitle
//    names the folder and what to do, and the automatic save runs from memory.
// 5. AutoSave (auto_save.h) for BMP, JPEG and PDF.
// ShowPage(width, height): layout of the preview, orientation 1 when height < width (a
// square page is portrait), page box A4 11904 x 16836 twips (turned for landscape) while
// the document's paperSize() is 0, else paperWidth() x paperHeight(); then a new
// document with the current image file fitted to the page, proportions kept.
// The referenced objects must outlive the command.
#include "auto_save.h"
#include "scanner_library.h"

#include <functional>

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
    PageInMemory,  // its file could not be written: on display from memory, saved
                   // automatically from there, the failure reported
};

inline const QString kPageNotWrittenTitle =
    QStringLiteral("スキャン画像を一時ファイルに保存できませんでした。");
inline const QString kPageNotWrittenPrompt = QStringLiteral(
    "作業フォルダ %1 に書き込めません（容量不足、書き込み禁止など）。\n"
    "画像は表示したままです。「名前を付けて保存」で別の場所に保存してください。\n"
    "空き容量を増やすか書き込みできるようにすると、次のスキャンから元どおり保存されます。");

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
    ScanOutcome keepInMemory(NativeHandle image, int width, int height);
    // Orientation and page box for a picture of width x height, then a new document
    // with `draw` called for the page box.
    void layOut(int width, int height, const std::function<void(int, int)>& draw);

    ScannerLibrary& m_scanner;
    ScanHost& m_host;
    StatusReporter& m_status;
    ProgramState& m_state;
    PageDocument& m_document;
    AutoSave m_autoSave;
};

} // namespace folivo
