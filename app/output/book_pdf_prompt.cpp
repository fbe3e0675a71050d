#include "book_pdf_prompt.h"

#include "sheet_strip.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

namespace folivo {
namespace {

// Sizes of the dialog in twips.
constexpr int kInnerWidth = 7800; // the buttons' 3240, widened for the strip
constexpr int kButtonsHeight = 585;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;
constexpr int kButtonTop = 120;
constexpr int kNextLeft = 240;
constexpr int kCloseLeft = 1680;
// Added below the buttons: the count line, the strip of sheets and its tool buttons.
constexpr int kCountHeight = 300;
constexpr int kMargin = 120;
constexpr int kStripHeight = 2100;
constexpr int kToolHeight = 420;
constexpr int kToolWidth = 1380;
constexpr int kToolGap = 60;
constexpr int kBottomGap = 120;

} // namespace

QString SheetCountText(int sheetCount) {
    if (sheetCount <= 0)
        return QStringLiteral("まだ読み取った用紙はありません。");
    return QStringLiteral("%1 枚目まで読み取りました。").arg(sheetCount);
}

frmBookPDF::frmBookPDF(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmBookPDF"));
    setWindowTitle(kBookPdfCaption);
    setModal(true);
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    auto px = [](int twips, double dpi) { return qRound(twips * dpi / 1440.0); };
    m_rect = [=](int left, int top, int width, int height) {
        return QRect(px(left, dpiX), px(top, dpiY), px(width, dpiX), px(height, dpiY));
    };
    const auto& rect = m_rect;

    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("CmdNext"));
    m_next->setGeometry(rect(kNextLeft, kButtonTop, kButtonWidth, kButtonHeight));
    m_close = new QPushButton(kDoneCaption, this);
    m_close->setObjectName(QStringLiteral("CmdClose"));
    m_close->setGeometry(rect(kCloseLeft, kButtonTop, kButtonWidth, kButtonHeight));
    setTabOrder(m_next, m_close);
    m_next->setDefault(true);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    m_count->setAlignment(Qt::AlignCenter);
    m_count->setGeometry(rect(0, kButtonsHeight, kInnerWidth, kCountHeight));
    setFixedSize(
        px(kInnerWidth, dpiX),
        px(kButtonsHeight + kCountHeight + kStripHeight + kToolHeight + 2 * kBottomGap, dpiY));

    connect(m_next, &QPushButton::clicked, this, [this] { choose(BookPdfAnswer::Next); });
    connect(m_close, &QPushButton::clicked, this, [this] { choose(BookPdfAnswer::Done); });
}

void frmBookPDF::present(const BookPdfPromptInfo& info, SheetStripView::Thumbnails* thumbnails) {
    m_answer = BookPdfAnswer::Closed;
    m_info = info;
    m_next->setText(info.nextCaption);
    m_count->setText(SheetCountText(info.sheetCount));
    if (!info.strip || m_view)
        return;
    const int stripTop = kButtonsHeight + kCountHeight;
    m_view = new SheetStripView(*info.strip, thumbnails ? *thumbnails : m_ownThumbnails, this);
    m_view->setGeometry(m_rect(kMargin, stripTop, kInnerWidth - 2 * kMargin, kStripHeight));
    setTabOrder(m_close, m_view);
    QWidget* last = m_view;
    const int toolTop = stripTop + kStripHeight + kBottomGap;
    const QList<QAction*> actions = m_view->editActions();
    for (int i = 0; i < actions.size(); ++i) {
        auto* tool = new QToolButton(this);
        tool->setDefaultAction(actions[i]);
        tool->setGeometry(
            m_rect(kMargin + i * (kToolWidth + kToolGap), toolTop, kToolWidth, kToolHeight));
        setTabOrder(last, tool);
        last = tool;
    }
    connect(m_view, &SheetStripView::changed, this, &frmBookPDF::stripChanged);
    connect(m_view, &SheetStripView::failed, m_count, &QLabel::setText);
}

void frmBookPDF::stripChanged() {
    m_next->setText(NextCaption(m_info.nextCaption == kNextSheetCaption, *m_info.strip));
    m_count->setText(SheetCountText(m_info.strip->count()));
}

void frmBookPDF::choose(BookPdfAnswer answer) {
    m_answer = answer;
    accept();
}

BookPdfAnswer DialogBookPdfPrompt::ask(const BookPdfPromptInfo& info) {
    frmBookPDF dialog(m_owner);
    dialog.present(info, &m_thumbnails);
    if (m_owner) {
        const QRect owner = m_owner->frameGeometry();
        dialog.move(owner.center() - dialog.rect().center());
    }
    dialog.exec();
    return dialog.answer();
}

QString KeptSheetsQuestion(int keptSheets) {
    return QStringLiteral("保存されていないスキャン画像が %1 枚残っています。\n"
                          "続けてスキャンしてまとめますか、それとも破棄して新しく始めますか。")
        .arg(keptSheets);
}

bool DialogBookPdfPrompt::goOnWithKeptSheets(int keptSheets) {
    QMessageBox box(QMessageBox::Question, kBookPdfCaption, KeptSheetsQuestion(keptSheets),
                    QMessageBox::NoButton, m_owner);
    QPushButton* goOn = box.addButton(kGoOnCaption, QMessageBox::AcceptRole);
    box.addButton(kAfreshCaption, QMessageBox::DestructiveRole);
    box.setDefaultButton(goOn);
    box.exec();
    // Closing the box is no answer to throw sheets away.
    return box.buttonRole(box.clickedButton()) != QMessageBox::DestructiveRole;
}

} // namespace folivo
