#include "zk_geometry.h"

#include <cmath>
#include <limits>

namespace zk {

namespace {
constexpr int kCaptionTop = 9, kCaptionLeft = 10, kCaptionRight = 11, kCaptionBottom = 12;

// Column (0 left, 1 centre, 2 right) or row of a caption alignment; -1 outside 0..8.
int columnOf(int align) {
    return (align >= 0 && align <= 8) ? align % 3 : -1;
}
int rowOf(int align) {
    return (align >= 0 && align <= 8) ? align / 3 : -1;
}
} // namespace

int saturatedInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

qint64 saturatedInt64(double v) {
    // 2^63 is the first double beyond the range; the lowest value is exactly -2^63.
    if (std::isnan(v))
        return 0;
    if (v >= 0x1p63)
        return std::numeric_limits<qint64>::max();
    if (v <= -0x1p63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(v);
}

int roundHalfEven(double v) {
    return saturatedInt(std::nearbyint(v));
}

namespace {
// One axis of the caption position. `slot` is the column (or row) of the caption alignment,
// `extent` the picture's width (or height) when the picture sits beside (or above/below)
// the caption, `nearGap` the spacing after a picture on the near side, and pictureNear /
// pictureFar tell whether the picture is on the left/top or right/bottom of the caption.
int captionAxis(int slot, int length, int text, int extent, int nearGap, bool pictureNear,
                bool pictureFar) {
    switch (slot) {
    case 0:
        return pictureFar ? 2 : extent + nearGap;
    case 1:
        if (pictureFar)
            extent = -extent;
        return extent + sgn(extent) + truncDiv2(roundHalfEven(length - text - extent));
    case 2:
        if (pictureNear)
            extent = 0;
        return roundHalfEven(length - text - extent - 2);
    default:
        return 0;
    }
}
} // namespace

QPoint captionPosition(const FaceMetrics& m, int refWidth, int refHeight) {
    const bool beside = m.pictureAlign == kCaptionLeft || m.pictureAlign == kCaptionRight;
    const bool aboveOrBelow = m.pictureAlign == kCaptionTop || m.pictureAlign == kCaptionBottom;
    return {captionAxis(columnOf(m.captionAlign), m.width, m.textWidth, beside ? refWidth : 0, 4,
                        m.pictureAlign == kCaptionLeft, m.pictureAlign == kCaptionRight),
            captionAxis(rowOf(m.captionAlign), m.height, m.textHeight, aboveOrBelow ? refHeight : 0,
                        2, m.pictureAlign == kCaptionTop, m.pictureAlign == kCaptionBottom)};
}

namespace {
// The three horizontal choices of a column: left, centre, right.
int byColumn(int column, int left, int centre, int right) {
    switch (column) {
    case 0:
        return left;
    case 1:
        return centre;
    case 2:
        return right;
    default:
        return 0;
    }
}
} // namespace

QPoint picturePosition(const FaceMetrics& m, int pw, int ph) {
    const int W = m.width, H = m.height, tw = m.textWidth, th = m.textHeight;
    const int left = 2, centreX = truncDiv2(roundHalfEven(W - pw)),
              rightX = roundHalfEven(W - pw - 2);
    const int top = 2, middleY = truncDiv2(roundHalfEven(H - ph)),
              bottomY = roundHalfEven(H - ph - 2);
    const int col = columnOf(m.captionAlign), row = rowOf(m.captionAlign);
    switch (m.pictureAlign) {
    case 0:
        return {left, top};
    case 1:
        return {centreX, top};
    case 2:
        return {rightX, top};
    case 3:
        return {left, middleY};
    case 4:
        return {centreX, middleY};
    case 5:
        return {rightX, middleY};
    case 6:
        return {left, bottomY};
    case 7:
        return {centreX, bottomY};
    case 8:
        return {rightX, bottomY};
    case kCaptionTop:
        return {byColumn(col, left, centreX, rightX),
                byColumn(row, top, truncDiv2(roundHalfEven(H - ph - th)) - 1,
                         roundHalfEven(H - ph - th - 4))};
    case kCaptionLeft:
        return {byColumn(col, left, truncDiv2(roundHalfEven(W - pw - tw)) - 1,
                         roundHalfEven(W - pw - tw - 4)),
                byColumn(row, top, middleY, bottomY)};
    case kCaptionRight:
        return {
            byColumn(col, roundHalfEven(tw + 4), truncDiv2(roundHalfEven(W - pw + tw)) + 1, rightX),
            byColumn(row, top, middleY, bottomY)};
    case kCaptionBottom:
        return {byColumn(col, left, centreX, rightX),
                byColumn(row, roundHalfEven(th + 4), truncDiv2(roundHalfEven(H - ph + th)) + 1,
                         bottomY)};
    default:
        return {0, 0};
    }
}

} // namespace zk
