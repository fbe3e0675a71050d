// The window's own keys of a toolbar block: read with every bound checked, written back in
// the order the description keeps them.
#include "button_site.h"

#include <QMap>
#include <gtest/gtest.h>

namespace folivo {
namespace {

using Block = QMap<QString, QVariant>;

SiteValueLookup lookupIn(const Block& block) {
    return [block](const QString& key) -> std::optional<QVariant> {
        if (!block.contains(key))
            return std::nullopt;
        return block.value(key);
    };
}

Block scanBlock() {
    return {{"Height", 375},
            {"Left", 375},
            {"TabIndex", 1},
            {"ToolTipText", QStringLiteral("TWAINデバイスから新しいスキャンを行います。")},
            {"Top", 40},
            {"Width", 375}};
}

TEST(ButtonSite, ReadsEveryKeyOfAWholeBlock) {
    const ButtonSiteResult r = ReadButtonSite(lookupIn(scanBlock()));
    ASSERT_TRUE(r.site.has_value()) << r.badKey.toStdString();
    EXPECT_EQ(r.site->left, 375);
    EXPECT_EQ(r.site->top, 40);
    EXPECT_EQ(r.site->width, 375);
    EXPECT_EQ(r.site->height, 375);
    EXPECT_EQ(r.site->tabIndex, 1);
    EXPECT_EQ(r.site->toolTipText, QStringLiteral("TWAINデバイスから新しいスキャンを行います。"));
}

TEST(ButtonSite, AbsentOptionalKeysTakeTheirDefaults) {
    const Block block{{"Height", 300}, {"Width", 200}};
    const ButtonSiteResult r = ReadButtonSite(lookupIn(block));
    ASSERT_TRUE(r.site.has_value());
    EXPECT_EQ(*r.site, (ButtonSite{0, 0, 200, 300, 0, QString()}));
}

struct BadValue {
    const char* key;
    QVariant value; // an invalid QVariant removes the key
};

class ButtonSiteFault : public ::testing::TestWithParam<BadValue> {};

TEST_P(ButtonSiteFault, NamesTheBadKeyAndGivesNoSite) {
    Block block = scanBlock();
    const BadValue bad = GetParam();
    if (bad.value.isValid())
        block[QLatin1String(bad.key)] = bad.value;
    else
        block.remove(QLatin1String(bad.key));
    const ButtonSiteResult r = ReadButtonSite(lookupIn(block));
    EXPECT_FALSE(r.site.has_value());
    EXPECT_EQ(r.badKey, QLatin1String(bad.key));
}

INSTANTIATE_TEST_SUITE_P(
    DamagedBlocks, ButtonSiteFault,
    ::testing::Values(BadValue{"Width", QVariant()}, BadValue{"Height", QVariant()},
                      BadValue{"Width", 0}, BadValue{"Height", -375},
                      BadValue{"Width", kMaxSiteSizeTwips + 1}, BadValue{"Left", -1},
                      BadValue{"Top", kMaxSiteTwips + 1}, BadValue{"Left", QStringLiteral("375")},
                      BadValue{"Top", true}, BadValue{"Left", 375.5},
                      BadValue{"TabIndex", kMaxTabIndex + 1}, BadValue{"TabIndex", -1},
                      BadValue{"Width", QVariant::fromValue(qlonglong(1) << 40)},
                      BadValue{"ToolTipText", 7},
                      BadValue{"ToolTipText", QString(kMaxToolTipLength + 1, QChar(u'x'))}));

TEST(ButtonSite, LimitsThemselvesAreAccepted) {
    Block block = scanBlock();
    block["Left"] = kMaxSiteTwips;
    block["Width"] = kMaxSiteSizeTwips;
    block["TabIndex"] = kMaxTabIndex;
    block["ToolTipText"] = QString(kMaxToolTipLength, QChar(u'x'));
    block["Height"] = QVariant::fromValue(1u); // a colour-style unsigned number is a number too
    EXPECT_TRUE(ReadButtonSite(lookupIn(block)).site.has_value());
}

TEST(ButtonSite, WritesKeysInTheDescriptionsOrderAndReadsBackTheSame) {
    const ButtonSite site{1500, 45, 375,
                          375,  5,  QStringLiteral("スキャンした画像をBMPファイルに保存します。")};
    QStringList keys;
    Block block;
    WriteButtonSite(site, [&](const QString& key, const QVariant& value) {
        keys.append(key);
        block.insert(key, value);
    });
    EXPECT_EQ(keys, (QStringList{"Height", "Left", "TabIndex", "ToolTipText", "Top", "Width"}));
    const ButtonSiteResult back = ReadButtonSite(lookupIn(block));
    ASSERT_TRUE(back.site.has_value());
    EXPECT_EQ(*back.site, site);
}

TEST(ButtonSite, AnEmptyTooltipIsNotWritten) {
    QStringList keys;
    WriteButtonSite(ButtonSite{0, 0, 10, 10, 0, QString()},
                    [&](const QString& key, const QVariant&) { keys.append(key); });
    EXPECT_FALSE(keys.contains(QStringLiteral("ToolTipText")));
    EXPECT_EQ(keys.size(), 5);
}

} // namespace
} // namespace folivo
