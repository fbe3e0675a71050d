#include "test_images.h"

#include <QFile>
#include <QtEndian>

namespace folivo::test {

QImage ColourPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (y * 5 + x * 3) & 0xFF, (x ^ y) & 0xFF));
    }
    return image;
}

QImage GreyPicture(int width, int height) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int i = 0; i < 256; ++i)
        ramp.append(qRgb(i, i, i));
    image.setColorTable(ramp);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x * 13 + y * 29) & 0xFF));
    }
    return image;
}

QImage MonoPicture(int width, int height, bool whiteFirst) {
    QImage image(width, height, QImage::Format_Mono);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    image.setColorTable(whiteFirst ? QList<QRgb>{white, black} : QList<QRgb>{black, white});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint(((x / 3) + (y / 2)) % 3 == 0 ? 1 : 0));
    }
    return image;
}

namespace {

void put32(QByteArray& b, int at, std::uint32_t v) {
    qToLittleEndian<quint32>(v, b.data() + at);
}

} // namespace

QByteArray BuildBmp(const BmpPicture& picture) {
    const int rows = picture.height < 0 ? -picture.height : picture.height;
    const int stride = (picture.width * picture.bits + 31) / 32 * 4;
    const int paletteBytes = int(picture.palette.size()) * 4;
    const int offset = 54 + paletteBytes;
    QByteArray b(offset + stride * rows, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, std::uint32_t(b.size()));
    put32(b, 10, std::uint32_t(offset));
    put32(b, 14, 40);
    put32(b, 18, std::uint32_t(picture.width));
    put32(b, 22, std::uint32_t(picture.height));
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(quint16(picture.bits), b.data() + 28);
    put32(b, 34, std::uint32_t(stride * rows));
    put32(b, 38, std::uint32_t(picture.pixelsPerMetre));
    put32(b, 42, std::uint32_t(picture.pixelsPerMetre));
    put32(b, 46, std::uint32_t(picture.palette.size()));
    for (std::size_t i = 0; i < picture.palette.size(); ++i) {
        const QRgb c = picture.palette[i];
        const int at = 54 + int(i) * 4;
        b[at] = char(qBlue(c));
        b[at + 1] = char(qGreen(c));
        b[at + 2] = char(qRed(c));
    }
    for (int y = 0; y < rows; ++y) {
        const int stored = picture.height < 0 ? y : rows - 1 - y;
        auto* row = reinterpret_cast<std::uint8_t*>(b.data() + offset + stored * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t v = picture.pixel(x, y);
            if (picture.bits >= 24) {
                const int step = picture.bits / 8;
                row[x * step] = std::uint8_t(v);
                row[x * step + 1] = std::uint8_t(v >> 8);
                row[x * step + 2] = std::uint8_t(v >> 16);
            } else {
                const int perByte = 8 / picture.bits;
                const int shift = (perByte - 1 - x % perByte) * picture.bits;
                row[x / perByte] |= std::uint8_t(v << shift);
            }
        }
    }
    return b;
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace folivo::test
