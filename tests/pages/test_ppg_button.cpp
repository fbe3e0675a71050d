// ppgButton acting like a user: agreement over several buttons, marks, the margin box
// rules, the focus-rectangle enabling and what Apply writes.
#include "page_test_support.h"
#include "ppg_button.h"
#include "zk_property_access.h"

#include <QLabel>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace zk::test;

namespace {

struct ButtonPageTest : testing::Test, PageRig<ppgButton> {
    zkGreyCheckBox* check(const char* name) { return get<zkGreyCheckBox>(QLatin1String(name)); }
    QLineEdit* margin() { return get<QLineEdit>(QStringLiteral("txtFocusRectMargin")); }
    QScrollBar* spin() { return get<QScrollBar>(QStringLiteral("vscFocusRectMargin")); }
};

TEST_F(ButtonPageTest, MarginBoxKeepsToZeroToEightAndFollowsTheSpinBar) {
    buttons.both("FocusRectMargin", 2, 5);
    ASSERT_TRUE(select());
    EXPECT_EQ(margin()->text(), QStringLiteral("0")); // disagreeing: 0, not applied untouched
    click(check("chkCancel"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[1]->focusRectMargin(), 5);

    buttons.both("FocusRectMargin", 3, 3);
    ASSERT_TRUE(select());
    EXPECT_EQ(spin()->value(), 5); // the bar runs from 8 at the top to 0
    margin()->selectAll();
    QTest::keyClick(margin(), Qt::Key_Backspace); // empty becomes "0"
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    QTest::keyClicks(margin(), QStringLiteral("-a.+ 12")); // only digits; above 8 is 8
    EXPECT_EQ(margin()->text(), QStringLiteral("8"));
    EXPECT_EQ(margin()->cursorPosition(), 1);
    EXPECT_EQ(spin()->value(), spin()->minimum());
    spin()->triggerAction(QAbstractSlider::SliderSingleStepAdd); // the down arrow
    EXPECT_EQ(margin()->text(), QStringLiteral("7"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[0]->focusRectMargin(), 7);
    EXPECT_EQ(buttons[1]->focusRectMargin(), 7);
}

TEST_F(ButtonPageTest, UncheckedOrGreyFocusBoxDisablesTheMargin) {
    buttons.both("ShowFocusRect", false, false);
    ASSERT_TRUE(select());
    auto* label = get<QLabel>(QStringLiteral("lblFocusRectMargin"));
    EXPECT_FALSE(label->isEnabled() || margin()->isEnabled() || spin()->isEnabled());
    click(check("chkShowFocusRect"));
    EXPECT_TRUE(label->isEnabled() && margin()->isEnabled() && spin()->isEnabled());
    buttons.both("ShowFocusRect", true, false);
    ASSERT_TRUE(select());
    EXPECT_FALSE(margin()->isEnabled());
}

TEST_F(ButtonPageTest, GreyBoxWritesNothingUntilClickedThenItsState) {
    for (const char* property :
         {"ShowFocusRect", "Cancel", "Default", "Enabled", "OwnerDraw", "UseMaskColor"}) {
        SCOPED_TRACE(property);
        const QString editor = QStringLiteral("chk") + QLatin1String(property);
        buttons.both(property, true, false);
        ASSERT_TRUE(select());
        zkGreyCheckBox* box = check(editor.toLatin1().constData());
        EXPECT_EQ(box->state(), 2);
        EXPECT_EQ(page->mark(editor), QStringLiteral("False"));
        chooseItem(get<QComboBox>(QStringLiteral("cboValue")), 1);
        ASSERT_TRUE(apply());
        EXPECT_TRUE(buttons[0]->property(property).toBool());
        EXPECT_FALSE(buttons[1]->property(property).toBool());
        for (const bool state : {true, false}) { // grey -> checked -> unchecked, never grey
            click(box);
            EXPECT_EQ(box->state(), int(state));
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
        EXPECT_EQ(combo->count(), c.count);
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
    EXPECT_EQ(get<QComboBox>(QStringLiteral("cboCaptionAlign"))->currentIndex(), -1);
    EXPECT_EQ(page->mark(QStringLiteral("txtCaption")), QStringLiteral("False"));
    EXPECT_FALSE(page->isChanged());
    QStringList& record = buttons.record();
    click(check("chkUseMaskColor"));
    typeInto(get<QLineEdit>(QStringLiteral("txtCaption")), QStringLiteral("&A"));
    EXPECT_EQ(page->mark(QStringLiteral("txtCaption")), QString(""));
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

TEST_F(ButtonPageTest, DeletedOrUnfitSelectionIsReported) {
    QObject plain;
    EXPECT_EQ(page->selectionChanged({buttons[0], &plain}).code, zk::pages::kErrorNoProperty);
    EXPECT_EQ(page->selectionChanged({}).code, zk::pages::kErrorNoSelection);
    ASSERT_TRUE(select());
    click(check("chkEnabled"));
    delete buttons[1];
    EXPECT_EQ(page->applyChanges().code, zk::pages::kErrorNoObject);
}

TEST(MarginRule, NormalisesTheBoxText) {
    struct Case {
        const char* text;
        int value;
        bool rewrite;
    };
    const Case cases[] = {{"", 0, true},    {"0", 0, false},  {"8", 8, false},
                          {"9", 8, true},   {"12", 8, true},  {"-1", 0, true},
                          {"03", 3, false}, {"x", 0, true},   {"nan", 0, true},
                          {"2.5", 2, true}, {"inf", 0, true}, {"99999999999999999999", 8, true}};
    for (const Case& c : cases) {
        const zk::pages::MarginText m = zk::pages::normalizeMargin(QLatin1String(c.text));
        EXPECT_EQ(m.value, c.value) << c.text;
        EXPECT_EQ(m.rewrite, c.rewrite) << c.text;
    }
}

} // namespace
