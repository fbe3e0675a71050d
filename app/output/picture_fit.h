#pragma once
// Where a picture goes in its box when it keeps its proportions (internal to app/output).
//
// FitPicture answers the largest part of `box` with the picture's shape, at the box's
// top-left corner. The shape is the picture's size on paper: pixels divided by the
// resolution, or the pixel counts when either resolution is unknown (0). A picture
// whose shape differs from the box's by less than one of its pixels fills the box, so a
// full A4 scan covers the A4 page exactly. An empty picture or box answers `box`.
#include <QRect>
#include <QSize>

class QImage;
class QString;

namespace folivo {

struct PictureShape {
    QSize pixels;
    int dotsPerMetreX = 0;
    int dotsPerMetreY = 0;
};

QRect FitPicture(const QRect& box, const PictureShape& shape);

// The shape of a picture file (header only) or of an image; empty pixels when unknown.
PictureShape ShapeOfFile(const QString& path);
PictureShape ShapeOfImage(const QImage& image);

} // namespace folivo
