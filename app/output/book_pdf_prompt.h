#pragma once
// The prompt of the multi-page PDF command, asked after every scan: "もう一枚" (or
// "再試行" after a scan that gave no page) or "完了".
//
// BookPdfPrompt is the interface the command asks; tests answer it. frmBookPDF is the real
// modal dialog: caption "マルチページPDF作成処理", fixed size, centred on its owner, no
// maximise or minimise box, buttons CmdNext (first in tab order) and CmdClose "完了" of
// 1335 x 375 twips at (240, 120) and (1680, 120). Below them it tells how many sheets
// were gathered so far and shows every one in a sheet strip, where a sheet can be
// deleted, turned or moved; CmdNext reads "再試行" while a deleted sheet waits for its
// replacement. That adds to the dialog without changing what its buttons do.
#include "sheet_strip_view.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

namespace folivo {

enum class BookPdfAnswer {
    Next,   // CmdNext: scan another sheet
    Done,   // CmdClose: make the PDF
    Closed, // closed another way: the loop goes on as before
};

class SheetStrip;

struct BookPdfPromptInfo {
    QString nextCaption;         // "もう一枚" or "再試行"
    int sheetCount = 0;          // sheets gathered so far in this run
    SheetStrip* strip = nullptr; // the run's sheets, which the prompt may change
};

inline const QString kNextSheetCaption = QStringLiteral("もう一枚");
inline const QString kRetryCaption = QStringLiteral("再試行");
inline const QString kDoneCaption = QStringLiteral("完了");
inline const QString kBookPdfCaption = QStringLiteral("マルチページPDF作成処理");

class BookPdfPrompt {
public:
    virtual ~BookPdfPrompt() = default;
    // Modal: returns when the prompt is closed.
    virtual BookPdfAnswer ask(const BookPdfPromptInfo& info) = 0;
    // Before a new run when `keptSheets` sheets of an unsaved run are still there: true
    // to go on with them, false to start afresh.
    virtual bool goOnWithKeptSheets(int keptSheets) = 0;
};

inline const QString kGoOnCaption = QStringLiteral("続ける");
inline const QString kAfreshCaption = QStringLiteral("新しく始める");
// "保存されていないスキャン画像が N 枚残っています。…"
QString KeptSheetsQuestion(int keptSheets);

// The line under the buttons: how many sheets are gathered.
QString SheetCountText(int sheetCount);

class frmBookPDF final : public QDialog {
    Q_OBJECT
public:
    explicit frmBookPDF(QWidget* owner);

    // Captions, count line and, when the info has one, the strip of sheets.
    void present(const BookPdfPromptInfo& info, SheetStripView::Thumbnails* thumbnails = nullptr);
    BookPdfAnswer answer() const { return m_answer; }

    QPushButton* nextButton() const { return m_next; }
    QPushButton* closeButton() const { return m_close; }
    QLabel* countLabel() const { return m_count; }
    SheetStripView* stripView() const { return m_view; }

private:
    void choose(BookPdfAnswer answer);
    void stripChanged();

    QPushButton* m_next = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_count = nullptr;
    SheetStripView* m_view = nullptr;
    BookPdfPromptInfo m_info;
    SheetStripView::Thumbnails m_ownThumbnails;
    std::function<QRect(int, int, int, int)> m_rect; // twips to pixels
    BookPdfAnswer m_answer = BookPdfAnswer::Closed;
};

// The real prompt: one frmBookPDF shown modally over the owner for every question.
class DialogBookPdfPrompt final : public BookPdfPrompt {
public:
    explicit DialogBookPdfPrompt(QWidget* owner) : m_owner(owner) {}
    BookPdfAnswer ask(const BookPdfPromptInfo& info) override;
    bool goOnWithKeptSheets(int keptSheets) override;

private:
    QWidget* m_owner;
    SheetStripView::Thumbnails m_thumbnails;
};

} // namespace folivo
