#include "test_images.h"

#include <QFile>
#include <QtEndian>

namespace folivo::test {

namespace {

// A picture of `format` whose pixel (x, y) is `value(x, y)`.
QImage Drawn(int width, int height, QImage::Format format, QList<QRgb> palette,
             const std::function<uint(int, int)>& value) {
    QImage image(width, height, format);
    if (!palette.isEmpty())
        image.setColorTable(palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, value(x, y));
    return image;
}

} // namespace

QImage ColourPicture(int width, int height) {
    return Drawn(width, height, QImage::Format_RGB32, {}, [](int x, int y) {
        return qRgb((x * 7 + y) & 0xFF, (y * 5 + x * 3) & 0xFF, (x ^ y) & 0xFF);
    });
}

QImage GreyPicture(int width, int height) {
    QList<QRgb> ramp;
    for (int i = 0; i < 256; ++i)
        ramp.append(qRgb(i, i, i));
    return Drawn(width, height, QImage::Format_Indexed8, ramp,
                 [](int x, int y) { return uint((x * 13 + y * 29) & 0xFF); });
}

QImage MonoPicture(int width, int height, bool whiteFirst) {
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    return Drawn(width, height, QImage::Format_Mono,
                 whiteFirst ? QList<QRgb>{white, black} : QList<QRgb>{black, white},
                 [](int x, int y) { return uint(((x / 3) + (y / 2)) % 3 == 0 ? 1 : 0); });
}

QByteArray BuildBmp(const BmpPicture& picture) {
    const int rows = picture.height < 0 ? -picture.height : picture.height;
    const int stride = (picture.width * picture.bits + 31) / 32 * 4;
    const int offset = 54 + int(picture.palette.size()) * 4;
    QByteArray b(offset + stride * rows, '\0');
    b[0] = 'B';
    b[1] = 'M';
    // Offset of each header field and its value, in the order of the header.
    const std::pair<int, std::uint32_t> fields[] = {{2, std::uint32_t(b.size())},
                                                    {10, std::uint32_t(offset)},
                                                    {14, 40},
                                                    {18, std::uint32_t(picture.width)},
                                                    {22, std::uint32_t(picture.height)},
                                                    {26, 1 | std::uint32_t(picture.bits) << 16},
                                                    {34, std::uint32_t(stride * rows)},
                                                    {38, std::uint32_t(picture.pixelsPerMetre)},
                                                    {42, std::uint32_t(picture.pixelsPerMetre)},
                                                    {46, std::uint32_t(picture.palette.size())}};
    for (const auto& [at, value] : fields)
        qToLittleEndian<quint32>(value, b.data() + at);
    for (std::size_t i = 0; i < picture.palette.size(); ++i)
        qToLittleEndian<quint32>(picture.palette[i] & 0xFFFFFF, b.data() + 54 + i * 4);
    for (int y = 0; y < rows; ++y) {
        const int stored = picture.height < 0 ? y : rows - 1 - y;
        auto* row = reinterpret_cast<std::uint8_t*>(b.data() + offset + stored * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t v = picture.pixel(x, y);
            if (picture.bits >= 24) {
                const int step = picture.bits / 8;
                for (int k = 0; k < 3; ++k)
                    row[x * step + k] = std::uint8_t(v >> 8 * k);
            } else {
                const int perByte = 8 / picture.bits;
                row[x / perByte] |= std::uint8_t(v << (perByte - 1 - x % perByte) * picture.bits);
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
