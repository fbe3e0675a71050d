#pragma once
// Pure position arithmetic of the button face: where the caption and the picture go for
// each alignment. All values are pixels; the rounding and division rules are part of the
// look (halves to even, division truncating toward zero).
#include <QPoint>
#include <QtGlobal>

namespace zk {

// Conversions of caller-given values that cannot overflow: NaN gives 0 and a value beyond
// the range its nearest end (the fraction is dropped).
int saturatedInt(double v);
qint64 saturatedInt64(double v);
int roundHalfEven(double v); // saturated like saturatedInt
inline int truncDiv2(int v) {
    return v / 2;
}
inline int sgn(int v) {
    return (v > 0) - (v < 0);
}

struct FaceMetrics {
    int width = 0;         // W
    int height = 0;        // H
    int captionAlign = 4;  // CaptionAlignEnum, not validated
    int pictureAlign = 12; // PictureAlignEnum, not validated
    int textWidth = 0;     // TW(DisplayCaption)
    int textHeight = 0;    // TH(DisplayCaption)
};

// Top-left of the caption. refWidth/refHeight: size of the reference picture, 0 when the
// reference holds no picture.
QPoint captionPosition(const FaceMetrics& m, int refWidth, int refHeight);
// Top-left of the picture of the given natural size (before the press offset).
QPoint picturePosition(const FaceMetrics& m, int pictureWidth, int pictureHeight);

} // namespace zk
