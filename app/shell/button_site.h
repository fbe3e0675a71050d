#pragma once
// The values the window keeps for each control beside the control's own properties:
// position and size in twips, tab order and tooltip text. They share the control's block
// in the form description, ahead of the control's keys:
//
//   Height = 375 / Left = 375 / TabIndex = 1 / ToolTipText = "..." / Top = 40 / Width = 375
//
// ReadButtonSite checks every value (type and range) and names the first bad key, so a
// damaged description never places a control off-screen or with a huge size. Absent keys
// take their defaults (0, empty tooltip); Width and Height are required.
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace folivo {

struct ButtonSite {
    int left = 0; // twips
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = 0;
    QString toolTipText;
    bool operator==(const ButtonSite&) const = default;
};

inline constexpr int kMaxSiteTwips = 144000; // 100 inches
inline constexpr int kMaxSiteSizeTwips = 14400;
inline constexpr int kMaxTabIndex = 9999;
inline constexpr int kMaxToolTipLength = 1024;

struct ButtonSiteResult {
    std::optional<ButtonSite> site;
    QString badKey; // the first key that is wrong or missing; empty when site is set
};

// A block's stored value of `key`, or nullopt when the block lacks it.
using SiteValueLookup = std::function<std::optional<QVariant>(const QString& key)>;
// Stores `value` under `key` in the block, as it stands.
using SiteValueStore = std::function<void(const QString& key, const QVariant& value)>;

ButtonSiteResult ReadButtonSite(const SiteValueLookup& lookup);
// Writes the keys in the order above; an empty tooltip is not written.
void WriteButtonSite(const ButtonSite& site, const SiteValueStore& store);

} // namespace folivo
