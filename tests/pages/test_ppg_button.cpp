// ppgButton acting like a user: agreement over several buttons, marks, the margin box
// rules, the focus-rectangle enabling and what Apply writes.
#include "page_test_support.h"
#include "ppg_button.h"
#include "zk_colors.h"
#include "zk_property_access.h"

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
    void both(const char* property, const QVariant& a, const QVariant& b) {
        buttons[0]->setProperty(property, a);
        buttons[1]->setProperty(property, b);
    }
    template <typename T> T* editor(const char* name) { return child<T>(&page, name); }
    zkGreyCheckBox* check(const char* name) { return editor<zkGreyCheckBox>(name); }
    QLineEdit* margin() { return editor<QLineEdit>("txtFocusRectMargin"); }
    QScrollBar* spin() { return editor<QScrollBar>("vscFocusRectMargin"); }
    void apply() { ASSERT_FALSE(page.applyChanges().failed()); }
};

TEST_F(ButtonPageTest, CaptionAgreementMarksAndApply) {
    both("Caption", QStringLiteral("Scan"), QStringLiteral("Save"));
    select();
    QLineEdit* caption = editor<QLineEdit>("txtCaption");
    EXPECT_EQ(caption->text(), QString());
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QStringLiteral("False"));
    chooseItem(editor<QComboBox>("cboStyle"), 1); // another editor gives Apply work
    apply();
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Scan"));
    EXPECT_EQ(buttons[1]->buttonStyle(), zkButton::zbbCheck);

    both("Caption", QStringLiteral("Same"), QStringLiteral("Same"));
    select();
    EXPECT_EQ(caption->text(), QStringLiteral("Same"));
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QStringLiteral("True"));
    EXPECT_FALSE(page.isChanged());
    typeInto(caption, QStringLiteral("&x"));
    EXPECT_TRUE(page.isChanged());
    EXPECT_EQ(page.mark(QStringLiteral("txtCaption")), QString(""));
    apply();
    EXPECT_FALSE(page.isChanged());
    EXPECT_EQ(buttons[1]->displayCaption(), QStringLiteral("Samex"));
}

TEST_F(ButtonPageTest, MarginBoxKeepsToZeroToEightAndFollowsTheSpinBar) {
    both("FocusRectMargin", 2, 5);
    select();
    EXPECT_EQ(margin()->text(), QStringLiteral("0")); // disagreeing: 0, not applied untouched
    EXPECT_EQ(page.mark(QStringLiteral("txtFocusRectMargin")), QStringLiteral("False"));
    click(check("chkCancel"));
    apply();
    EXPECT_EQ(buttons[1]->focusRectMargin(), 5);

    both("FocusRectMargin", 3, 3);
    select();
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
    EXPECT_TRUE(page.isChanged());
    apply();
    EXPECT_EQ(buttons[0]->focusRectMargin(), 7);
    EXPECT_EQ(buttons[1]->focusRectMargin(), 7);
    for (const char* pasted : {"abc", "-3", "99999999999999999999"}) {
        margin()->setText(QLatin1String(pasted));
        EXPECT_EQ(margin()->text(), pasted[0] == '9' ? QStringLiteral("8") : QStringLiteral("0"));
    }
}

TEST_F(ButtonPageTest, UncheckedOrGreyFocusBoxDisablesTheMargin) {
    both("ShowFocusRect", false, false);
    select();
    auto* label = editor<QLabel>("lblFocusRectMargin");
    EXPECT_FALSE(label->isEnabled() || margin()->isEnabled() || spin()->isEnabled());
    EXPECT_EQ(margin()->palette().color(QPalette::Disabled, QPalette::Base),
              zkResolveColor(0x8000000F, page.palette()));
    click(check("chkShowFocusRect"));
    EXPECT_TRUE(label->isEnabled() && margin()->isEnabled() && spin()->isEnabled());
    EXPECT_EQ(margin()->palette().color(QPalette::Active, QPalette::Base),
              zkResolveColor(0x80000005, page.palette()));
    both("ShowFocusRect", true, false);
    select();
    EXPECT_EQ(check("chkShowFocusRect")->state(), 2);
    EXPECT_FALSE(margin()->isEnabled());
}

TEST_F(ButtonPageTest, GreyBoxWritesNothingUntilClickedThenItsState) {
    const struct {
        const char* editor;
        const char* property;
    } cases[] = {{"chkShowFocusRect", "ShowFocusRect"},
                 {"chkCancel", "Cancel"},
                 {"chkDefault", "Default"},
                 {"chkEnabled", "Enabled"},
                 {"chkOwnerDraw", "OwnerDraw"},
                 {"chkUseMaskColor", "UseMaskColor"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.editor);
        both(c.property, true, false);
        select();
        zkGreyCheckBox* box = check(c.editor);
        EXPECT_EQ(box->state(), 2);
        EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("False"));
        chooseItem(editor<QComboBox>("cboValue"), 1);
        apply();
        EXPECT_NE(buttons[0]->property(c.property).toBool(),
                  buttons[1]->property(c.property).toBool());
        click(box); // grey -> checked
        EXPECT_EQ(box->state(), 1);
        apply();
        EXPECT_TRUE(buttons[0]->property(c.property).toBool() &&
                    buttons[1]->property(c.property).toBool());
        click(box); // checked -> unchecked, never grey again
        EXPECT_EQ(box->state(), 0);
        apply();
        EXPECT_FALSE(buttons[0]->property(c.property).toBool() ||
                     buttons[1]->property(c.property).toBool());
    }
}

TEST_F(ButtonPageTest, AgreementShowsTheIndexAndAChoiceIsWrittenToAll) {
    const struct {
        const char* editor;
        const char* property;
        int count, first, second;
    } cases[] = {{"cboAppearance", "Appearance", 2, 0, 1},
                 {"cboCaptionAlign", "CaptionAlign", 9, 3, 4},
                 {"cboPictureAlign", "PictureAlign", 13, 12, 0},
                 {"cboStyle", "Style", 3, 2, 0},
                 {"cboValue", "Value", 2, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.editor);
        QComboBox* combo = editor<QComboBox>(c.editor);
        EXPECT_EQ(combo->count(), c.count);
        both(c.property, c.first, c.first);
        select();
        EXPECT_EQ(combo->currentIndex(), c.first);
        EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("True"));
        both(c.property, c.first, c.second);
        select();
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(page.mark(QLatin1String(c.editor)), QStringLiteral("False"));
        chooseItem(combo, c.count - 1);
        EXPECT_TRUE(page.isChanged());
        apply();
        EXPECT_EQ(buttons[0]->property(c.property).toInt(), c.count - 1);
        EXPECT_EQ(buttons[1]->property(c.property).toInt(), c.count - 1);
    }
}

TEST_F(ButtonPageTest, ApplyWritesTouchedEditorsInOrderAndKeepsOutOfListValues) {
    both("CaptionAlign", 12, 12); // outside the list's nine entries
    select();
    EXPECT_EQ(editor<QComboBox>("cboCaptionAlign")->currentIndex(), -1);
    QStringList& record = buttons.record();
    click(check("chkUseMaskColor"));
    typeInto(editor<QLineEdit>("txtCaption"), QStringLiteral("A"));
    chooseItem(editor<QComboBox>("cboAppearance"), 0);
    apply();
    EXPECT_EQ(record, QStringList({"zkButton1:Appearance", "zkButton2:Appearance",
                                   "zkButton1:Caption", "zkButton2:Caption",
                                   "zkButton1:UseMaskColor", "zkButton2:UseMaskColor"}));
    EXPECT_EQ(int(buttons[0]->captionAlign()), 12);
    record.clear(); // marks stay empty: a second Apply writes the same editors again
    apply();
    EXPECT_EQ(record.size(), 6);
    select(); // reading again clears the changed flag
    EXPECT_FALSE(page.isChanged());
}

TEST_F(ButtonPageTest, DeletedOrUnfitSelectionIsReported) {
    QObject plain;
    EXPECT_EQ(page.selectionChanged({buttons[0], &plain}).code, zk::pages::kErrorNoProperty);
    EXPECT_EQ(page.selectionChanged({}).code, zk::pages::kErrorNoSelection);
    select();
    click(check("chkEnabled"));
    delete buttons[1];
    EXPECT_EQ(page.applyChanges().code, zk::pages::kErrorNoObject);
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
