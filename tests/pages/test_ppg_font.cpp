// ppgFont: the font list, agreement over several buttons, font objects changed in place,
// the size box, the grey style boxes and the redraw after Apply.
#include "page_test_support.h"
#include "ppg_font.h"
#include "zk_font.h"

#include <gtest/gtest.h>

using namespace zk::test;

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
    QStringList names;
    for (int i = 0; i < fontList->count(); ++i)
        names << fontList->itemText(i);
    EXPECT_EQ(names, fakes.fonts->names);
    ASSERT_TRUE(select());
    EXPECT_EQ(fontList->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(sizeBox->currentText(), QStringLiteral("9"));
    EXPECT_EQ(preview->font().family(), QStringLiteral("DejaVu Sans"));
    for (const QString& name : {QStringLiteral("No Such Font"), QStringLiteral("dejavu sans")}) {
        setFonts(name, name);
        ASSERT_TRUE(select());
        EXPECT_EQ(fontList->currentIndex(), -1) << name.toStdString();
        EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("True"));
    }
    setFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic"));
    ASSERT_TRUE(select());
    EXPECT_EQ(fontList->currentIndex(), -1);
    EXPECT_EQ(page->mark(QStringLiteral("cboFont")), QStringLiteral("False"));
    click(style(0));
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).name(), QStringLiteral("IPAPGothic")); // untouched, stays
    chooseItem(fontList, 1);                                 // a chosen name goes to every button
    EXPECT_EQ(preview->font().family(), QStringLiteral("DejaVu Serif"));
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
    EXPECT_TRUE(preview->font().bold());
    ASSERT_TRUE(apply());
    EXPECT_TRUE(font(1).bold());
    EXPECT_EQ(buttons[1]->buttonFont().data(), second);
    EXPECT_NE(buttons[1]->visibleSurface(), before);
    const char* attributes[] = {"Bold", "Italic", "Underline", "Strikethrough"};
    for (int i = 1; i < 4; ++i) {
        ASSERT_TRUE(select());
        click(style(i));
        ASSERT_TRUE(apply());
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(font(1).property(attributes[j]).toBool(), j <= i) << i << " " << j;
    }
}

TEST_F(FontPageTest, TypedOrChosenSizeIsAppliedButNoNumberIsNot) {
    setFonts(QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans"), 12);
    ASSERT_TRUE(select());
    EXPECT_EQ(sizeBox->currentText(), QString());
    typeInto(sizeBox->lineEdit(), QStringLiteral("ab"));
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).size(), 12.0);
    sizeBox->lineEdit()->clear();
    typeInto(sizeBox->lineEdit(), QStringLiteral("13"));
    EXPECT_EQ(preview->font().pointSize(), 13);
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(0).size(), 13.0);
    EXPECT_EQ(font(1).size(), 13.0);
    chooseItem(sizeBox, 13); // "36"
    ASSERT_TRUE(apply());
    EXPECT_EQ(font(1).size(), 36.0);
}

TEST_F(FontPageTest, PreviewIsNeverAppliedAndAButtonWithoutFontIsReported) {
    buttons[0]->setCaption(QStringLiteral("Scan"));
    ASSERT_TRUE(select());
    EXPECT_EQ(preview->text(), QStringLiteral("Scan"));
    typeInto(preview, QStringLiteral(" more"));
    EXPECT_FALSE(page->isChanged());
    ASSERT_TRUE(apply());
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("Scan"));
    buttons[1]->setButtonFont(zkFontRef());
    EXPECT_FALSE(select());
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
