#include "picture_fit.h"

#include "bmp_rows.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace folivo {

QRect FitPicture(const QRect& box, const PictureShape& shape) {
    if (box.width() <= 0 || box.height() <= 0 || shape.pixels.isEmpty())
        return box;
    const bool known = shape.dotsPerMetreX > 0 && shape.dotsPerMetreY > 0;
    // Size on paper in metres, or in pixels when the resolution is not known.
    const double wide =
        known ? double(shape.pixels.width()) / shape.dotsPerMetreX : double(shape.pixels.width());
    const double high =
        known ? double(shape.pixels.height()) / shape.dotsPerMetreY : double(shape.pixels.height());
    const double scale = std::min(box.width() / wide, box.height() / high);
    const double width = wide * scale;
    const double height = high * scale;
    const double pixelWidth = width / shape.pixels.width();
    const double pixelHeight = height / shape.pixels.height();
    if (box.width() - width < pixelWidth && box.height() - height < pixelHeight)
        return box;
    return QRect(box.left(), box.top(), std::max(1, int(std::lround(width))),
                 std::max(1, int(std::lround(height))));
}

PictureShape ShapeOfFile(const QString& path) {
    if (const auto layout = ReadBmpLayout(path))
        return {QSize(layout->width, layout->height), layout->dotsPerMetreX, layout->dotsPerMetreY};
    return {QImageReader(path).size(), 0, 0};
}

PictureShape ShapeOfImage(const QImage& image) {
    return {image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()};
}

} // namespace folivo
