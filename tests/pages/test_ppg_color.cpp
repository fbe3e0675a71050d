// ppgColor: finding a row's colour in the palettes, palette choices, the colour dialog and
// what Apply writes.
#include "page_test_support.h"
#include "ppg_color.h"

#include <QLabel>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace zk::test;

namespace {

constexpr int kBack = 0, kFill = 1, kFore = 2, kMask = 3;

struct ColorPageTest : testing::Test, PageRig<ppgColor> {
    QComboBox* type = get<QComboBox>(QStringLiteral("cboType"));

    void chooseRow(int row) {
        QTest::mousePress(get<QLabel>(QStringLiteral("lblList%1").arg(row)), Qt::LeftButton);
    }
    QWidget* entry(const char* kind, int palette, int e) {
        return get<QWidget>(QStringLiteral("%1PaletteList%2Item_%3").arg(kind).arg(palette).arg(e));
    }
    void pressEntry(int palette, int e) {
        QTest::mousePress(entry("lbl", palette, e), Qt::LeftButton);
    }
    zkColorPaletteView* view(int p) { return page->paletteView(p); }
    // The palette shown, its highlighted entry and the entry scrolled to the top.
    void expectShown(int palette, int highlighted) {
        EXPECT_EQ(type->currentIndex(), palette);
        EXPECT_TRUE(view(palette)->isVisible());
        EXPECT_FALSE(view(1 - palette)->isVisible());
        EXPECT_EQ(view(palette)->highlighted(), highlighted);
        QScrollBar* bar = view(palette)->scrollBar();
        EXPECT_EQ(bar->value(), std::min(highlighted, bar->maximum()));
        EXPECT_EQ(view(palette)->list()->y(), -bar->value() * zkColorPaletteView::kEntryHeight);
    }
};

TEST_F(ColorPageTest, RowColourIsFoundInItsPaletteOrLandsInTheCustomEntry) {
    buttons.both("ForeColor", 0x80000012u, 0x80000012u);
    buttons.both("BackColor", 0x123456u, 0x123456u);
    buttons.both("MaskColor", 0xFFFFFFu, 0xFFFFFFu);
    ASSERT_TRUE(select());
    chooseRow(kFore);
    EXPECT_EQ(page->currentRow(), kFore);
    expectShown(1, 19);
    // The chosen row and entry are painted in the highlight colour.
    const QColor highlight = page->palette().color(QPalette::Highlight);
    EXPECT_EQ(entry("pic", 2, 19)->palette().color(QPalette::Window), highlight);
    EXPECT_NE(entry("pic", 2, 18)->palette().color(QPalette::Window), highlight);
    EXPECT_EQ(get<QWidget>(QStringLiteral("picList2"))->palette().color(QPalette::Window),
              highlight);
    chooseRow(kMask);
    expectShown(0, 0); // white while the custom entry is white
    chooseRow(kBack);
    expectShown(0, 0);
    EXPECT_EQ(view(0)->entryColor(0), 0x123456u);
    EXPECT_EQ(fakes.colorDialog->calls, 0);
    chooseRow(kMask);
    expectShown(0, 15);
}

TEST(ColorDialogFlags, SolidOnlyForPureComponents) {
    struct Case {
        quint32 color;
        unsigned flags;
    };
    const Case cases[] = {{0xC0C0C0, 0x81}, {0x00FFFF, 0x81}, {0x000000, 0x81},
                          {0xFFC000, 0x81}, {0x808080, 0x03}, {0x123456, 0x03},
                          {0xFFFF01, 0x03}, {0xC1C0C0, 0x03}, {0xFF0000FF, 0x81}};
    for (const Case& c : cases)
        EXPECT_EQ(zk::pages::colorDialogFlags(c.color), c.flags) << std::hex << c.color;
}

TEST_F(ColorPageTest, WhichActionsOpenTheDialogAndWhatItsAnswerDoes) {
    ASSERT_TRUE(select());
    const quint32 before = page->rowColor(kBack);
    pressEntry(2, 0); // system custom row opens it; a cancel changes nothing
    EXPECT_EQ(fakes.colorDialog->calls, 1);
    EXPECT_EQ(page->rowColor(kBack), before);
    EXPECT_FALSE(page->isChanged());
    QTest::mouseDClick(entry("pic", 2, 5), Qt::LeftButton); // nothing beyond the press
    pressEntry(1, 0);                                       // standard custom row: highlight only
    EXPECT_EQ(fakes.colorDialog->calls, 1);
    view(0)->setEntryColor(0, 0xC0C0C0);
    fakes.colorDialog->answer = 0x010203;
    QTest::mouseDClick(entry("pic", 1, 0), Qt::LeftButton);
    EXPECT_EQ(fakes.colorDialog->calls, 2);
    EXPECT_EQ(fakes.colorDialog->initial, 0xC0C0C0u);
    EXPECT_EQ(fakes.colorDialog->flags, 0x81u);
    EXPECT_EQ(page->rowColor(kBack), 0x010203u);
    EXPECT_EQ(view(0)->entryColor(0), 0x010203u);
    // The dialog's custom colours are kept by the page from call to call.
    EXPECT_EQ(page->customColors()[0], 0x112233u);
}

TEST_F(ColorPageTest, PaletteEntryGivesTheCurrentRowItsColourAndApplyWritesIt) {
    ASSERT_TRUE(select());
    pressEntry(1, 16); // before any row is chosen: BackColor
    EXPECT_EQ(page->rowColor(kBack), 0x00FF00u);
    chooseRow(kFore);
    pressEntry(1, 6); // 赤
    EXPECT_EQ(page->rowColor(kFore), 0x0000FFu);
    type->setCurrentIndex(1);
    click(static_cast<QAbstractButton*>(entry("cmd", 2, 14))); // 強調表示
    EXPECT_EQ(page->rowColor(kFore), 0x8000000Du);
    EXPECT_EQ(view(1)->highlighted(), 14);
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[0]->foreColor(), 0x8000000Du);
    EXPECT_EQ(buttons[1]->foreColor(), 0x8000000Du);
}

TEST_F(ColorPageTest, OnlyTouchedRowsAreWrittenAndADisagreeingRowKeepsItsSwatch) {
    buttons.both("BackColor", 0x0000FFu, 0x0000FFu);
    buttons.both("FillColor", 0x008000u, 0x008000u);
    ASSERT_TRUE(select());
    buttons[1]->setBackColor(0x00FF00);
    ASSERT_TRUE(select());
    EXPECT_EQ(page->rowColor(kBack), 0x0000FFu); // the previous swatch stays
    EXPECT_EQ(page->mark(kBack), QStringLiteral("False"));
    EXPECT_FALSE(page->isChanged());
    QStringList& record = buttons.record();
    chooseRow(kFill); // choosing a row touches it
    EXPECT_TRUE(page->isChanged());
    EXPECT_EQ(view(0)->highlighted(), 14); // 濃い緑
    ASSERT_TRUE(apply());
    EXPECT_EQ(record, QStringList({"zkButton1:FillColor", "zkButton2:FillColor"}));
    EXPECT_EQ(buttons[1]->backColor(), 0x00FF00u);
    EXPECT_FALSE(page->isChanged());
}

} // namespace
