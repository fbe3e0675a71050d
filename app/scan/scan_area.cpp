#include "scan_area.h"

#include <sane/saneopts.h>

#include <algorithm>

namespace folivo {

namespace {

std::pair<double, double> Limits(const OptionInfo& info) {
    if (info.range)
        return {WordToNumber(info, info.range->min), WordToNumber(info, info.range->max)};
    if (info.wordList && !info.wordList->isEmpty()) {
        const auto [lo, hi] = std::minmax_element(info.wordList->begin(), info.wordList->end());
        return {WordToNumber(info, *lo), WordToNumber(info, *hi)};
    }
    return {0, 0};
}

double Step(const OptionInfo& info) {
    return info.range && info.range->quant > 0 ? WordToNumber(info, info.range->quant) : 0;
}

bool IsAreaNumber(const OptionInfo& info) {
    return (info.type == SANE_TYPE_INT || info.type == SANE_TYPE_FIXED) && info.wordCount() == 1 &&
           (info.range || info.wordList);
}

} // namespace

std::optional<ScanArea> ScanArea::find(const std::vector<OptionInfo>& options) {
    const auto named = [&](const char* name) -> std::optional<OptionInfo> {
        for (const OptionInfo& info : options)
            if (info.name == QLatin1String(name) && IsAreaNumber(info))
                return info;
        return std::nullopt;
    };
    const auto l = named(SANE_NAME_SCAN_TL_X), t = named(SANE_NAME_SCAN_TL_Y);
    const auto r = named(SANE_NAME_SCAN_BR_X), b = named(SANE_NAME_SCAN_BR_Y);
    if (!l || !t || !r || !b)
        return std::nullopt;
    return ScanArea{*l, *t, *r, *b};
}

QRectF ScanArea::glass() const {
    const double x0 = Limits(left).first, y0 = Limits(top).first;
    return QRectF(QPointF(x0, y0), QPointF(Limits(right).second, Limits(bottom).second));
}

double ScanArea::stepX() const {
    return Step(left);
}

double ScanArea::stepY() const {
    return Step(top);
}

std::optional<QRectF> ScanArea::read(SaneDevice& device) const {
    double v[4] = {};
    const OptionInfo* infos[4] = {&left, &top, &right, &bottom};
    for (int i = 0; i < 4; ++i) {
        const std::optional<OptionValue> value = device.value(*infos[i]);
        if (!value || value->words.isEmpty())
            return std::nullopt;
        v[i] = WordToNumber(*infos[i], value->words[0]);
    }
    return QRectF(QPointF(v[0], v[1]), QPointF(v[2], v[3]));
}

bool ScanArea::write(SaneDevice& device, const QRectF& area) const {
    const QRectF now = read(device).value_or(glass());
    const QRectF a = area.normalized();
    bool reload = false;
    const auto set = [&](const OptionInfo& info, double number) {
        reload |=
            device.setValue(info, OptionValue{{NumberToWord(info, number)}, {}}).reloadOptions;
    };
    // Moving right, the far edge goes first; moving left, the near one.
    const auto axis = [&](const OptionInfo& lo, const OptionInfo& hi, double from, double a0,
                          double a1) {
        if (a0 >= from) {
            set(hi, a1);
            set(lo, a0);
        } else {
            set(lo, a0);
            set(hi, a1);
        }
    };
    axis(left, right, now.right(), a.left(), a.right());
    axis(top, bottom, now.bottom(), a.top(), a.bottom());
    return reload;
}

} // namespace folivo
