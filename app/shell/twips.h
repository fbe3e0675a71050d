#pragma once
// Twips (1/1440 inch) to pixels and back at a given dots-per-inch.
#include <QtMath>

namespace folivo {

inline constexpr double kTwipsPerInch = 1440.0;

inline int TwipsToPixels(int twips, double dpi) {
    return qRound(twips * dpi / kTwipsPerInch);
}

inline int PixelsToTwips(int pixels, double dpi) {
    return dpi > 0 ? qRound(pixels * kTwipsPerInch / dpi) : 0;
}

} // namespace folivo
