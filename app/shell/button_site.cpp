#include "button_site.h"

namespace folivo {

namespace {

// Only whole numbers stored as such; strings or pictures in a number key are faults.
std::optional<int> wholeNumber(const QVariant& value) {
    const int type = value.typeId();
    if (type != QMetaType::Int && type != QMetaType::UInt && type != QMetaType::LongLong)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || n < INT_MIN || n > INT_MAX)
        return std::nullopt;
    return static_cast<int>(n);
}

bool readNumber(const SiteValueLookup& lookup, const char* key, int low, int high,
                std::optional<int> fallback, int& out) {
    const std::optional<QVariant> stored = lookup(QLatin1String(key));
    if (!stored) {
        if (!fallback)
            return false;
        out = *fallback;
        return true;
    }
    const std::optional<int> n = wholeNumber(*stored);
    if (!n || *n < low || *n > high)
        return false;
    out = *n;
    return true;
}

} // namespace

ButtonSiteResult ReadButtonSite(const SiteValueLookup& lookup) {
    ButtonSite site;
    struct NumberKey {
        const char* key;
        int low;
        int high;
        std::optional<int> fallback;
        int* out;
    };
    const NumberKey numbers[] = {
        {"Height", 1, kMaxSiteSizeTwips, std::nullopt, &site.height},
        {"Left", 0, kMaxSiteTwips, 0, &site.left},
        {"TabIndex", 0, kMaxTabIndex, 0, &site.tabIndex},
        {"Top", 0, kMaxSiteTwips, 0, &site.top},
        {"Width", 1, kMaxSiteSizeTwips, std::nullopt, &site.width},
    };
    for (const NumberKey& n : numbers)
        if (!readNumber(lookup, n.key, n.low, n.high, n.fallback, *n.out))
            return {std::nullopt, QLatin1String(n.key)};

    const QString tipKey = QStringLiteral("ToolTipText");
    if (const std::optional<QVariant> tip = lookup(tipKey)) {
        if (tip->typeId() != QMetaType::QString || tip->toString().size() > kMaxToolTipLength)
            return {std::nullopt, tipKey};
        site.toolTipText = tip->toString();
    }
    return {site, {}};
}

void WriteButtonSite(const ButtonSite& site, const SiteValueStore& store) {
    store(QStringLiteral("Height"), site.height);
    store(QStringLiteral("Left"), site.left);
    store(QStringLiteral("TabIndex"), site.tabIndex);
    if (!site.toolTipText.isEmpty())
        store(QStringLiteral("ToolTipText"), site.toolTipText);
    store(QStringLiteral("Top"), site.top);
    store(QStringLiteral("Width"), site.width);
}

} // namespace folivo
