// ppgButton and ppgColor acting like a user, and the property sheet around the pages:
// agreement over several buttons, marks, the margin and colour rules, what Apply writes.
#include "page_test_support.h"
#include "ppg_button.h"
#include "ppg_color.h"
#include "zk_property_access.h"
#include "zk_property_descriptions.h"
#include "zk_property_sheet.h"
#include "zkbutton_factory.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

using namespace zk::test;

namespace {

struct ButtonPageTest : testing::Test, PageRig<ppgButton> {
    zkGreyCheckBox* check(const QString& name) { return get<zkGreyCheckBox>(name); }
};

TEST_F(ButtonPageTest, GreyBoxWritesNothingUntilClickedThenItsState) {
    for (const char* property :
         {"ShowFocusRect", "Cancel", "Default", "Enabled", "OwnerDraw", "UseMaskColor"}) {
        SCOPED_TRACE(property);
        const QString editor = QStringLiteral("chk") + QLatin1String(property);
        buttons.both(property, true, false);
        ASSERT_TRUE(select());
        EXPECT_EQ(check(editor)->state(), 2);
        EXPECT_EQ(page->mark(editor), QStringLiteral("False"));
        chooseItem(get<QComboBox>(QStringLiteral("cboValue")), 1);
        ASSERT_TRUE(apply());
        EXPECT_TRUE(buttons[0]->property(property).toBool());
        EXPECT_FALSE(buttons[1]->property(property).toBool());
        for (const bool state : {true, false}) { // grey -> checked -> unchecked, never grey
            click(check(editor));
            EXPECT_EQ(check(editor)->state(), int(state));
            ASSERT_TRUE(apply());
            EXPECT_EQ(buttons[0]->property(property).toBool(), state);
            EXPECT_EQ(buttons[1]->property(property).toBool(), state);
        }
    }
}

TEST_F(ButtonPageTest, AgreementShowsTheIndexAndAChoiceIsWrittenToAll) {
    const struct {
        const char* property;
        int count, first, second;
    } cases[] = {{"Appearance", 2, 0, 1},
                 {"CaptionAlign", 9, 3, 4},
                 {"PictureAlign", 13, 12, 0},
                 {"Style", 3, 2, 0},
                 {"Value", 2, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.property);
        const QString editor = QStringLiteral("cbo") + QLatin1String(c.property);
        auto* combo = get<QComboBox>(editor);
        buttons.both(c.property, c.first, c.first);
        ASSERT_TRUE(select());
        EXPECT_EQ(combo->currentIndex(), c.first);
        EXPECT_EQ(page->mark(editor), QStringLiteral("True"));
        buttons.both(c.property, c.first, c.second);
        ASSERT_TRUE(select());
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(page->mark(editor), QStringLiteral("False"));
        chooseItem(combo, c.count - 1);
        ASSERT_TRUE(apply());
        EXPECT_EQ(buttons[0]->property(c.property).toInt(), c.count - 1);
        EXPECT_EQ(buttons[1]->property(c.property).toInt(), c.count - 1);
    }
}

TEST_F(ButtonPageTest, ApplyWritesTouchedEditorsInOrderAndKeepsOutOfListValues) {
    buttons.both("CaptionAlign", 12, 12); // outside the list's nine entries
    buttons.both("Caption", QStringLiteral("Scan"), QStringLiteral("Save"));
    ASSERT_TRUE(select());
    EXPECT_FALSE(page->isChanged());
    QStringList& record = buttons.record();
    click(check(QStringLiteral("chkUseMaskColor")));
    typeInto(get<QLineEdit>(QStringLiteral("txtCaption")), QStringLiteral("&A"));
    chooseItem(get<QComboBox>(QStringLiteral("cboAppearance")), 0);
    ASSERT_TRUE(apply());
    EXPECT_EQ(record, QStringList({"zkButton1:Appearance", "zkButton2:Appearance",
                                   "zkButton1:Caption", "zkButton2:Caption",
                                   "zkButton1:UseMaskColor", "zkButton2:UseMaskColor"}));
    EXPECT_EQ(int(buttons[0]->captionAlign()), 12);
    EXPECT_EQ(buttons[1]->displayCaption(), QStringLiteral("A"));
    record.clear(); // marks stay empty: a second Apply writes the same editors again
    ASSERT_TRUE(apply());
    EXPECT_EQ(record.size(), 6);
}

TEST(PageRules, MarginTextAndColourDialogFlags) {
    // Margin text: the value and whether the box is rewritten.
    const std::tuple<const char*, int, bool> margins[] = {{"", 0, true},
                                                          {"0", 0, false},
                                                          {"8", 8, false},
                                                          {"9", 8, true},
                                                          {"-1", 0, true},
                                                          {"03", 3, false},
                                                          {"x", 0, true},
                                                          {"nan", 0, true},
                                                          {"2.5", 2, true},
                                                          {"inf", 0, true},
                                                          {"99999999999999999999", 8, true}};
    for (const auto& [text, value, rewrite] : margins) {
        const zk::pages::MarginText m = zk::pages::normalizeMargin(QLatin1String(text));
        EXPECT_EQ(std::pair(m.value, m.rewrite), std::pair(value, rewrite)) << text;
    }
    // The colour dialog offers solid colours only for components 0, 192 and 255.
    for (const quint32 c : {0xC0C0C0u, 0x00FFFFu, 0x000000u, 0xFFC000u, 0xFF0000FFu})
        EXPECT_EQ(zk::pages::colorDialogFlags(c), 0x81u) << std::hex << c;
    for (const quint32 c : {0x808080u, 0x123456u, 0xFFFF01u, 0xC1C0C0u})
        EXPECT_EQ(zk::pages::colorDialogFlags(c), 0x03u) << std::hex << c;
}

constexpr int kBack = 0, kFill = 1, kFore = 2, kMask = 3;

struct ColorPageTest : testing::Test, PageRig<ppgColor> {
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
};

TEST_F(ColorPageTest, CustomEntryDialogAnswerBecomesTheRowColour) {
    ASSERT_TRUE(select());
    view(0)->setEntryColor(0, 0xC0C0C0);
    fakes.colorDialog->answer = 0x010203;
    QTest::mouseDClick(entry("pic", 1, 0), Qt::LeftButton);
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
    get<QComboBox>(QStringLiteral("cboType"))->setCurrentIndex(1);
    click(static_cast<QAbstractButton*>(entry("cmd", 2, 14))); // 強調表示
    EXPECT_EQ(page->rowColor(kFore), 0x8000000Du);
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
    QStringList& record = buttons.record();
    chooseRow(kFill); // choosing a row touches it
    EXPECT_TRUE(page->isChanged());
    ASSERT_TRUE(apply());
    EXPECT_EQ(record, QStringList({"zkButton1:FillColor", "zkButton2:FillColor"}));
    EXPECT_EQ(buttons[1]->backColor(), 0x00FF00u);
    EXPECT_FALSE(page->isChanged());
}

TEST(Sheet, FailedOkKeepsTheSheetOpen) {
    ButtonSet buttons;
    zkPropertySheet sheet(buttons.selection(), Fakes().services());
    sheet.show();
    click(child<QCheckBox>(&sheet, QStringLiteral("chkEnabled")));
    delete buttons[0];
    click(sheet.okButton());
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.lastError().code, zk::pages::kErrorNoObject);
}

TEST(Sheet, StatusLineDescribesThePropertyOfTheFocusedEditor) {
    ButtonSet buttons;
    zkPropertySheet sheet(buttons.selection(), Fakes().services());
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    const QLabel* status = child<QLabel>(&sheet, QStringLiteral("lblStatus"));
    // Tab, editor to focus, list row to choose (-1: none), property described ("": none).
    const std::tuple<int, const char*, int, const char*> cases[] = {
        {0, "chkEnabled", -1, "Enabled"},
        {0, "txtFocusRectMargin", -1, "FocusRectMargin"},
        {1, "lstPicture", 2, "MouseIcon"},
        {1, "lstPicture", 4, "SelectPicture"}, // moved along the list, focus kept
        {1, "cboZoom", -1, "SelectPicture"},
        {3, "cboFontSize", -1, "Font"},
        {0, "qt_dialogbuttonbox_ok", -1, ""}};
    for (const auto& [tab, editor, row, property] : cases) {
        SCOPED_TRACE(editor);
        sheet.tabs()->setCurrentIndex(tab);
        QWidget* widget = editor == QByteArray("qt_dialogbuttonbox_ok")
                              ? sheet.okButton()
                              : child<QWidget>(&sheet, QLatin1String(editor));
        widget->setFocus();
        if (row >= 0)
            qobject_cast<QListWidget*>(widget)->setCurrentRow(row);
        EXPECT_EQ(status->toolTip(), zk::propertyDescription(QString::fromLatin1(property)));
        EXPECT_FALSE(status->toolTip().isEmpty() && *property);
        QString shown = status->text(); // shortened with an ellipsis where the line is short
        if (shown.endsWith(QChar(0x2026)))
            shown.chop(1);
        EXPECT_TRUE(status->toolTip().startsWith(shown));
    }
}

TEST(SheetLifetime, UnfitSelectionIsShownAndALiveSheetOrPageKeepsTheLibrary) {
    ASSERT_EQ(DllCanUnloadNow(), ZK_S_OK); // no button, page or sheet yet
    {
        QObject plain;
        zkPropertySheet sheet({&plain}, {});
        sheet.show();
        EXPECT_EQ(sheet.lastError().code, zk::pages::kErrorNoProperty);
        EXPECT_TRUE(child<QLabel>(&sheet, QStringLiteral("lblError"))->isVisible());
        EXPECT_EQ(DllCanUnloadNow(), ZK_S_FALSE);
    }
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_OK);
    std::unique_ptr<zkPropertyPage> page(zkCreatePropertyPage(QStringLiteral("ppgFont"), {}));
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_FALSE);
    page.reset();
    EXPECT_EQ(DllCanUnloadNow(), ZK_S_OK);
    EXPECT_EQ(zkCreatePropertyPage(QStringLiteral("ppgOther"), {}), nullptr);
}

} // namespace
