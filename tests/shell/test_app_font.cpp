// The Japanese UI: the family name maps to IPA P Gothic, and Qt's own texts are Japanese.
#include "app_font.h"
#include "qt_translation.h"

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

TEST(QtTranslation, StandardDialogButtonsSpeakJapanese) {
    const QString english = QStringLiteral("Cancel");
    ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), english);
    ASSERT_TRUE(InstallQtTranslation()) << "qt6-translations-l10n is not installed";
    const QString translated = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_NE(translated, english);
    EXPECT_TRUE(translated.contains(QChar(0x30AD))) << translated.toStdString(); // キ of キャンセル
}
