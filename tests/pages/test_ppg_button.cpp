// ppgButton acting like a user: agreement over several buttons, marks, the margin box
// rules, the focus-rectangle enabling and what Apply writes.
#include "page_test_support.h"
#include "ppg_button.h"
#include "zk_colors.h"
#include "zk_property_access.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace zk::test;

namespace {

class ButtonPageTest : public ::testing::Test {
protected:
    ButtonSet buttons{2};
    ppgButton page;

    void SetUp() override {
        page.resize(460, 320);
        page.show();
    }
    void select() { ASSERT_FALSE(page.selectionChanged(buttons.selection()).failed()); }
    template <typename T> T* editor(const char* name) { return child<T>(&page, name); }
    zkGreyCheckBox* check(const char* name) { return editor<zkGreyCheckBox>(name); }
    QLineEdit* margin() { return editor<QLineEdit>("txtFocusRectMargin"); }
    QScrollBar* spin() { return editor<QScrollBar>("vscFocusRectMargin"); }
};

TEST_F(ButtonPageTest, DifferentCaptionsShowEmptyBoxAndStayUnchangedOnApply) {
    buttons[0]->setCaption(QStringLiteral("Scan"));
    buttons[1]->setCaption(QStringLiteral("Save"));
    select();
    EXPECT_EQ(editor<QLineEdit>("txtCaption")->text(), QString());
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QStringLiteral("False"));
    // Another editor is touched so that Apply has something to do.
    chooseItem(editor<QComboBox>("cboStyle"), 1);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Scan"));
    EXPECT_EQ(buttons[1]->caption(), QStringLiteral("Save"));
    EXPECT_EQ(buttons[0]->buttonStyle(), zkButton::zbbCheck);
    EXPECT_EQ(buttons[1]->buttonStyle(), zkButton::zbbCheck);
}

TEST_F(ButtonPageTest, AgreeingCaptionIsShownAndTypedCaptionIsWrittenToAll) {
    buttons[0]->setCaption(QStringLiteral("Same"));
    buttons[1]->setCaption(QStringLiteral("Same"));
    select();
    QLineEdit* caption = editor<QLineEdit>("txtCaption");
    EXPECT_EQ(caption->text(), QStringLiteral("Same"));
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QStringLiteral("True"));
    EXPECT_FALSE(page.isChanged());
    typeInto(caption, QStringLiteral("&x"));
    EXPECT_TRUE(page.isChanged());
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QString(""));
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Same&x"));
    EXPECT_EQ(buttons[1]->displayCaption(), QStringLiteral("Samex"));
}

TEST_F(ButtonPageTest, DifferentMarginsShowZeroAndAreNotAppliedUntouched) {
    buttons[0]->setFocusRectMargin(2);
    buttons[1]->setFocusRectMargin(5);
    select();
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    EXPECT_EQ(page.mark(QStringLiteral("txtFocusRectMargin")), QStringLiteral("False"));
    EXPECT_FALSE(page.isChanged());
    click(check("chkCancel"));
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->focusRectMargin(), 2);
    EXPECT_EQ(buttons[1]->focusRectMargin(), 5);
    EXPECT_TRUE(buttons[1]->cancel());
}

TEST_F(ButtonPageTest, TypingOneAndTwoLeavesEightWithSpinAtTop) {
    buttons[0]->setFocusRectMargin(3);
    buttons[1]->setFocusRectMargin(3);
    select();
    EXPECT_EQ(margin()->text(), QStringLiteral("3"));
    EXPECT_EQ(spin()->value(), 5);
    margin()->selectAll();
    QTest::keyClick(margin(), Qt::Key_Backspace);
    QTest::keyClicks(margin(), QStringLiteral("12"));
    EXPECT_EQ(margin()->text(), QStringLiteral("8"));
    EXPECT_EQ(spin()->value(), spin()->minimum());
    EXPECT_EQ(margin()->cursorPosition(), 1);
    EXPECT_TRUE(page.isChanged());
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->focusRectMargin(), 8);
    EXPECT_EQ(buttons[1]->focusRectMargin(), 8);
}

TEST_F(ButtonPageTest, MarginBoxDropsEverythingButDigitsAndBackspace) {
    select();
    margin()->selectAll();
    QTest::keyClick(margin(), Qt::Key_Backspace); // empty becomes "0"
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    QTest::keyClicks(margin(), QStringLiteral("-a.+ "));
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    QTest::keyClicks(margin(), QStringLiteral("4"));
    EXPECT_EQ(zk::pages::normalizeMargin(margin()->text()).value, 4);
    EXPECT_EQ(spin()->value(), 4);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->focusRectMargin(), 4);
}

TEST_F(ButtonPageTest, TypingAMarginThatLeavesTheSpinBarStillOffersApply) {
    buttons[0]->setFocusRectMargin(2);
    buttons[1]->setFocusRectMargin(5);
    select(); // shows "0", spin bar at 8
    QTest::keyClicks(margin(), QStringLiteral("0"));
    EXPECT_EQ(spin()->value(), 8);
    EXPECT_TRUE(page.isChanged());
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->focusRectMargin(), 0);
    EXPECT_EQ(buttons[1]->focusRectMargin(), 0);
}

TEST_F(ButtonPageTest, SpinUpArrowRaisesTheMargin) {
    buttons[0]->setFocusRectMargin(3);
    buttons[1]->setFocusRectMargin(3);
    select();
    spin()->triggerAction(QAbstractSlider::SliderSingleStepSub); // the up arrow
    EXPECT_EQ(margin()->text(), QStringLiteral("4"));
    EXPECT_TRUE(page.isChanged());
    for (int i = 0; i < 10; ++i)
        spin()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(margin()->text(), QStringLiteral("8"));
}

TEST_F(ButtonPageTest, PastedTextThatIsNoNumberBecomesZero) {
    select();
    margin()->setText(QStringLiteral("abc"));
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    margin()->setText(QStringLiteral("-3"));
    EXPECT_EQ(margin()->text(), QStringLiteral("0"));
    margin()->setText(QStringLiteral("99999999999999999999"));
    EXPECT_EQ(margin()->text(), QStringLiteral("8"));
}

TEST_F(ButtonPageTest, UncheckedFocusBoxGreysTheMargin) {
    buttons[0]->setShowFocusRect(false);
    buttons[1]->setShowFocusRect(false);
    select();
    auto* label = editor<QLabel>("lblFocusRectMargin");
    const QColor face = zkResolveColor(0x8000000F, page.palette());
    const QColor window = zkResolveColor(0x80000005, page.palette());
    ASSERT_NE(face, window);
    EXPECT_FALSE(label->isEnabled());
    EXPECT_FALSE(margin()->isEnabled());
    EXPECT_FALSE(spin()->isEnabled());
    EXPECT_EQ(margin()->palette().color(QPalette::Disabled, QPalette::Base), face);
    click(check("chkShowFocusRect"));
    EXPECT_TRUE(label->isEnabled());
    EXPECT_TRUE(margin()->isEnabled());
    EXPECT_TRUE(spin()->isEnabled());
    EXPECT_EQ(margin()->palette().color(QPalette::Active, QPalette::Base), window);
}

TEST_F(ButtonPageTest, GreyFocusBoxAlsoDisablesTheMargin) {
    buttons[0]->setShowFocusRect(true);
    buttons[1]->setShowFocusRect(false);
    select();
    EXPECT_EQ(check("chkShowFocusRect")->state(), 2);
    EXPECT_FALSE(margin()->isEnabled());
}

struct CheckCase {
    const char* editor;
    const char* property;
};

class GreyCheckBoxTest : public ButtonPageTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(GreyCheckBoxTest, ClickedGreyBoxAppliesItsNewStateToEveryButton) {
    const CheckCase c = GetParam();
    buttons[0]->setProperty(c.property, true);
    buttons[1]->setProperty(c.property, false);
    select();
    zkGreyCheckBox* box = check(c.editor);
    EXPECT_EQ(box->state(), 2);
    EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("False"));
    click(box); // grey -> checked
    EXPECT_EQ(box->state(), 1);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_TRUE(buttons[0]->property(c.property).toBool());
    EXPECT_TRUE(buttons[1]->property(c.property).toBool());
    click(box); // checked -> unchecked, never grey again
    EXPECT_EQ(box->state(), 0);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_FALSE(buttons[0]->property(c.property).toBool());
    EXPECT_FALSE(buttons[1]->property(c.property).toBool());
}

TEST_P(GreyCheckBoxTest, UntouchedGreyBoxWritesNothing) {
    const CheckCase c = GetParam();
    buttons[0]->setProperty(c.property, true);
    buttons[1]->setProperty(c.property, false);
    select();
    chooseItem(editor<QComboBox>("cboValue"), 1);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_TRUE(buttons[0]->property(c.property).toBool());
    EXPECT_FALSE(buttons[1]->property(c.property).toBool());
}

INSTANTIATE_TEST_SUITE_P(Checks, GreyCheckBoxTest,
                         ::testing::Values(CheckCase{"chkShowFocusRect", "ShowFocusRect"},
                                           CheckCase{"chkCancel", "Cancel"},
                                           CheckCase{"chkDefault", "Default"},
                                           CheckCase{"chkEnabled", "Enabled"},
                                           CheckCase{"chkOwnerDraw", "OwnerDraw"},
                                           CheckCase{"chkUseMaskColor", "UseMaskColor"}));

struct ComboCase {
    const char* editor;
    const char* property;
    int count;
    int first;
    int second;
};

class ComboTest : public ButtonPageTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboTest, AgreementShowsTheIndexAndAChoiceIsWrittenToAll) {
    const ComboCase c = GetParam();
    QComboBox* combo = editor<QComboBox>(c.editor);
    EXPECT_EQ(combo->count(), c.count);
    buttons[0]->setProperty(c.property, c.first);
    buttons[1]->setProperty(c.property, c.first);
    select();
    EXPECT_EQ(combo->currentIndex(), c.first);
    EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("True"));
    buttons[1]->setProperty(c.property, c.second);
    select();
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("False"));
    chooseItem(combo, c.count - 1);
    EXPECT_TRUE(page.isChanged());
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(buttons[0]->property(c.property).toInt(), c.count - 1);
    EXPECT_EQ(buttons[1]->property(c.property).toInt(), c.count - 1);
}

INSTANTIATE_TEST_SUITE_P(Combos, ComboTest,
                         ::testing::Values(ComboCase{"cboAppearance", "Appearance", 2, 0, 1},
                                           ComboCase{"cboCaptionAlign", "CaptionAlign", 9, 3, 4},
                                           ComboCase{"cboPictureAlign", "PictureAlign", 13, 12, 0},
                                           ComboCase{"cboStyle", "Style", 3, 2, 0},
                                           ComboCase{"cboValue", "Value", 2, 1, 0}));

TEST_F(ButtonPageTest, ListsCarryTheirCaptions) {
    EXPECT_EQ(editor<QComboBox>("cboAppearance")->itemText(1), QStringLiteral("1 - 3D表示"));
    EXPECT_EQ(editor<QComboBox>("cboCaptionAlign")->itemText(8),
              QStringLiteral("8 - 右下隅に配置"));
    EXPECT_EQ(editor<QComboBox>("cboPictureAlign")->itemText(0), QStringLiteral(" 0 - 左上隅"));
    EXPECT_EQ(editor<QComboBox>("cboPictureAlign")->itemText(12),
              QStringLiteral("12 - キャプションの下"));
    EXPECT_EQ(editor<QComboBox>("cboStyle")->itemText(2), QStringLiteral("2 - オプションボタン"));
    EXPECT_EQ(check("chkUseMaskColor")->text(), QStringLiteral("マスクカラーを使用(&S)"));
    EXPECT_EQ(page.title(), QStringLiteral("ボタン"));
}

TEST_F(ButtonPageTest, EnumerationOutsideTheListShowsNoEntryAndIsKept) {
    // 12 lies outside the list's nine entries (and inside what the enumeration can hold).
    buttons[0]->setCaptionAlign(static_cast<zkButton::CaptionAlignEnum>(12));
    buttons[1]->setCaptionAlign(static_cast<zkButton::CaptionAlignEnum>(12));
    select();
    EXPECT_EQ(editor<QComboBox>("cboCaptionAlign")->currentIndex(), -1);
    click(check("chkDefault"));
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(int(buttons[0]->captionAlign()), 12);
}

TEST_F(ButtonPageTest, ApplyWritesTouchedEditorsInOrderFromFirstToLastButton) {
    select();
    QStringList& record = buttons.record();
    click(check("chkUseMaskColor"));
    typeInto(editor<QLineEdit>("txtCaption"), QStringLiteral("A"));
    chooseItem(editor<QComboBox>("cboAppearance"), 0);
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(record, QStringList({"zkButton1:Appearance", "zkButton2:Appearance",
                                   "zkButton1:Caption", "zkButton2:Caption",
                                   "zkButton1:UseMaskColor", "zkButton2:UseMaskColor"}));
    // Marks stay empty: a second Apply writes the same editors again.
    record.clear();
    ASSERT_FALSE(page.applyChanges().failed());
    EXPECT_EQ(record.size(), 6);
}

TEST_F(ButtonPageTest, ReadingClearsTheChangedFlag) {
    select();
    click(check("chkEnabled"));
    EXPECT_TRUE(page.isChanged());
    select();
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(page.mark(QStringLiteral("chkEnabled")), QStringLiteral("True"));
}

TEST_F(ButtonPageTest, DeletedButtonIsReportedNotTouched) {
    select();
    click(check("chkEnabled"));
    delete buttons[1];
    const zkHostError e = page.applyChanges();
    EXPECT_EQ(e.code, zk::pages::kErrorNoObject);
}

TEST_F(ButtonPageTest, ObjectWithoutThePropertiesFailsTheReading) {
    QObject plain;
    const zkHostError e = page.selectionChanged({buttons[0], &plain});
    EXPECT_EQ(e.code, zk::pages::kErrorNoProperty);
    EXPECT_TRUE(e.message.contains(QStringLiteral("Appearance")));
    EXPECT_EQ(page.selectionChanged({}).code, zk::pages::kErrorNoSelection);
}

TEST(MarginRule, NormalisesTheBoxText) {
    struct Case {
        const char* text;
        int value;
        bool rewrite;
    };
    const Case cases[] = {{"", 0, true},    {"0", 0, false},  {"8", 8, false},  {"9", 8, true},
                          {"12", 8, true},  {"-1", 0, true},  {"03", 3, false}, {"x", 0, true},
                          {"nan", 0, true}, {"2.5", 2, true}, {"inf", 0, true}};
    for (const Case& c : cases) {
        const zk::pages::MarginText m = zk::pages::normalizeMargin(QLatin1String(c.text));
        EXPECT_EQ(m.value, c.value) << c.text;
        EXPECT_EQ(m.rewrite, c.rewrite) << c.text;
    }
}

} // namespace
