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
using zktest::solidPicture;

namespace {

constexpr int kDisable = 0, kDown = 1, kMouseIcon = 2, kPicture = 3;

struct PicturePageTest : testing::Test, PageRig<ppgPicture> {
    QListWidget* list = get<QListWidget>(QStringLiteral("lstPicture"));
    QLabel* preview = get<QLabel>(QStringLiteral("imgPreview"));
    QPushButton* browse = get<QPushButton>(QStringLiteral("cmdRef"));

    void lookAt(int entry) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(entry)).center());
        ASSERT_EQ(list->currentRow(), entry);
    }
};

TEST_F(PicturePageTest, EntryLookedAtIsAppliedFromTheFirstButtonAndReadAgainOnReselect) {
    const zkPictureRef first = solidPicture(10, 10, qRgb(255, 0, 0));
    buttons.both("Picture", QVariant::fromValue(first),
                 QVariant::fromValue(solidPicture(12, 12, qRgb(0, 0, 255))));
    const zkPictureRef secondDown = solidPicture(5, 5, qRgb(0, 255, 0));
    buttons[1]->setDownPicture(secondDown);
    EXPECT_FALSE(browse->isEnabled()); // browse needs a chosen entry
    ASSERT_TRUE(select());
    EXPECT_EQ(page->mark(kPicture), QStringLiteral("0"));
    lookAt(kPicture);
    EXPECT_EQ(page->mark(kPicture), QString(""));
    EXPECT_EQ(page->workingPicture(kPicture), first);
    EXPECT_FALSE(page->isChanged()); // looking is no change
    ASSERT_TRUE(apply());
    // The same picture object on both; the entry never looked at is not written.
    EXPECT_EQ(buttons[1]->picture(), first);
    EXPECT_EQ(buttons[1]->downPicture(), secondDown);

    const zkPictureRef replaced = solidPicture(20, 20, qRgb(4, 5, 6));
    buttons[0]->setPicture(replaced);
    ASSERT_TRUE(select());
    EXPECT_EQ(page->mark(kPicture), QStringLiteral("0"));
    lookAt(kDown);
    lookAt(kPicture);
    EXPECT_EQ(page->workingPicture(kPicture), replaced);
}

TEST_F(PicturePageTest, ClearThenApplyRemovesThePictureEverywhere) {
    buttons.both("MouseIcon", QVariant::fromValue(solidPicture(16, 16, qRgb(1, 1, 1))),
                 QVariant::fromValue(solidPicture(16, 16, qRgb(2, 2, 2))));
    ASSERT_TRUE(select());
    lookAt(kMouseIcon);
    click(get<QPushButton>(QStringLiteral("cmdClear")));
    EXPECT_TRUE(page->isChanged());
    EXPECT_TRUE(preview->isHidden());
    ASSERT_TRUE(apply());
    EXPECT_FALSE(zkHoldsPicture(buttons[0]->mouseIcon()));
    EXPECT_FALSE(zkHoldsPicture(buttons[1]->mouseIcon()));
}

TEST_F(PicturePageTest, BrowseLoadsAReadableFileAndIgnoresACancelOrJunk) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.bmp"));
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(image.save(path, "BMP"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("BMnot a picture") > 0);
    f.close();
    ASSERT_TRUE(select());
    lookAt(kDisable);
    for (const std::optional<QString>& answer : {std::optional<QString>(), std::optional(junk)}) {
        fakes.openFile->answer = answer;
        click(browse);
        EXPECT_FALSE(page->isChanged());
        EXPECT_FALSE(zkHoldsPicture(page->workingPicture(kDisable)));
    }
    fakes.openFile->answer = path;
    click(browse);
    EXPECT_EQ(fakes.openFile->calls, 3);
    ASSERT_TRUE(zkHoldsPicture(page->workingPicture(kDisable)));
    EXPECT_EQ(page->workingPicture(kDisable)->image().size(), QSize(8, 4));
    EXPECT_FALSE(preview->isHidden());
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[1]->disablePicture(), page->workingPicture(kDisable));
}

TEST_F(PicturePageTest, PreviewFollowsTheZoomChoice) {
    buttons[0]->setPicture(solidPicture(16, 16, qRgb(0, 0, 0)));
    ASSERT_TRUE(select());
    lookAt(kPicture);
    const QSize area = preview->parentWidget()->size();
    for (int z = 0; z < 4; ++z) {
        chooseItem(get<QComboBox>(QStringLiteral("cboZoom")), z);
        EXPECT_EQ(preview->geometry(), previewGeometry(Zoom(z), area, {16, 16})) << z;
    }
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
