#include "book_pdf_command.h"

#include "image_info.h"
#include "page_document.h"
#include "program_state.h"
#include "recovery_command.h"
#include "search_files.h"
#include "sheet_rotation.h"
#include "ui_ports.h"
#include "work_folder.h"

#include <QDir>
#include <QFile>

namespace folivo {

BookPdfCommand::BookPdfCommand(BookPdfActions actions, BookPdfPrompt& prompt,
                               StatusReporter& status, MessageBoxes& boxes, ProgramState& state,
                               PageDocument& document)
    : m_actions(std::move(actions)), m_prompt(prompt), m_status(status), m_boxes(boxes),
      m_state(state), m_document(document), m_strip(RotateSheetFile) {
    m_strip.rewritten = [this](const QString& sheet) { storedSheet(sheet); };
    m_strip.removed = [this](const QString& sheet) { removedSheet(sheet); };
}

void DeleteSheetFiles(const QString& folder) {
    if (folder.isEmpty())
        return; // QDir would take the current folder
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        if (entry.fileName().endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            (void)QFile::remove(entry.filePath());
}

void BookPdfCommand::deleteSheets(const QString& folder) {
    DeleteSheetFiles(folder);
    if (m_actions.sheetsDeleted)
        m_actions.sheetsDeleted();
}

void BookPdfCommand::storedSheet(const QString& sheet) {
    if (m_actions.sheetStored)
        m_actions.sheetStored(sheet);
}

void BookPdfCommand::removedSheet(const QString& sheet) {
    if (m_actions.sheetRemoved)
        m_actions.sheetRemoved(sheet);
}

void BookPdfCommand::gatherSheets() {
    m_state.multiPageFlag = false;
    BookPdfPromptInfo info;
    while (!m_state.multiPageFlag) {
        const bool stored = m_actions.scanSheet && m_actions.scanSheet();
        if (stored) {
            m_strip.add(m_state.currentImageFile);
            storedSheet(m_state.currentImageFile);
        }
        info.sheetCount = m_strip.count();
        info.strip = &m_strip;
        info.nextCaption = NextCaption(stored, m_strip);
        const BookPdfAnswer answer = m_prompt.ask(info);
        if (answer != BookPdfAnswer::Closed)
            m_state.multiPageFlag = answer == BookPdfAnswer::Done;
        if (m_actions.repaintWindow)
            m_actions.repaintWindow();
    }
}

void LayOutSheets(PageDocument& document, const std::vector<QString>& files) {
    ImageInfo last; // a header that cannot be read keeps the page before it
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ImageInfoResult result = GetImageInfo(files[i], kDetectBySignature);
        if (result.ok())
            last = result.info;
        const bool landscape = last.width > last.height;
        document.setOrientation(landscape ? 1 : 0);
        if (i == 0)
            document.StartDoc();
        else
            document.NewPage();
        const int width = landscape ? kA4LongTwips : kA4ShortTwips;
        const int height = landscape ? kA4ShortTwips : kA4LongTwips;
        document.DrawPicture(files[i], 0, 0, width, height, kPictureFit);
    }
    document.EndDoc();
}

void BookPdfCommand::menuBook() {
    const QString folder = m_state.workFolder;
    // Sheets kept from a save that did not happen are the user's to give up, not ours.
    const int kept = HoldsSheets(folder) ? int(PageFilesIn(folder).size()) : 0;
    m_strip.clear();
    if (kept == 0 || !m_prompt.goOnWithKeptSheets(kept)) {
        deleteSheets(folder);
    } else {
        for (const QString& sheet : PageFilesIn(folder)) {
            m_strip.add(sheet);
            storedSheet(sheet);
        }
    }
    MarkSheets(folder, true);
    gatherSheets();
    m_strip.nameInOrder();

    FileList list;
    // Only this window's own folder: another window's sheets are not ours to take.
    const QString searchPath = folder + QStringLiteral("/*.bmp");
    const bool found = !folder.isEmpty() && SearchFiles(searchPath, false, list, m_boxes);
    if (!found) {
        m_status.ShowMessage(kSearchErrorText, kSearchErrorText);
    } else {
        const QStringList listed(list.entries.begin(), list.entries.begin() + (list.count + 1));
        const QStringList ordered = InStripOrder(listed, m_strip);
        LayOutSheets(m_document, {ordered.begin(), ordered.end()});
        if (list.count == -1) {
            m_status.ShowMessage(kNoSheetsText, kNoSheetsText);
            if (m_actions.setSaveCommandsEnabled)
                m_actions.setSaveCommandsEnabled(false);
            return;
        }
    }
    const bool saved = m_actions.savePdf && m_actions.savePdf();
    // The sheets are the only copy of the scanned pages until the PDF holds them.
    if (!found || !saved) {
        if (const int left = int(PageFilesIn(folder).size()); left > 0)
            m_status.SetStatus(KeptSheetsStatus(left));
        return;
    }
    deleteSheets(folder);
    MarkSheets(folder, false);
    if (m_actions.setSaveCommandsEnabled)
        m_actions.setSaveCommandsEnabled(false);
}

} // namespace folivo
