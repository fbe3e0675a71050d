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

class ColorPageTest : public ::testing::Test {
protected:
    ButtonSet buttons{2};
    Fakes fakes;
    std::unique_ptr<ppgColor> page;
    QComboBox* type = nullptr;

    void SetUp() override {
        page = std::make_unique<ppgColor>(fakes.services());
        page->resize(460, 260);
        page->show();
        type = child<QComboBox>(page.get(), QStringLiteral("cboType"));
    }
    void select() { ASSERT_FALSE(page->selectionChanged(buttons.selection()).failed()); }
    void chooseRow(int row) {
        QTest::mousePress(child<QLabel>(page.get(), QStringLiteral("lblList%1").arg(row)),
                          Qt::LeftButton);
    }
    QWidget* entryWidget(const char* kind, int palette, int entry) {
        return child<QWidget>(
            page.get(), QStringLiteral("%1PaletteList%2Item_%3").arg(kind).arg(palette).arg(entry));
    }
    void pressEntry(int palette, int entry) {
        QTest::mousePress(entryWidget("lbl", palette, entry), Qt::LeftButton);
    }
    void doubleClickEntry(int palette, int entry) {
        QTest::mouseDClick(entryWidget("pic", palette, entry), Qt::LeftButton);
    }
    void clickSwatch(int palette, int entry) {
        click(static_cast<QAbstractButton*>(entryWidget("cmd", palette, entry)));
    }
    zkColorPaletteView* view(int p) { return page->paletteView(p); }
};

TEST_F(ColorPageTest, PalettesHoldTheirColoursAndScrollByWholeEntries) {
    EXPECT_EQ(view(0)->entryCount(), 17);
    EXPECT_EQ(view(1)->entryCount(), 26);
    const quint32 standard[] = {0xFFFFFF, 0x00FFFF, 0, 0, 0, 0, 0, 0, 0, 0x008080};
    for (int e : {0, 1, 9})
        EXPECT_EQ(view(0)->entryColor(e), standard[e]) << e;
    EXPECT_EQ(view(0)->entryColor(16), 0x00FF00u);
    for (int e = 1; e < 26; ++e) // the system palette holds system colour references
        EXPECT_EQ(view(1)->entryColor(e) & 0xFFFFFF00u, 0x80000000u) << e;
    EXPECT_EQ(view(1)->entryColor(17), 0x8000000Fu);
    QScrollBar* bar = view(0)->scrollBar();
    EXPECT_EQ(bar->maximum(), 17 - zkColorPaletteView::kVisibleEntries);
    EXPECT_EQ(bar->pageStep(), zkColorPaletteView::kVisibleEntries);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view(0)->list()->y(), -2 * zkColorPaletteView::kEntryHeight);
}

TEST_F(ColorPageTest, SystemForeColorSwitchesPaletteHighlightsAndScrolls) {
    buttons[0]->setForeColor(0x80000012);
    buttons[1]->setForeColor(0x80000012);
    select();
    chooseRow(kFore);
    EXPECT_EQ(page->currentRow(), kFore);
    EXPECT_EQ(type->currentIndex(), 1);
    EXPECT_TRUE(view(1)->isVisible());
    EXPECT_FALSE(view(0)->isVisible());
    EXPECT_EQ(view(1)->highlighted(), 19);
    QScrollBar* bar = view(1)->scrollBar();
    EXPECT_EQ(bar->maximum(), 26 - zkColorPaletteView::kVisibleEntries);
    EXPECT_EQ(bar->value(), std::min(19, bar->maximum()));
    EXPECT_EQ(view(1)->list()->y(), -bar->value() * zkColorPaletteView::kEntryHeight);
    // The chosen row and entry are painted in the highlight colour.
    EXPECT_EQ(entryWidget("pic", 2, 19)->palette().color(QPalette::Window),
              page->palette().color(QPalette::Highlight));
    EXPECT_EQ(entryWidget("pic", 2, 18)->palette().color(QPalette::Window),
              page->palette().color(QPalette::Base));
    EXPECT_EQ(
        child<QWidget>(page.get(), QStringLiteral("picList2"))->palette().color(QPalette::Window),
        page->palette().color(QPalette::Highlight));
}

TEST_F(ColorPageTest, ColourInNoPaletteLandsInTheCustomEntryWhiteOnlyWhileItIsWhite) {
    buttons[0]->setBackColor(0x123456);
    buttons[1]->setBackColor(0x123456);
    buttons[0]->setMaskColor(0xFFFFFF);
    buttons[1]->setMaskColor(0xFFFFFF);
    select();
    chooseRow(kMask);
    EXPECT_EQ(view(0)->highlighted(), 0); // white while the custom entry is white
    type->setCurrentIndex(1);
    chooseRow(kBack);
    EXPECT_EQ(type->currentIndex(), 0);
    EXPECT_EQ(view(0)->highlighted(), 0);
    EXPECT_EQ(view(0)->entryColor(0), 0x123456u);
    EXPECT_EQ(view(0)->scrollBar()->value(), 0);
    EXPECT_EQ(fakes.colorDialog->calls, 0);
    chooseRow(kMask);
    EXPECT_EQ(view(0)->highlighted(), 15);
    EXPECT_EQ(view(0)->scrollBar()->value(), std::min(15, view(0)->scrollBar()->maximum()));
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

TEST_F(ColorPageTest, CustomSwatchOpensTheDialogWithTheRuleFlags) {
    struct Case {
        quint32 start;
        unsigned flags;
    };
    for (const Case& c : {Case{0xC0C0C0, 0x81}, Case{0x00FFFF, 0x81}, Case{0x808080, 0x03}}) {
        view(0)->setEntryColor(0, c.start);
        fakes.colorDialog->answer = 0x010203;
        clickSwatch(1, 0);
        EXPECT_EQ(fakes.colorDialog->initial, c.start);
        EXPECT_EQ(fakes.colorDialog->flags, c.flags) << std::hex << c.start;
    }
    EXPECT_EQ(page->rowColor(kBack), 0x010203u);
    EXPECT_EQ(view(0)->entryColor(0), 0x010203u);
    // The dialog's custom colours are kept by the page from call to call.
    EXPECT_EQ(page->customColors()[0], 0x112233u);
}

TEST_F(ColorPageTest, WhichActionsOpenTheDialogAndACancelChangesNothing) {
    select();
    fakes.colorDialog->answer = std::nullopt;
    const quint32 before = page->rowColor(kBack);
    pressEntry(2, 0); // system custom row opens it
    EXPECT_EQ(fakes.colorDialog->calls, 1);
    EXPECT_EQ(page->rowColor(kBack), before);
    EXPECT_EQ(page->mark(kBack), QStringLiteral("True"));
    EXPECT_FALSE(page->isChanged());
    doubleClickEntry(2, 5); // no action on the system palette beyond the press
    pressEntry(1, 0);       // standard custom row: highlight only
    EXPECT_EQ(fakes.colorDialog->calls, 1);
    doubleClickEntry(1, 0);
    EXPECT_EQ(fakes.colorDialog->calls, 2);
}

TEST_F(ColorPageTest, PaletteEntryGivesTheCurrentRowItsColourAndApplyWritesIt) {
    select();
    pressEntry(1, 16); // before any row is chosen: BackColor
    EXPECT_EQ(page->rowColor(kBack), 0x00FF00u);
    chooseRow(kFore);
    pressEntry(1, 6); // 赤
    EXPECT_EQ(page->rowColor(kFore), 0x0000FFu);
    type->setCurrentIndex(1);
    clickSwatch(2, 14); // 強調表示
    EXPECT_EQ(page->rowColor(kFore), 0x8000000Du);
    EXPECT_EQ(view(1)->highlighted(), 14);
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(buttons[0]->foreColor(), 0x8000000Du);
    EXPECT_EQ(buttons[1]->foreColor(), 0x8000000Du);
}

TEST_F(ColorPageTest, DisagreeingRowKeepsItsSwatchAndIsNotWrittenUnlessTouched) {
    buttons[0]->setBackColor(0x0000FF);
    buttons[1]->setBackColor(0x0000FF);
    select();
    buttons[1]->setBackColor(0x00FF00);
    select();
    EXPECT_EQ(page->rowColor(kBack), 0x0000FFu); // the previous swatch stays
    EXPECT_EQ(page->mark(kBack), QStringLiteral("False"));
    chooseRow(kMask);
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(buttons[0]->backColor(), 0x0000FFu);
    EXPECT_EQ(buttons[1]->backColor(), 0x00FF00u);
}

TEST_F(ColorPageTest, ChoosingARowAndApplyingWritesItsColour) {
    buttons[0]->setFillColor(0x008000);
    buttons[1]->setFillColor(0x008000);
    select();
    EXPECT_FALSE(page->isChanged());
    QStringList& record = buttons.record();
    chooseRow(kFill);
    EXPECT_TRUE(page->isChanged());
    EXPECT_EQ(page->mark(kFill), QString(""));
    EXPECT_EQ(view(0)->highlighted(), 14); // 濃い緑
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(record, QStringList({"zkButton1:FillColor", "zkButton2:FillColor"}));
    EXPECT_EQ(buttons[1]->fillColor(), 0x008000u);
    EXPECT_FALSE(page->isChanged());
}

} // namespace
