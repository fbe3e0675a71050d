#include "book_pdf_command.h"

#include "image_info.h"
#include "page_document.h"
#include "program_state.h"
#include "search_files.h"
#include "ui_ports.h"

#include <QDir>
#include <QFile>

namespace folivo {

BookPdfCommand::BookPdfCommand(BookPdfActions actions, BookPdfPrompt& prompt,
                               StatusReporter& status, MessageBoxes& boxes, ProgramState& state,
                               PageDocument& document, QString tempFolder)
    : m_actions(std::move(actions)), m_prompt(prompt), m_status(status), m_boxes(boxes),
      m_state(state), m_document(document), m_tempFolder(std::move(tempFolder)) {}

void DeleteSheetFiles(const QString& folder) {
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        if (entry.fileName().endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            (void)QFile::remove(entry.filePath());
}

void BookPdfCommand::gatherSheets() {
    m_state.multiPageFlag = false;
    BookPdfPromptInfo info;
    while (!m_state.multiPageFlag) {
        const bool stored = m_actions.scanSheet && m_actions.scanSheet();
        if (stored) {
            ++info.sheetCount;
            info.lastSheetFile = m_state.currentImageFile;
        }
        info.nextCaption = stored ? kNextSheetCaption : kRetryCaption;
        const BookPdfAnswer answer = m_prompt.ask(info);
        if (answer != BookPdfAnswer::Closed)
            m_state.multiPageFlag = answer == BookPdfAnswer::Done;
        if (m_actions.repaintWindow)
            m_actions.repaintWindow();
    }
}

void BookPdfCommand::layOut(const std::vector<QString>& files) {
    ImageInfo last; // a header that cannot be read keeps the page before it
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ImageInfoResult result = GetImageInfo(files[i], kDetectBySignature);
        if (result.ok())
            last = result.info;
        const bool landscape = last.width > last.height;
        m_document.setOrientation(landscape ? 1 : 0);
        if (i == 0)
            m_document.StartDoc();
        else
            m_document.NewPage();
        const int width = landscape ? kA4LongTwips : kA4ShortTwips;
        const int height = landscape ? kA4ShortTwips : kA4LongTwips;
        m_document.DrawPicture(files[i], 0, 0, width, height, kPictureStretch);
    }
    m_document.EndDoc();
}

void BookPdfCommand::menuBook() {
    DeleteSheetFiles(m_tempFolder);
    gatherSheets();

    FileList list;
    const QString searchPath = m_tempFolder + QStringLiteral("/*.bmp");
    const bool found = SearchFiles(searchPath, true, list, m_boxes);
    if (!found) {
        m_status.ShowMessage(kSearchErrorText, kSearchErrorText);
    } else {
        layOut({list.entries.begin(), list.entries.begin() + (list.count + 1)});
        if (list.count == -1) {
            m_status.ShowMessage(kNoSheetsText, kNoSheetsText);
            if (m_actions.setSaveCommandsEnabled)
                m_actions.setSaveCommandsEnabled(false);
            return;
        }
    }
    const bool saved = m_actions.savePdf && m_actions.savePdf();
    // The sheets are the only copy of the scanned pages until the PDF holds them.
    if (!found || !saved)
        return;
    DeleteSheetFiles(m_tempFolder);
    if (m_actions.setSaveCommandsEnabled)
        m_actions.setSaveCommandsEnabled(false);
}

} // namespace folivo
