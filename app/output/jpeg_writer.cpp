#include "jpeg_writer.h"

#include "bmp_rows.h"
#include "jpeg_compressor.h"
#include "write_result.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <cmath>
#include <memory>
#include <new>

namespace folivo {
namespace {

constexpr int kAllocationLimitMb = 1024;
constexpr qsizetype kBmpInfoEnd = 46; // through biYPelsPerMeter of a BITMAPINFOHEADER
constexpr double kMetresPerInch = 0.0254;

// The resolution stored in the BMP header; {0, 0} when it holds none. Qt would answer
// its default 96 dpi for a BMP without one, which is not what the scanner said.
std::pair<int, int> bmpResolution(QIODevice& bmp) {
    if (!bmp.seek(0))
        return {0, 0};
    const QByteArray head = bmp.peek(kBmpInfoEnd);
    if (head.size() < kBmpInfoEnd || qFromLittleEndian<quint32>(head.constData() + 14) < 40)
        return {0, 0};
    const auto dpi = [&](int offset) {
        const auto perMetre = qFromLittleEndian<qint32>(head.constData() + offset);
        return perMetre > 0 ? int(std::lround(perMetre * kMetresPerInch)) : 0;
    };
    return {dpi(38), dpi(42)};
}

// The plain BMPs the scanner writes are streamed row by row from the file: no decoded
// copy of the page, and 24-bit rows go to the encoder as they are stored.
class BmpRows : public JpegRows {
public:
    BmpRows(QIODevice& device, BmpLayout layout)
        : m_layout(std::move(layout)), m_reader(device, m_layout) {
        m_grey = HasGreyPalette(m_layout);
        if (m_layout.bitCount <= 8)
            m_expanded.reset(new (std::nothrow) std::uint8_t[std::size_t(m_layout.width) * 3]);
    }
    bool allocated() const { return m_reader.allocated() && (m_layout.bitCount > 8 || m_expanded); }
    int width() const override { return m_layout.width; }
    int height() const override { return m_layout.height; }
    Layout layout() const override {
        if (m_layout.bitCount == 32)
            return Layout::Bgrx;
        return m_grey ? Layout::Grey : Layout::Bgr;
    }
    const std::uint8_t* row(int y) override {
        const std::uint8_t* stored = m_reader.row(y);
        if (!stored || m_layout.bitCount > 8)
            return stored;
        ExpandPaletteRow(m_layout, stored, m_grey, m_expanded.get());
        return m_expanded.get();
    }

private:
    BmpLayout m_layout;
    BmpRowReader m_reader;
    bool m_grey = false;
    std::unique_ptr<std::uint8_t[]> m_expanded;
};

// Any other BMP Qt can read (compressed, bit fields, OS/2): decoded whole.
class ImageRows : public JpegRows {
public:
    explicit ImageRows(QImage image) : m_image(std::move(image)) {}
    int width() const override { return m_image.width(); }
    int height() const override { return m_image.height(); }
    Layout layout() const override {
        return m_image.format() == QImage::Format_Grayscale8 ? Layout::Grey : Layout::Bgrx;
    }
    const std::uint8_t* row(int y) override { return m_image.constScanLine(y); }

private:
    QImage m_image;
};

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

std::int16_t encodeWithQt(QIODevice& bmp, QIODevice& out, const JpegOptions& options) {
    if (!bmp.seek(0))
        return kJpegSourceUnreadable;
    QImageReader reader(&bmp, "bmp");
    reader.setAllocationLimit(kAllocationLimitMb);
    const QSize size = reader.size();
    if (size.isValid() && double(size.width()) * size.height() * 4 > kAllocationLimitMb * 1e6)
        return kJpegOutOfMemory;
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return kJpegBadSource;
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is read as B,G,R,X bytes");
    // Grey stays one component; everything else becomes 32-bit B,G,R,X pixels.
    const QImage image = decoded.convertToFormat(isGreyFormat(decoded) ? QImage::Format_Grayscale8
                                                                       : QImage::Format_RGB32);
    if (image.isNull())
        return kJpegOutOfMemory;
    ImageRows rows(image);
    return CompressJpeg(rows, out, options);
}

std::int16_t encode(QIODevice& bmp, QIODevice& out, std::uint8_t quality,
                    std::int16_t progressive) {
    JpegOptions options;
    options.quality = quality;
    options.progressive = progressive == kJpegProgressive;
    std::tie(options.dpiX, options.dpiY) = bmpResolution(bmp);
    if (auto layout = ReadBmpLayout(bmp)) {
        BmpRows rows(bmp, std::move(*layout));
        if (!rows.allocated())
            return kJpegOutOfMemory;
        return CompressJpeg(rows, out, options);
    }
    return encodeWithQt(bmp, out, options);
}

} // namespace

std::int16_t EncodeBmpToJpeg(const QByteArray& bmp, QIODevice& out, std::uint8_t quality,
                             std::int16_t progressive) {
    QBuffer buffer;
    buffer.setData(bmp);
    buffer.open(QIODevice::ReadOnly);
    return encode(buffer, out, quality, progressive);
}

std::int16_t SavetoJPEG(const QString& sourcePath, const FileTarget& target, std::uint8_t quality,
                        std::int16_t progressive) {
    QFile source(sourcePath);
    if (sourcePath.isEmpty() || !source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return kJpegSourceUnreadable;
    if (!CanWriteTarget(target))
        return kJpegTargetUnwritable;
    DurableFile out(target);
    if (!out.open())
        return kJpegTargetUnwritable;
    const std::int16_t code = encode(source, out, quality, progressive);
    if (code != kJpegOk)
        return code; // the unfinished temporary file is discarded with `out`
    return CommitResult(out) == WriteResult::Ok ? kJpegOk : kJpegTargetUnwritable;
}

} // namespace folivo
