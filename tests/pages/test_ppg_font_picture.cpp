// ppgFont and ppgPicture acting like a user: agreement over several buttons, font objects
// changed in place, the size box, lazy picture reading, browse and clear, and the zoom.
#include "page_test_support.h"
#include "ppg_font.h"
#include "ppg_picture.h"
#include "zk_fakes.h"
#include "zk_font.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zk::test;
using zktest::solidPicture;

namespace {

struct FontPageTest : testing::Test, PageRig<ppgFont> {
    QComboBox* fontList = get<QComboBox>(QStringLiteral("cboFont"));
    QComboBox* sizeBox = get<QComboBox>(QStringLiteral("cboFontSize"));
    QLineEdit* preview = get<QLineEdit>(QStringLiteral("txtPreview"));

    FontPageTest() { setFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans")); }
    void setFonts(const QString& first, const QString& second, double size = 9) {
        buttons[0]->setButtonFont(zkFontRef::create(first, 9));
        buttons[1]->setButtonFont(zkFontRef::create(second, size));
    }
    zkFont& font(int button) { return *buttons[button]->buttonFont(); }
    zkGreyCheckBox* style(int i) {
        return get<zkGreyCheckBox>(QStringLiteral("chkStyle%1").arg(i));
    }
};

TEST_F(FontPageTest, FontNameShownOnlyWhenAgreedAndListedExactly) {
    ASSERT_TRUE(select());
    EXPECT_EQ(fontList->currentText(), QStringLiteral("DejaVu Sans"));
    setFonts(QStringLiteral("dejavu sans"), QStringLiteral("dejavu sans"));
    ASSERT_TRUE(select());
    EXPECT_EQ(fontList->currentIndex(), -1);
    EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("True"));
    setFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic"));
    ASSERT_TRUE(select());
    EXPECT_EQ(fontList->currentIndex(), -1);
    EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("False"));
    click(style(0));
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).name(), QStringLiteral("IPAPGothic")); // untouched, stays
    chooseItem(fontList, 1);                                 // a chosen name goes to every button
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(0).name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(font(1).name(), QStringLiteral("DejaVu Serif"));
}

TEST_F(FontPageTest, StyleBoxesChangeTheFontObjectsInPlaceAndRedraw) {
    font(0).setBold(true);
    buttons.both("Caption", QStringLiteral("Wide"), QStringLiteral("Wide"));
    const zkFont* second = buttons[1]->buttonFont().data();
    ASSERT_TRUE(select());
    EXPECT_EQ(style(0)->state(), 2);
    const QImage before = buttons[1]->visibleSurface().copy();
    click(style(0));
    ASSERT_TRUE(apply());
    EXPECT_TRUE(font(1).bold());
    EXPECT_EQ(buttons[1]->buttonFont().data(), second);
    EXPECT_NE(buttons[1]->visibleSurface(), before);
}

TEST_F(FontPageTest, TypedOrChosenSizeIsAppliedButNoNumberOrThePreviewIsNot) {
    setFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans"), 12);
    buttons[0]->setCaption(QStringLiteral("Scan"));
    ASSERT_TRUE(select());
    EXPECT_EQ(sizeBox->currentText(), QString());
    typeInto(preview, QStringLiteral(" more"));
    typeInto(sizeBox->lineEdit(), QStringLiteral("ab"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).size(), 12.0);
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Scan"));
    sizeBox->lineEdit()->clear();
    typeInto(sizeBox->lineEdit(), QStringLiteral("13"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(0).size(), 13.0);
    EXPECT_EQ(font(1).size(), 13.0);
    chooseItem(sizeBox, 13); // "36"
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).size(), 36.0);
    buttons[1]->setButtonFont(zkFontRef()); // a button without a font is reported
    EXPECT_FALSE(select());
}

TEST(PageRules, FontSizeTextAndPreviewZoom) {
    const std::pair<const char*, std::optional<int>> sizes[] = {
        {"13", 13}, {" 8 ", 8}, {"12.5", 12},   {"13.5", 14}, {"", {}},    {"ab", {}},
        {"0", {}},  {"-4", {}}, {"1638", 1638}, {"1639", {}}, {"nan", {}}, {"1e300", {}}};
    for (const auto& [text, size] : sizes)
        EXPECT_EQ(zk::pages::parseFontSize(QLatin1String(text)), size) << text;

    using zk::pages::Zoom;
    const std::tuple<Zoom, QSize, QSize, QRect> zooms[] = {
        // zoom, area, picture, result
        {Zoom::ActualSize, {200, 150}, {16, 16}, {92, 67, 16, 16}},
        {Zoom::Zoom, {200, 150}, {16, 16}, {25, 0, 150, 150}},
        {Zoom::Zoom, {200, 150}, {400, 100}, {0, 50, 200, 50}},
        {Zoom::ZoomToFit, {200, 150}, {16, 16}, {25, 0, 150, 150}},
        {Zoom::ZoomToFit, {200, 150}, {400, 300}, {-100, -75, 400, 300}},
        {Zoom::Stretch, {200, 150}, {16, 40}, {0, 0, 200, 150}},
        // Halves round to even, then halve toward zero: 200 - 101 = 99 -> 49; -1 -> 0.
        {Zoom::ActualSize, {200, 150}, {101, 151}, {49, 0, 101, 151}},
        {Zoom::ActualSize, {10, 10}, {13, 13}, {-1, -1, 13, 13}},
        // 10 x 7.5: top = round(2.5) div 2 = 1, the height rounds to 8.
        {Zoom::Zoom, {10, 10}, {4, 3}, {0, 1, 10, 8}}};
    for (const auto& [zoom, area, picture, expected] : zooms)
        EXPECT_EQ(zk::pages::previewGeometry(zoom, area, picture), expected)
            << int(zoom) << " " << picture.width() << "x" << picture.height();
    for (int z = 0; z < 4; ++z) // empty pictures show nothing in every setting
        EXPECT_EQ(zk::pages::previewGeometry(Zoom(z), {200, 150}, {0, 0}), QRect()) << z;
}

constexpr int kDisable = 0, kDown = 1, kMouseIcon = 2, kPicture = 3;

struct PicturePageTest : testing::Test, PageRig<ppgPicture> {
    QListWidget* list = get<QListWidget>(QStringLiteral("lstPicture"));
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
    ASSERT_TRUE(select());
    lookAt(kPicture);
    EXPECT_EQ(page->workingPicture(kPicture), first);
    EXPECT_FALSE(page->isChanged()); // looking is no change
    ASSERT_TRUE(apply());
    // The same picture object on both; the entry never looked at is not written.
    EXPECT_EQ(buttons[1]->picture(), first);
    EXPECT_EQ(buttons[1]->downPicture(), secondDown);

    const zkPictureRef replaced = solidPicture(20, 20, qRgb(4, 5, 6));
    buttons[0]->setPicture(replaced);
    ASSERT_TRUE(select());
    lookAt(kDown);
    lookAt(kPicture);
    EXPECT_EQ(page->workingPicture(kPicture), replaced);
}

TEST_F(PicturePageTest, BrowseLoadsAReadableFileIgnoresACancelOrJunkAndClearRemoves) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.bmp"));
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(image.save(path, "BMP"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("BMnot a picture") > 0);
    f.close();
    buttons.both("MouseIcon", QVariant::fromValue(solidPicture(16, 16, qRgb(1, 1, 1))),
                 QVariant::fromValue(solidPicture(16, 16, qRgb(2, 2, 2))));
    EXPECT_FALSE(browse->isEnabled()); // browse needs a chosen entry
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
    lookAt(kMouseIcon);
    click(get<QPushButton>(QStringLiteral("cmdClear")));
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[1]->disablePicture(), page->workingPicture(kDisable));
    EXPECT_FALSE(zkHoldsPicture(buttons[0]->mouseIcon()));
    EXPECT_FALSE(zkHoldsPicture(buttons[1]->mouseIcon()));
}

} // namespace
