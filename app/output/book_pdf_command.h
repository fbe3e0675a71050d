#pragma once
// The multi-page PDF command (menu "マルチページPDFの作成", F5): scans sheet after sheet
// into the temporary folder, then lays every sheet out as one document and saves it as
// a PDF through the PDF save command.
//
// Contract of menuBook(), in this order:
// The sheets live in the window's work folder (ProgramState::workFolder), marked as
// sheets while they are gathered and until a PDF holds them (work_folder.h).
// 1. Sheets kept from an earlier run of the command that were never saved: the prompt
//    asks whether to go on with them (they then come first in the PDF) or start afresh.
//    Otherwise, or when starting afresh, every "*.bmp" of the work folder is deleted.
//    The multi-page flag is cleared.
// 2. Until the prompt answers "完了": run the scan (scanSheet answers whether a sheet was
//    acquired and stored; it joins the sheet strip, in the place of a deleted sheet when
//    one waits for its replacement), ask the prompt with "もう一枚" after a stored sheet
//    and "再試行" otherwise or while a deleted sheet waits, with the strip, which the
//    prompt may change (delete, rotate, move); then hide the prompt and repaint the
//    window. A prompt closed another way leaves the flag: the loop goes on.
// 3. The sheets' files are renamed among their names into the strip's order, so that a
//    later run or a recovery finds them in that order (SheetStrip::nameInOrder).
//    SearchFiles over "<work folder>/*.bmp", no subfolder, no link followed. A failure
//    shows "検索エラー".
// 4. With a successful search, one page per file in the strip's order (files the strip
//    does not hold follow in ascending name order):
//    landscape 16836 x 11904 twips when GetImageInfo finds the picture wider than high,
//    else portrait 11904 x 16836 (a header that cannot be read keeps the previous
//    page's measures), the picture fitted to the page with its proportions kept. The document is
//    ended even when empty.
// 5. No file found: "変換すべき画像ファイルがありませんでした。", save commands disabled, end.
// 6. The PDF save command runs (its dialog, compression, export, status lines).
// 7. Only when the search succeeded and the PDF was written are the sheets deleted and
//    the single-page save commands disabled. Otherwise (dialog cancelled, export failed,
//    search failed) the sheets stay in the work folder, the preview keeps the document,
//    the save commands stay enabled and the status line says that the sheets are kept
//    and that Ctrl+P saves them.
// The referenced objects must outlive the command.
#include "book_pdf_prompt.h"
#include "sheet_strip.h"

#include <QString>
#include <functional>

namespace folivo {

class MessageBoxes;
class PageDocument;
class StatusReporter;
struct ProgramState;

struct BookPdfActions {
    std::function<bool()> scanSheet; // the scan command; true when a sheet was stored
    std::function<bool()> savePdf;   // the PDF save command; true when the file was written
    std::function<void(bool)> setSaveCommandsEnabled;
    std::function<void()> repaintWindow;
    // Each sheet as it joins the run (kept ones too), so its stream can be made ahead;
    // and the end of the run's sheets, whose streams then go.
    // A sheet rotated at the prompt is stored anew; a deleted one's stream goes.
    std::function<void(const QString&)> sheetStored;
    std::function<void()> sheetsDeleted;
    std::function<void(const QString&)> sheetRemoved;
};

inline const QString kSearchErrorText = QStringLiteral("検索エラー");
inline const QString kNoSheetsText = QStringLiteral("変換すべき画像ファイルがありませんでした。");

class BookPdfCommand {
public:
    BookPdfCommand(BookPdfActions actions, BookPdfPrompt& prompt, StatusReporter& status,
                   MessageBoxes& boxes, ProgramState& state, PageDocument& document);

    void menuBook();

private:
    void gatherSheets();
    void deleteSheets(const QString& folder);
    void storedSheet(const QString& sheet);
    void removedSheet(const QString& sheet);

    BookPdfActions m_actions;
    BookPdfPrompt& m_prompt;
    StatusReporter& m_status;
    MessageBoxes& m_boxes;
    ProgramState& m_state;
    PageDocument& m_document;
    SheetStrip m_strip;
};

// Deletes every file of the folder whose name ends in ".bmp" in any letter case.
void DeleteSheetFiles(const QString& folder);
// One page per file, in the given order (step 4 of menuBook), then the document ended.
void LayOutSheets(PageDocument& document, const std::vector<QString>& files);

} // namespace folivo
