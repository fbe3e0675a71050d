#include "recovery_command.h"

#include "book_pdf_command.h"
#include "page_document.h"
#include "program_state.h"
#include "ui_ports.h"

namespace folivo {

QString RecoveryQuestion(int pageCount) {
    return QStringLiteral("前回保存されていないスキャン画像が %1 枚あります。").arg(pageCount);
}

QString KeptSheetsStatus(int sheetCount) {
    return QStringLiteral("スキャン画像 %1 枚は保存されずに残っています。"
                          "Ctrl+P でPDFに保存できます。")
        .arg(sheetCount);
}

RecoveryCommand::RecoveryCommand(RecoveryPrompt& prompt, StatusReporter& status,
                                 ProgramState& state, PageDocument& document,
                                 RecoveryActions actions)
    : m_prompt(prompt), m_status(status), m_state(state), m_document(document),
      m_actions(std::move(actions)) {}

void RecoveryCommand::offer(std::vector<AbandonedFolder>& folders) {
    QStringList pages;
    for (const AbandonedFolder& folder : folders)
        pages += folder.pages;
    if (pages.isEmpty() || m_state.workFolder.isEmpty())
        return;
    const RecoveryChoice choice = m_prompt.ask(pages);
    if (choice == RecoveryChoice::None)
        return;
    if (choice == RecoveryChoice::Discard) {
        for (AbandonedFolder& folder : folders)
            RemoveAbandonedFolder(folder);
        folders.clear();
        m_status.SetStatus(QStringLiteral("前回のスキャン画像を破棄しました。"));
        return;
    }
    const QStringList sheets = adopt(folders);
    if (sheets.isEmpty())
        return;
    LayOutSheets(m_document, {sheets.begin(), sheets.end()});
    if (m_actions.setSaveCommandsEnabled)
        m_actions.setSaveCommandsEnabled(true);
    if (choice == RecoveryChoice::MakePdf && m_actions.savePdf && m_actions.savePdf()) {
        DeleteSheetFiles(m_state.workFolder);
        MarkSheets(m_state.workFolder, false);
        if (m_actions.setSaveCommandsEnabled)
            m_actions.setSaveCommandsEnabled(false);
        return;
    }
    m_status.SetStatus(KeptSheetsStatus(int(sheets.size())));
}

// The pages become this window's kept sheets; their old folders go once emptied.
QStringList RecoveryCommand::adopt(std::vector<AbandonedFolder>& folders) {
    QStringList sheets = PageFilesIn(m_state.workFolder);
    for (AbandonedFolder& folder : folders) {
        sheets += AdoptPages(folder.pages, m_state.workFolder);
        if (PageFilesIn(folder.path).isEmpty())
            RemoveAbandonedFolder(folder);
    }
    std::erase_if(folders, [](const AbandonedFolder& f) { return !f.lock; });
    MarkSheets(m_state.workFolder, true);
    return sheets;
}

} // namespace folivo
