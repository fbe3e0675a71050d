#include "sheet_rotation.h"

#include "durable_file.h"

#include <QImageReader>
#include <QImageWriter>
#include <cstring>

namespace folivo {
namespace {

bool BitAt(const uchar* line, int x, bool lsbFirst) {
    const int shift = lsbFirst ? (x & 7) : 7 - (x & 7);
    return (line[x >> 3] >> shift) & 1;
}

void SetBit(uchar* line, int x, bool lsbFirst) {
    line[x >> 3] |= uchar(1u << (lsbFirst ? (x & 7) : 7 - (x & 7)));
}

} // namespace

QImage QuarterTurn(const QImage& image, bool clockwise) {
    const int depth = image.depth();
    if (image.isNull() || (depth != 1 && depth != 8 && depth != 32))
        return {};
    const int w = image.width();
    const int h = image.height();
    QImage out(h, w, image.format());
    if (out.isNull())
        return {};
    out.setColorTable(image.colorTable());
    out.setDotsPerMeterX(image.dotsPerMeterY());
    out.setDotsPerMeterY(image.dotsPerMeterX());
    const bool lsb = image.format() == QImage::Format_MonoLSB;
    const int bytes = depth / 8;
    for (int ny = 0; ny < w; ++ny) {
        uchar* dst = out.scanLine(ny);
        if (depth == 1)
            std::memset(dst, 0, std::size_t(out.bytesPerLine()));
        // Destination (nx, ny) comes from source (ny, h-1-nx) clockwise, (w-1-ny, nx) else.
        const int sx = clockwise ? ny : w - 1 - ny;
        for (int nx = 0; nx < h; ++nx) {
            const uchar* src = image.constScanLine(clockwise ? h - 1 - nx : nx);
            if (depth == 1) {
                if (BitAt(src, sx, lsb))
                    SetBit(dst, nx, lsb);
            } else {
                std::memcpy(dst + nx * bytes, src + sx * bytes, std::size_t(bytes));
            }
        }
    }
    return out;
}

bool RotateSheetFile(const QString& file, bool clockwise) {
    QImageReader reader(file, "bmp");
    reader.setAutoTransform(false);
    const QImage turned = QuarterTurn(reader.read(), clockwise);
    if (turned.isNull())
        return false;
    DurableFile out(file);
    if (!out.open())
        return false;
    QImageWriter writer(&out, "bmp");
    return writer.write(turned) && out.commit() == DurableFile::Commit::Ok;
}

} // namespace folivo
