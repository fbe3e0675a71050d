#include "jpeg_writer.h"

#include "jpeg_compressor.h"
#include "write_result.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QtEndian>
#include <cmath>
#include <optional>

namespace folivo {
namespace {

constexpr int kAllocationLimitMb = 1024;
constexpr qsizetype kBmpInfoEnd = 46; // through biYPelsPerMeter of a BITMAPINFOHEADER
constexpr double kMetresPerInch = 0.0254;

// The resolution stored in the BMP header; {0, 0} when it holds none. Qt would answer
// its default 96 dpi for a BMP without one, which is not what the scanner said.
std::pair<int, int> bmpResolution(QIODevice& bmp) {
    const QByteArray head = bmp.peek(kBmpInfoEnd);
    if (head.size() < kBmpInfoEnd || qFromLittleEndian<quint32>(head.constData() + 14) < 40)
        return {0, 0};
    const auto dpi = [&](int offset) {
        const auto perMetre = qFromLittleEndian<qint32>(head.constData() + offset);
        return perMetre > 0 ? int(std::lround(perMetre * kMetresPerInch)) : 0;
    };
    return {dpi(38), dpi(42)};
}

bool isGreyFormat(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        return image.isGrayscale();
    default:
        return false;
    }
}

// Grey or 32-bit B,G,R,X pixels, the two layouts the compressor takes without a copy.
QImage toEncodable(const QImage& image) {
    if (isGreyFormat(image))
        return image.convertToFormat(QImage::Format_Grayscale8);
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

std::int16_t encode(QIODevice& bmp, QIODevice& out, std::uint8_t quality,
                    std::int16_t progressive) {
    const auto [dpiX, dpiY] = bmpResolution(bmp);
    QImageReader reader(&bmp, "bmp");
    reader.setAllocationLimit(kAllocationLimitMb);
    const QSize size = reader.size();
    if (size.isValid() && double(size.width()) * size.height() * 4 > kAllocationLimitMb * 1e6)
        return kJpegOutOfMemory;
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return kJpegBadSource;
    const QImage image = toEncodable(decoded);
    if (image.isNull())
        return kJpegOutOfMemory;
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is read as B,G,R,X bytes");
    JpegSource source;
    source.bits = image.constBits();
    source.width = image.width();
    source.height = image.height();
    source.bytesPerLine = image.bytesPerLine();
    source.layout = image.format() == QImage::Format_Grayscale8 ? JpegSource::Layout::Grey
                                                                : JpegSource::Layout::Bgrx;
    source.dpiX = dpiX;
    source.dpiY = dpiY;
    return CompressJpeg(source, out, quality, progressive == kJpegProgressive);
}

} // namespace

std::int16_t EncodeBmpToJpeg(const QByteArray& bmp, QIODevice& out, std::uint8_t quality,
                             std::int16_t progressive) {
    QBuffer buffer;
    buffer.setData(bmp);
    buffer.open(QIODevice::ReadOnly);
    return encode(buffer, out, quality, progressive);
}

std::int16_t SavetoJPEG(const QString& sourcePath, const QString& targetPath, std::uint8_t quality,
                        std::int16_t progressive) {
    QFile source(sourcePath);
    if (sourcePath.isEmpty() || !source.open(QIODevice::ReadOnly))
        return kJpegSourceUnreadable;
    if (!CanReplaceFile(targetPath))
        return kJpegTargetUnwritable;
    QSaveFile target(targetPath);
    if (!target.open(QIODevice::WriteOnly))
        return kJpegTargetUnwritable;
    const std::int16_t code = encode(source, target, quality, progressive);
    if (code != kJpegOk)
        return code; // the unfinished temporary file is discarded with `target`
    return target.commit() ? kJpegOk : kJpegTargetUnwritable;
}

} // namespace folivo
