#include "pdf_dct.h"

#include "jpeg_compressor.h"
#include "jpeg_result.h"

#include <QIODevice>
#include <cstring>

namespace folivo {
namespace {

class SampleRows : public JpegRows {
public:
    SampleRows(const PdfImageFormat& format, const StreamBytes& samples)
        : m_format(format), m_samples(samples) {}
    int width() const override { return m_format.width; }
    int height() const override { return m_format.height; }
    Layout layout() const override {
        return m_format.space == PdfColourSpace::Gray ? Layout::Grey : Layout::Rgb;
    }
    const std::uint8_t* row(int y) override {
        return m_samples.data.get() + std::size_t(y) * m_format.rowBytes();
    }

private:
    const PdfImageFormat& m_format;
    const StreamBytes& m_samples;
};

// Collects the JPEG in one mapping sized up front; its untouched pages cost nothing.
class MappedDevice : public QIODevice {
public:
    explicit MappedDevice(std::size_t capacity) : m_capacity(capacity) {
        m_bytes.data = AllocateBytes(capacity);
    }
    bool ready() const { return bool(m_bytes.data); }
    StreamBytes take() { return std::move(m_bytes); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (size < 0 || std::size_t(size) > m_capacity - m_bytes.size)
            return -1;
        std::memcpy(m_bytes.data.get() + m_bytes.size, data, std::size_t(size));
        m_bytes.size += std::size_t(size);
        return size;
    }

private:
    std::size_t m_capacity;
    StreamBytes m_bytes;
};

} // namespace

std::optional<StreamBytes> EncodeDct(const PdfImageFormat& format, const StreamBytes& samples,
                                     int quality) {
    const std::size_t size = format.rowBytes() * std::size_t(format.height);
    if (format.bitsPerComponent != 8 || format.space == PdfColourSpace::Indexed ||
        samples.size != size)
        return std::nullopt;
    // Even quality 100 on noise stays well under twice the samples.
    MappedDevice out(2 * size + (1 << 16));
    if (!out.ready() || !out.open(QIODevice::WriteOnly))
        return std::nullopt;
    SampleRows rows(format, samples);
    JpegOptions options;
    options.quality = quality;
    if (CompressJpeg(rows, out, options) != kJpegOk)
        return std::nullopt;
    return out.take();
}

} // namespace folivo
