#include "book_pdf_prompt.h"

#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

namespace folivo {
namespace {

// Sizes of the dialog in twips.
constexpr int kInnerWidth = 3240;
constexpr int kButtonsHeight = 585;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;
constexpr int kButtonTop = 120;
constexpr int kNextLeft = 240;
constexpr int kCloseLeft = 1680;
// Added below the buttons: the count line and the thumbnail of the last sheet.
constexpr int kCountHeight = 300;
constexpr int kThumbnailSize = 2400;
constexpr int kBottomGap = 120;

QImage LoadThumbnail(const QString& file, QSize box) {
    QImageReader reader(file);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

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
    auto rect = [&](int left, int top, int width, int height) {
        return QRect(px(left, dpiX), px(top, dpiY), px(width, dpiX), px(height, dpiY));
    };

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
    m_thumbnail = new QLabel(this);
    m_thumbnail->setObjectName(QStringLiteral("picLastSheet"));
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setGeometry(rect((kInnerWidth - kThumbnailSize) / 2, kButtonsHeight + kCountHeight,
                                  kThumbnailSize, kThumbnailSize));
    setFixedSize(px(kInnerWidth, dpiX),
                 px(kButtonsHeight + kCountHeight + kThumbnailSize + kBottomGap, dpiY));

    connect(m_next, &QPushButton::clicked, this, [this] { choose(BookPdfAnswer::Next); });
    connect(m_close, &QPushButton::clicked, this, [this] { choose(BookPdfAnswer::Done); });
}

void frmBookPDF::present(const BookPdfPromptInfo& info) {
    m_answer = BookPdfAnswer::Closed;
    m_next->setText(info.nextCaption);
    m_count->setText(SheetCountText(info.sheetCount));
    const QImage thumb = info.lastSheetFile.isEmpty()
                             ? QImage()
                             : LoadThumbnail(info.lastSheetFile, m_thumbnail->size());
    if (thumb.isNull())
        m_thumbnail->clear();
    else
        m_thumbnail->setPixmap(QPixmap::fromImage(thumb));
}

void frmBookPDF::choose(BookPdfAnswer answer) {
    m_answer = answer;
    accept();
}

BookPdfAnswer DialogBookPdfPrompt::ask(const BookPdfPromptInfo& info) {
    frmBookPDF dialog(m_owner);
    dialog.present(info);
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
