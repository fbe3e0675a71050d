#pragma once
// Recovery: pages that an earlier run left unsaved (it crashed or was killed, or it was
// closed with multi-page sheets kept) are offered back once at start.
//
// Contract of offer(folders):
// - With no page in the folders nothing is asked. Otherwise the prompt shows the pages
//   with "前回保存されていないスキャン画像が N 枚あります。" and answers one choice:
//   - MakePdf ("PDFにまとめる"): the pages move into this window's work folder as kept
//     sheets, are laid out one per page and saved through the PDF save command; once the
//     PDF is written they are deleted, otherwise they stay as kept sheets (status line).
//   - Show ("表示する"): the same without the save: the pages are on the preview as one
//     document, kept sheets that Ctrl+P saves.
//   - Discard ("破棄する"): the folders are deleted.
//   - None (the prompt closed otherwise): nothing is touched; the next start asks again.
// - A page is deleted only by Discard or after the PDF holding it was written.
#include "work_folder.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace folivo {

class PageDocument;
class StatusReporter;
struct ProgramState;

enum class RecoveryChoice { None, MakePdf, Show, Discard };

inline const QString kMakePdfCaption = QStringLiteral("PDFにまとめる");
inline const QString kShowCaption = QStringLiteral("表示する");
inline const QString kDiscardCaption = QStringLiteral("破棄する");

// "前回保存されていないスキャン画像が N 枚あります。"
QString RecoveryQuestion(int pageCount);
// The status line while sheets are kept unsaved.
QString KeptSheetsStatus(int sheetCount);

class RecoveryPrompt {
public:
    virtual ~RecoveryPrompt() = default;
    virtual RecoveryChoice ask(const QStringList& pages) = 0; // modal
};

struct RecoveryActions {
    std::function<bool()> savePdf; // the PDF save command; true when the file was written
    std::function<void(bool)> setSaveCommandsEnabled;
};

class RecoveryCommand {
public:
    RecoveryCommand(RecoveryPrompt& prompt, StatusReporter& status, ProgramState& state,
                    PageDocument& document, RecoveryActions actions);

    void offer(std::vector<AbandonedFolder>& folders);

private:
    QStringList adopt(std::vector<AbandonedFolder>& folders);

    RecoveryPrompt& m_prompt;
    StatusReporter& m_status;
    ProgramState& m_state;
    PageDocument& m_document;
    RecoveryActions m_actions;
};

} // namespace folivo
