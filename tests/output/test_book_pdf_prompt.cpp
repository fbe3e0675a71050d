// The multi-page prompt as the user sees it: its sheet count and thumbnail, and the answer
// each way of closing it gives.
#include "book_pdf_prompt.h"
#include "test_images.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace folivo {
namespace {

TEST(BookPdfPrompt, ShowsTheCountAndTheLastSheetSmall) {
    QTemporaryDir dir;
    const QString sheet = dir.filePath("TMP00003.BMP");
    ASSERT_TRUE(test::ColourPicture(400, 200).save(sheet, "BMP"));
    frmBookPDF dialog(nullptr);
    dialog.present({QStringLiteral("もう一枚"), 3, sheet});
    EXPECT_EQ(dialog.nextButton()->text(), QStringLiteral("もう一枚"));
    EXPECT_TRUE(dialog.countLabel()->text().contains(u'3'));
    const QPixmap thumb = dialog.thumbnail()->pixmap();
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(thumb.width(), dialog.thumbnail()->width());
    EXPECT_NEAR(thumb.height(), thumb.width() / 2, 1);

    dialog.present({QStringLiteral("再試行"), 0, QString()});
    EXPECT_EQ(dialog.nextButton()->text(), QStringLiteral("再試行"));
    EXPECT_TRUE(dialog.thumbnail()->pixmap().isNull());
    EXPECT_NE(SheetCountText(0), SheetCountText(1));
}

// Answers the prompt the way given, once it is open.
BookPdfAnswer AskAndAnswer(const std::function<void(frmBookPDF*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<frmBookPDF*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
    QWidget owner;
    DialogBookPdfPrompt prompt(&owner);
    return prompt.ask({QStringLiteral("もう一枚"), 1, QString()});
}

TEST(BookPdfPrompt, EachWayOfClosingGivesItsAnswer) {
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->nextButton()->click(); }), BookPdfAnswer::Next);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->closeButton()->click(); }), BookPdfAnswer::Done);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->close(); }), BookPdfAnswer::Closed);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->reject(); }), BookPdfAnswer::Closed);
}

} // namespace
} // namespace folivo
