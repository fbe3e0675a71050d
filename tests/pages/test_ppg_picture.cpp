// ppgPicture: lazy reading, what Apply writes, browse and clear, and the preview's zoom.
#include "page_test_support.h"
#include "ppg_picture.h"
#include "zk_fakes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zk::test;
using zk::pages::previewGeometry;
using zk::pages::Zoom;

namespace {

constexpr int kDisable = 0, kDown = 1, kMouseIcon = 2, kPicture = 3;

using zktest::solidPicture;

class PicturePageTest : public ::testing::Test {
protected:
    ButtonSet buttons{2};
    Fakes fakes;
    ppgPicture page{fakes.services()};
    QListWidget* list = child<QListWidget>(&page, QStringLiteral("lstPicture"));
    QLabel* preview = child<QLabel>(&page, QStringLiteral("imgPreview"));
    QComboBox* zoom = child<QComboBox>(&page, QStringLiteral("cboZoom"));

    void SetUp() override {
        page.resize(480, 300);
        page.show();
    }
    void select() { ASSERT_FALSE(page.selectionChanged(buttons.selection()).failed()); }
    void lookAt(int entry) {
        QListWidgetItem* item = list->item(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        ASSERT_EQ(list->currentRow(), entry);
    }
    QSize area() const { return preview->parentWidget()->size(); }
};

TEST_F(PicturePageTest, EntryLookedAtIsAppliedFromTheFirstButton) {
    const zkPictureRef first = solidPicture(10, 10, qRgb(255, 0, 0));
    buttons[0]->setPicture(first);
    buttons[1]->setPicture(solidPicture(12, 12, qRgb(0, 0, 255)));
    const zkPictureRef secondDown = solidPicture(5, 5, qRgb(0, 255, 0));
    buttons[0]->setDownPicture(solidPicture(6, 6, qRgb(9, 9, 9)));
    buttons[1]->setDownPicture(secondDown);
    select();
    EXPECT_EQ(page.mark(kPicture), QStringLiteral("0"));
    lookAt(kPicture);
    EXPECT_EQ(page.mark(kPicture), QString(""));
    EXPECT_EQ(page.workingPicture(kPicture), first);
    EXPECT_FALSE(page.isChanged()); // looking is no change
    ASSERT_FALSE(page.applyChanges().failed());
    // The same picture object on both; the entry never looked at is not written.
    EXPECT_EQ(buttons[0]->picture(), first);
    EXPECT_EQ(buttons[1]->picture(), first);
    EXPECT_EQ(buttons[1]->downPicture(), secondDown);
}

TEST_F(PicturePageTest, SelectionChangeMakesEntriesReadAgain) {
    buttons[0]->setPicture(solidPicture(10, 10, qRgb(1, 2, 3)));
    select();
    lookAt(kPicture);
    const zkPictureRef replaced = solidPicture(20, 20, qRgb(4, 5, 6));
    buttons[0]->setPicture(replaced);
    select();
    EXPECT_EQ(page.mark(kPicture), QStringLiteral("0"));
    lookAt(kDown);
    lookAt(kPicture);
    EXPECT_EQ(page.workingPicture(kPicture), replaced);
}

TEST_F(PicturePageTest, ClearThenApplyRemovesThePictureEverywhere) {
    buttons[0]->setMouseIcon(solidPicture(16, 16, qRgb(1, 1, 1)));
    buttons[1]->setMouseIcon(solidPicture(16, 16, qRgb(2, 2, 2)));
    select();
    lookAt(kMouseIcon);
    click(child<QPushButton>(&page, QStringLiteral("cmdClear")));
    EXPECT_TRUE(page.isChanged());
    EXPECT_TRUE(preview->isHidden());
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_FALSE(page.isChanged());
    EXPECT_FALSE(zkHoldsPicture(buttons[0]->mouseIcon()));
    EXPECT_FALSE(zkHoldsPicture(buttons[1]->mouseIcon()));
}

TEST_F(PicturePageTest, BrowseLoadsTheFileWithTheGivenFilters) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.bmp"));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(image.save(path, "BMP"));
    select();
    lookAt(kDisable);
    fakes.openFile->answer = path;
    click(child<QPushButton>(&page, QStringLiteral("cmdRef")));
    ASSERT_EQ(fakes.openFile->calls, 1);
    ASSERT_EQ(fakes.openFile->filters.size(), 2);
    EXPECT_EQ(fakes.openFile->filters[0].patterns,
              QStringLiteral("*.bmp;*.ico;*.gif;*.jpg;*.jpeg"));
    EXPECT_TRUE(page.isChanged());
    ASSERT_TRUE(zkHoldsPicture(page.workingPicture(kDisable)));
    EXPECT_EQ(page.workingPicture(kDisable)->image().size(), QSize(8, 4));
    EXPECT_FALSE(preview->isHidden());
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[1]->disablePicture(), page.workingPicture(kDisable));
}

TEST_F(PicturePageTest, CancelledOrUnreadableFileChangesNothing) {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BMnot a picture");
    f.close();
    const zkPictureRef kept = solidPicture(3, 3, qRgb(7, 7, 7));
    buttons[0]->setPicture(kept);
    select();
    lookAt(kPicture);
    auto* browse = child<QPushButton>(&page, QStringLiteral("cmdRef"));
    fakes.openFile->answer = std::nullopt;
    click(browse);
    fakes.openFile->answer = junk;
    click(browse);
    EXPECT_EQ(fakes.openFile->calls, 2);
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(page.workingPicture(kPicture), kept);
}

TEST_F(PicturePageTest, BrowseClearAndPreviewNeedAChosenEntry) {
    EXPECT_FALSE(child<QPushButton>(&page, QStringLiteral("cmdRef"))->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&page, QStringLiteral("cmdClear"))->isEnabled());
    select();
    for (int z = 0; z < 4; ++z) {
        chooseItem(zoom, z);
        EXPECT_TRUE(preview->isHidden()) << z;
    }
    lookAt(kDown);
    EXPECT_TRUE(child<QPushButton>(&page, QStringLiteral("cmdRef"))->isEnabled());
}

TEST_F(PicturePageTest, ZoomToFitEnlargesAnIconAndCentresALargePictureClipped) {
    buttons[0]->setPicture(solidPicture(16, 16, qRgb(0, 0, 0)));
    buttons[0]->setDownPicture(solidPicture(600, 400, qRgb(9, 9, 9)));
    select();
    chooseItem(zoom, 2);
    lookAt(kPicture);
    const QSize w = area();
    const int side = std::min(w.width(), w.height());
    EXPECT_EQ(preview->geometry(),
              QRect((w.width() - side) / 2, (w.height() - side) / 2, side, side));
    lookAt(kDown);
    EXPECT_EQ(preview->size(), QSize(600, 400));
    EXPECT_EQ(preview->pos(), QPoint((w.width() - 600) / 2, (w.height() - 400) / 2));
    EXPECT_LT(preview->x(), 0);
    EXPECT_FALSE(preview->isHidden());
}

TEST(PreviewGeometry, ZoomArithmetic) {
    struct Case {
        Zoom zoom;
        QSize area;
        QSize picture;
        QRect expected;
    };
    const Case cases[] = {
        {Zoom::ActualSize, {200, 150}, {16, 16}, {92, 67, 16, 16}},
        {Zoom::ActualSize, {200, 150}, {400, 300}, {-100, -75, 400, 300}},
        {Zoom::Zoom, {200, 150}, {16, 16}, {25, 0, 150, 150}},
        {Zoom::Zoom, {200, 150}, {400, 100}, {0, 50, 200, 50}},
        {Zoom::ZoomToFit, {200, 150}, {16, 16}, {25, 0, 150, 150}},
        {Zoom::ZoomToFit, {200, 150}, {400, 300}, {-100, -75, 400, 300}},
        {Zoom::ZoomToFit, {200, 150}, {200, 150}, {0, 0, 200, 150}},
        {Zoom::Stretch, {200, 150}, {16, 40}, {0, 0, 200, 150}},
        // Halves round to even, then halve toward zero: 200 - 101 = 99 -> 49; -1 -> 0.
        {Zoom::ActualSize, {200, 150}, {101, 151}, {49, 0, 101, 151}},
        {Zoom::ActualSize, {10, 10}, {13, 13}, {-1, -1, 13, 13}},
        // 10 x 7.5: top = round(2.5) div 2 = 1, the height rounds to 8.
        {Zoom::Zoom, {10, 10}, {4, 3}, {0, 1, 10, 8}},
        // Empty pictures show nothing in every setting.
        {Zoom::Zoom, {200, 150}, {0, 0}, {}},
        {Zoom::ZoomToFit, {200, 150}, {0, 0}, {}},
        {Zoom::ActualSize, {200, 150}, {0, 0}, {}},
        {Zoom::Stretch, {200, 150}, {0, 0}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(previewGeometry(c.zoom, c.area, c.picture), c.expected)
            << int(c.zoom) << " " << c.picture.width() << "x" << c.picture.height();
}

} // namespace
