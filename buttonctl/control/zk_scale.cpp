#include "zk_scale.h"

namespace zk {

namespace {
// Units of the scale mode in one inch.
double unitsPerInch(int scaleMode, bool horizontal, int dpi) {
    switch (scaleMode) {
    case 1:
        return 1440.0;
    case 2:
        return 72.0;
    case 4:
        return horizontal ? 1440.0 / 120.0 : 1440.0 / 240.0;
    case 5:
        return 1.0;
    case 6:
        return 25.4;
    case 7:
        return 2.54;
    default:
        return dpi; // pixels, user-defined and unknown scales
    }
}
} // namespace

double pixelsToScale(double pixels, int scaleMode, bool horizontal, int dpi) {
    return pixels * unitsPerInch(scaleMode, horizontal, dpi) / dpi;
}

double scaleToPixels(double value, int scaleMode, bool horizontal, int dpi) {
    return value * dpi / unitsPerInch(scaleMode, horizontal, dpi);
}

} // namespace zk
