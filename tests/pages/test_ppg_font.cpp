// ppgFont: the font list, agreement over several buttons, font objects changed in place,
// the size box, the grey style boxes and the redraw after Apply.
#include "page_test_support.h"
#include "ppg_font.h"
#include "zk_font.h"

#include <gtest/gtest.h>

using namespace zk::test;

namespace {

class FontPageTest : public ::testing::Test {
protected:
    ButtonSet buttons{2};
    Fakes fakes;
    std::unique_ptr<ppgFont> page;
    QComboBox* fontList = nullptr;
    QComboBox* sizeBox = nullptr;

    void SetUp() override {
        page = std::make_unique<ppgFont>(fakes.services());
        page->resize(420, 300);
        page->show();
        fontList = child<QComboBox>(page.get(), QStringLiteral("cboFont"));
        sizeBox = child<QComboBox>(page.get(), QStringLiteral("cboFontSize"));
        setFont(0, QStringLiteral("DejaVu Sans"), 9);
        setFont(1, QStringLiteral("DejaVu Sans"), 9);
    }
    void setFont(int button, const QString& name, double size) {
        buttons[button]->setButtonFont(zkFontRef::create(name, size));
    }
    zkFont& font(int button) { return *buttons[button]->buttonFont(); }
    void select() { ASSERT_FALSE(page->selectionChanged(buttons.selection()).failed()); }
    zkGreyCheckBox* style(int i) {
        return child<zkGreyCheckBox>(page.get(), QStringLiteral("chkStyle%1").arg(i));
    }
    QLineEdit* preview() { return child<QLineEdit>(page.get(), QStringLiteral("txtPreview")); }
};

TEST_F(FontPageTest, AgreeingFontIsShownExactlyFromTheInstalledList) {
    QStringList names;
    for (int i = 0; i < fontList->count(); ++i)
        names << fontList->itemText(i);
    EXPECT_EQ(names, fakes.fonts->names);
    select();
    EXPECT_EQ(fontList->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(sizeBox->currentText(), QStringLiteral("9"));
    EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("True"));
    EXPECT_FALSE(page->isChanged());
    EXPECT_EQ(preview()->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(preview()->font().pointSize(), 9);
}

TEST_F(FontPageTest, NamesOutsideTheListOrDisagreeingShowNoEntryAndStay) {
    for (const QString& name : {QStringLiteral("No Such Font"), QStringLiteral("dejavu sans")}) {
        setFont(0, name, 9);
        setFont(1, name, 9);
        select();
        EXPECT_EQ(fontList->currentIndex(), -1) << name.toStdString();
        EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("True"));
    }
    setFont(0, QStringLiteral("DejaVu Sans"), 9);
    setFont(1, QStringLiteral("IPAPGothic"), 9);
    select();
    EXPECT_EQ(fontList->currentIndex(), -1);
    EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("False"));
    click(style(0));
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(font(1).name(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(font(1).bold());
    chooseItem(fontList, 1); // a chosen name goes to every button
    EXPECT_EQ(preview()->font().family(), QStringLiteral("DejaVu Serif"));
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(font(0).name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(font(1).name(), QStringLiteral("DejaVu Serif"));
}

TEST_F(FontPageTest, GreyBoldClickedSetsBothAndKeepsTheFontObjects) {
    font(0).setBold(true);
    const zkFont* first = buttons[0]->buttonFont().data();
    const zkFont* second = buttons[1]->buttonFont().data();
    select();
    EXPECT_EQ(style(0)->state(), 2);
    EXPECT_EQ(style(1)->state(), 0);
    click(style(0));
    EXPECT_EQ(style(0)->state(), 1);
    EXPECT_TRUE(preview()->font().bold());
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_TRUE(font(0).bold());
    EXPECT_TRUE(font(1).bold());
    EXPECT_EQ(buttons[0]->buttonFont().data(), first);
    EXPECT_EQ(buttons[1]->buttonFont().data(), second);
}

TEST_F(FontPageTest, StyleBoxesWriteTheirOwnAttribute) {
    const char* attributes[] = {"Bold", "Italic", "Underline", "Strikethrough"};
    for (int i = 0; i < 4; ++i) {
        select();
        click(style(i));
        ASSERT_FALSE(page->applyChanges().failed());
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(font(1).property(attributes[j]).toBool(), j <= i) << i << " " << j;
    }
}

TEST_F(FontPageTest, TypedOrChosenSizeIsAppliedButNoNumberIsNot) {
    setFont(1, QStringLiteral("DejaVu Sans"), 12);
    select();
    EXPECT_EQ(sizeBox->currentText(), QString());
    EXPECT_EQ(page->mark(QStringLiteral("cboFontSize")), QStringLiteral("False"));
    typeInto(sizeBox->lineEdit(), QStringLiteral("ab"));
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(font(0).size(), 9.0);
    EXPECT_EQ(font(1).size(), 12.0);
    sizeBox->lineEdit()->clear();
    typeInto(sizeBox->lineEdit(), QStringLiteral("13"));
    EXPECT_TRUE(page->isChanged());
    EXPECT_EQ(preview()->font().pointSize(), 13);
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(font(0).size(), 13.0);
    EXPECT_EQ(font(1).size(), 13.0);
    chooseItem(sizeBox, 13); // "36"
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(font(1).size(), 36.0);
}

TEST_F(FontPageTest, PreviewTakesTheFirstCaptionAndIsNeverApplied) {
    buttons[0]->setCaption(QStringLiteral("Scan"));
    select();
    EXPECT_EQ(preview()->text(), QStringLiteral("Scan"));
    typeInto(preview(), QStringLiteral(" more"));
    EXPECT_FALSE(page->isChanged());
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Scan"));
}

TEST_F(FontPageTest, ButtonsRedrawWithTheNewFontAfterApply) {
    buttons[0]->setCaption(QStringLiteral("Wide"));
    buttons[1]->setCaption(QStringLiteral("Wide"));
    select();
    const QImage before = buttons[1]->visibleSurface().copy();
    QStringList& record = buttons.record();
    chooseItem(sizeBox, 8); // "18"
    click(style(0));
    ASSERT_FALSE(page->applyChanges().failed());
    EXPECT_TRUE(record.contains(QStringLiteral("zkButton1:Caption")));
    EXPECT_TRUE(record.contains(QStringLiteral("zkButton2:Caption")));
    EXPECT_NE(buttons[1]->visibleSurface(), before);
}

TEST_F(FontPageTest, ButtonWithoutFontIsReported) {
    buttons[1]->setButtonFont(zkFontRef());
    EXPECT_TRUE(page->selectionChanged(buttons.selection()).failed());
}

TEST(FontSizeText, ParsesWholePoints) {
    struct Case {
        const char* text;
        std::optional<int> size;
    };
    const Case cases[] = {{"13", 13},     {" 8 ", 8},   {"12.5", 12}, {"13.5", 14},
                          {"", {}},       {"ab", {}},   {"0", {}},    {"-4", {}},
                          {"1638", 1638}, {"1639", {}}, {"nan", {}},  {"1e300", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(zk::pages::parseFontSize(QLatin1String(c.text)), c.size) << c.text;
}

} // namespace
