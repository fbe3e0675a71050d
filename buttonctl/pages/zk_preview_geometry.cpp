#include "zk_preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace zk::pages {
namespace {
// Round to nearest with halves to even (the default rounding mode), then halve toward 0.
int centred(int area, double size) {
    return static_cast<int>(std::nearbyint(area - size)) / 2;
}
} // namespace

QRect previewGeometry(Zoom zoom, QSize area, QSize picture) {
    if (picture.width() <= 0 || picture.height() <= 0 || area.isEmpty())
        return {};
    if (zoom == Zoom::Stretch)
        return {0, 0, area.width(), area.height()};
    double width = picture.width();
    double height = picture.height();
    if (zoom != Zoom::ActualSize) {
        double r = std::max(width / area.width(), height / area.height());
        if (zoom == Zoom::ZoomToFit)
            r = std::min(r, 1.0);
        width /= r;
        height /= r;
    }
    return {centred(area.width(), width), centred(area.height(), height),
            static_cast<int>(std::nearbyint(width)), static_cast<int>(std::nearbyint(height))};
}

} // namespace zk::pages
