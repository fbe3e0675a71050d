// The window's own keys of a toolbar block, read with every bound checked. (Written back:
// test_toolbar_form.cpp.)
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

const QString kTip = QStringLiteral("TWAINデバイスから新しいスキャンを行います。");
const Block kScanBlock{{"Height", 375},       {"Left", 375}, {"TabIndex", 1},
                       {"ToolTipText", kTip}, {"Top", 40},   {"Width", 750}};

TEST(ButtonSite, ReadsAWholeBlockAndTakesDefaultsForAbsentOptionalKeys) {
    const ButtonSiteResult r = ReadButtonSite(lookupIn(kScanBlock));
    ASSERT_TRUE(r.site.has_value()) << r.badKey.toStdString();
    EXPECT_EQ(*r.site, (ButtonSite{375, 40, 750, 375, 1, kTip}));
    const ButtonSiteResult bare = ReadButtonSite(lookupIn({{"Height", 300}, {"Width", 200}}));
    ASSERT_TRUE(bare.site.has_value());
    EXPECT_EQ(*bare.site, (ButtonSite{0, 0, 200, 300, 0, QString()}));
}

TEST(ButtonSite, ADamagedKeyIsNamedAndGivesNoSiteWhileTheLimitsThemselvesAreRead) {
    const struct {
        const char* key;
        QVariant value; // an invalid QVariant removes the key
        bool accepted;
    } cases[] = {
        {"Width", QVariant(), false},
        {"Height", QVariant(), false},
        {"Width", 0, false},
        {"Height", -375, false},
        {"Width", kMaxSiteSizeTwips + 1, false},
        {"Width", kMaxSiteSizeTwips, true},
        {"Left", -1, false},
        {"Left", kMaxSiteTwips, true},
        {"Top", kMaxSiteTwips + 1, false},
        {"Left", QStringLiteral("375"), false},
        {"Top", true, false},
        {"Left", 375.5, false},
        {"Height", QVariant::fromValue(1u), true}, // a colour-style unsigned number
        {"TabIndex", kMaxTabIndex + 1, false},
        {"TabIndex", kMaxTabIndex, true},
        {"TabIndex", -1, false},
        {"Width", QVariant::fromValue(qlonglong(1) << 40), false},
        {"ToolTipText", 7, false},
        {"ToolTipText", QString(kMaxToolTipLength + 1, QChar(u'x')), false},
        {"ToolTipText", QString(kMaxToolTipLength, QChar(u'x')), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.key << " = " << c.value.toString().left(9).toStdString());
        Block block = kScanBlock;
        if (c.value.isValid())
            block[QLatin1String(c.key)] = c.value;
        else
            block.remove(QLatin1String(c.key));
        const ButtonSiteResult r = ReadButtonSite(lookupIn(block));
        EXPECT_EQ(r.site.has_value(), c.accepted);
        EXPECT_EQ(r.badKey, c.accepted ? QString() : QLatin1String(c.key));
    }
}

} // namespace
} // namespace folivo
