// The Japanese UI font: the family name maps to IPA P Gothic and draws Japanese.
#include "app_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace folivo;

TEST(UiFont, FamilyNameResolvesToIpaPGothicWithJapaneseGlyphs) {
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
    const QFont before = QApplication::font();
    InstallUiFont();
    const QFont font = QApplication::font();
    EXPECT_EQ(font.family(), kUiFontFamily);
    EXPECT_EQ(font.pointSize(), 9);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x30A2))) << "katakana A";
    EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x958B))) << "kanji of 開始";
    QApplication::setFont(before);
}
