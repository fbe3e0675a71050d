#include "sane_option.h"

#include <algorithm>
#include <cmath>

namespace folivo {

QString SerializeOptionValue(const OptionInfo& info, const OptionValue& value) {
    if (info.type == SANE_TYPE_STRING)
        return value.text;
    QStringList parts;
    parts.reserve(value.words.size());
    for (SANE_Word w : value.words)
        parts.append(QString::number(w));
    return parts.join(QLatin1Char(','));
}

std::optional<OptionValue> ParseOptionValue(const OptionInfo& info, const QString& text) {
    if (!info.hasValue())
        return std::nullopt;
    OptionValue value;
    if (info.type == SANE_TYPE_STRING) {
        if (text.toUtf8().size() >= info.size)
            return std::nullopt;
        value.text = text;
        return value;
    }
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != info.wordCount())
        return std::nullopt;
    for (const QString& part : parts) {
        bool ok = false;
        const int w = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        value.words.append(w);
    }
    return value;
}

double FixedToDouble(SANE_Word w) {
    return double(w) / double(1 << SANE_FIXED_SCALE_SHIFT);
}

SANE_Word DoubleToFixed(double v) {
    const double scaled = std::round(v * double(1 << SANE_FIXED_SCALE_SHIFT));
    return static_cast<SANE_Word>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

double WordToNumber(const OptionInfo& info, SANE_Word w) {
    return info.type == SANE_TYPE_FIXED ? FixedToDouble(w) : double(w);
}

SANE_Word NumberToWord(const OptionInfo& info, double number) {
    if (info.type == SANE_TYPE_FIXED)
        return DoubleToFixed(number);
    return static_cast<SANE_Word>(std::clamp(std::round(number), -2147483648.0, 2147483647.0));
}

QString UnitSuffix(SANE_Unit unit) {
    switch (unit) {
    case SANE_UNIT_PIXEL:
        return QStringLiteral("pel");
    case SANE_UNIT_BIT:
        return QStringLiteral("bit");
    case SANE_UNIT_MM:
        return QStringLiteral("mm");
    case SANE_UNIT_DPI:
        return QStringLiteral("dpi");
    case SANE_UNIT_PERCENT:
        return QStringLiteral("%");
    case SANE_UNIT_MICROSECOND:
        return QStringLiteral("us");
    default:
        return QString();
    }
}

} // namespace folivo
