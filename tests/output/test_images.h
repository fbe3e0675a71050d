#pragma once
// Small deterministic pictures and hand-built BMP files for the output tests.
#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "../support/qt_printing.h"

namespace folivo::test {

// A colour picture with gradients and edges, every pixel different from its neighbours.
QImage ColourPicture(int width, int height);
// 8-bit grey (Indexed8 with a grey ramp, as the scanner writes grey pages).
QImage GreyPicture(int width, int height);
// 1-bit with palette {black, white} (or {white, black} when `whiteFirst`).
QImage MonoPicture(int width, int height, bool whiteFirst = false);

struct BmpPicture {
    int width = 1;
    int height = 1; // stored as given: negative for a top-down file
    int bits = 24;
    std::vector<QRgb> palette;
    int pixelsPerMetre = 11811; // 300 dpi
    // Pixel value at (x, y from the top): a palette index, or 0xRRGGBB for 24/32 bits.
    std::function<std::uint32_t(int, int)> pixel;
};

// A BITMAPINFOHEADER BMP built byte by byte.
QByteArray BuildBmp(const BmpPicture& picture);

bool WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

} // namespace folivo::test
