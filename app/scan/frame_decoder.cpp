#include "frame_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace folivo {

namespace {

constexpr int kMaxPixelsPerLine = 1 << 17;
constexpr int kMaxLines = 1 << 24;
constexpr qint64 kStartRows = 256;

bool IsChannel(FrameFormat f) {
    return f == FrameFormat::Red || f == FrameFormat::Green || f == FrameFormat::Blue;
}

int ChannelsOf(FrameFormat f) {
    return f == FrameFormat::Rgb ? 3 : 1;
}

QImage::Format FormatFor(const FrameParams& p) {
    if (p.format == FrameFormat::Gray)
        return p.depth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8;
    return QImage::Format_RGB888;
}

int BitsPerPixel(QImage::Format f) {
    return f == QImage::Format_Mono ? 1 : f == QImage::Format_Indexed8 ? 8 : 24;
}

std::uint8_t WhiteByte(QImage::Format f) {
    return f == QImage::Format_Mono ? 0x00 : 0xff;
}

// Sample i of a line at 8 bits.
std::uint8_t Sample(const std::uint8_t* line, qsizetype i, int depth) {
    if (depth == 8)
        return line[i];
    if (depth == 16) {
        const std::uint8_t* s = line + 2 * i;
        return std::endian::native == std::endian::little ? s[1] : s[0];
    }
    return (line[i >> 3] & (0x80 >> (i & 7))) ? 0xff : 0x00;
}

int ChannelOffset(FrameFormat f) {
    switch (f) {
    case FrameFormat::Red:
        return 0;
    case FrameFormat::Green:
        return 1;
    default:
        return 2;
    }
}

void DecodeLine(const FrameParams& p, const std::uint8_t* src, std::uint8_t* dst) {
    const int w = p.pixelsPerLine;
    if (p.format == FrameFormat::Gray) {
        if (p.depth == 1) {
            std::memcpy(dst, src, static_cast<std::size_t>((w + 7) / 8));
        } else if (p.depth == 8) {
            std::memcpy(dst, src, static_cast<std::size_t>(w));
        } else {
            for (int x = 0; x < w; ++x)
                dst[x] = Sample(src, x, 16);
        }
        return;
    }
    // Colour rows are R, G, B bytes, as 8-bit interleaved frames arrive.
    const qsizetype samples = qsizetype(w) * 3;
    if (p.format == FrameFormat::Rgb && p.depth == 8) {
        std::memcpy(dst, src, static_cast<std::size_t>(samples));
        return;
    }
    if (p.format == FrameFormat::Rgb) {
        for (qsizetype i = 0; i < samples; ++i)
            dst[i] = Sample(src, i, p.depth);
        return;
    }
    std::uint8_t* channel = dst + ChannelOffset(p.format);
    for (int x = 0; x < w; ++x)
        channel[qsizetype(x) * 3] = Sample(src, x, p.depth);
}

void FreeRows(void* rows) {
    delete static_cast<MappedBytes*>(rows);
}

} // namespace

bool IsValidFrame(const FrameParams& p) {
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    if (p.pixelsPerLine < 1 || p.pixelsPerLine > kMaxPixelsPerLine)
        return false;
    if (p.lines != -1 && (p.lines < 1 || p.lines > kMaxLines))
        return false;
    const qint64 bits = qint64(p.pixelsPerLine) * ChannelsOf(p.format) * p.depth;
    return p.bytesPerLine >= (bits + 7) / 8 && p.bytesPerLine <= (bits + 7) / 8 + (1 << 20);
}

qint64 ExpectedPageBytes(const FrameParams& first) {
    if (!IsValidFrame(first) || first.lines < 0)
        return 0;
    const qint64 frame = qint64(first.bytesPerLine) * first.lines;
    return IsChannel(first.format) ? frame * 3 : frame;
}

DecodeError PageAssembler::beginFrame(const FrameParams& p) {
    if (!IsValidFrame(p))
        return DecodeError::BadParameters;
    if (m_started) {
        const bool fits = !m_complete && m_frames < 3 && IsChannel(p.format) &&
                          IsChannel(m_first.format) && p.pixelsPerLine == m_first.pixelsPerLine;
        if (!fits)
            return DecodeError::FrameMismatch;
    } else {
        m_first = p;
        m_format = FormatFor(p);
        m_width = p.pixelsPerLine;
        m_stride = ((qsizetype(m_width) * BitsPerPixel(m_format) + 31) / 32) * 4;
        if (qint64(p.lines) * m_stride > kMaxImageBytes)
            return DecodeError::TooLarge;
        // The announced page is only address space until lines arrive: a backend that
        // announces a huge page and sends little costs little.
        if (!reserveRows(p.lines > 0 ? p.lines : kStartRows))
            return DecodeError::TooLarge;
        m_started = true;
    }
    m_current = p;
    ++m_frames;
    m_inFrame = true;
    m_frameLine = 0;
    m_line.assign(static_cast<std::size_t>(p.bytesPerLine), 0xff);
    m_lineFill = 0;
    return DecodeError::None;
}

bool PageAssembler::reserveRows(qint64 rows) {
    if (rows <= m_capacityRows)
        return true;
    if (rows * m_stride > kMaxImageBytes)
        return false;
    if (!ResizeBytes(m_rows, static_cast<std::size_t>(rows * m_stride)))
        return false;
    m_capacityRows = rows;
    return true;
}

// The row of a line, made white first when no frame has touched it yet. A one-pass
// frame writes every pixel byte of its line, so only the padding after them is set:
// whitening whole pages first was most of the layer's own CPU time.
std::uint8_t* PageAssembler::row(qint64 line) {
    std::uint8_t* base = m_rows.get();
    if (line >= m_whiteRows) {
        const qsizetype written =
            IsChannel(m_first.format) ? 0 : (qsizetype(m_width) * BitsPerPixel(m_format) + 7) / 8;
        for (qint64 y = m_whiteRows; y <= line; ++y)
            std::memset(base + y * m_stride + written, WhiteByte(m_format),
                        static_cast<std::size_t>(m_stride - written));
        m_whiteRows = line + 1;
    }
    return base + line * m_stride;
}

DecodeError PageAssembler::feed(const std::uint8_t* data, std::size_t size) {
    if (!m_inFrame)
        return DecodeError::FrameMismatch;
    const auto bpl = static_cast<std::size_t>(m_current.bytesPerLine);
    while (size > 0) {
        if (m_current.lines >= 0 && m_frameLine >= m_current.lines)
            return DecodeError::None;
        if (m_frameLine >= m_capacityRows &&
            !reserveRows(std::max<qint64>(m_capacityRows * 2, m_frameLine + 1)))
            return DecodeError::TooLarge;
        if (m_lineFill == 0 && size >= bpl) {
            DecodeLine(m_current, data, row(m_frameLine));
            ++m_frameLine;
            data += bpl;
            size -= bpl;
            continue;
        }
        const std::size_t take = std::min(size, bpl - m_lineFill);
        std::memcpy(m_line.data() + m_lineFill, data, take);
        m_lineFill += take;
        data += take;
        size -= take;
        if (m_lineFill == bpl)
            finishLine();
    }
    return DecodeError::None;
}

void PageAssembler::finishLine() {
    DecodeLine(m_current, m_line.data(), row(m_frameLine));
    ++m_frameLine;
    m_lineFill = 0;
    std::fill(m_line.begin(), m_line.end(), std::uint8_t(0xff));
}

void PageAssembler::endFrame() {
    if (!m_inFrame)
        return;
    if (m_lineFill > 0) {
        // White is 0 for line-art and 0xff for the other formats.
        if (m_format == QImage::Format_Mono)
            std::fill(m_line.begin() + static_cast<std::ptrdiff_t>(m_lineFill), m_line.end(),
                      std::uint8_t(0));
        finishLine();
    }
    m_pageRows = std::max(m_pageRows, m_frameLine);
    m_inFrame = false;
    if (m_current.lastFrame)
        m_complete = true;
}

std::optional<QImage> PageAssembler::takeImage(double dpi) {
    if (m_inFrame)
        endFrame();
    if (!m_started || m_pageRows == 0)
        return std::nullopt;
    if (m_pageRows < m_capacityRows) {
        // Gives back the rows a short page did not use.
        ResizeBytes(m_rows, static_cast<std::size_t>(m_pageRows * m_stride));
    }
    auto* rows = new MappedBytes(std::move(m_rows));
    QImage image(rows->get(), m_width, static_cast<int>(m_pageRows), m_stride, m_format, FreeRows,
                 rows);
    if (m_format == QImage::Format_Mono) {
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    } else if (m_format == QImage::Format_Indexed8) {
        QList<QRgb> grey(256);
        for (int i = 0; i < 256; ++i)
            grey[i] = qRgb(i, i, i);
        image.setColorTable(grey);
    }
    const int dpm = qRound(dpi / 0.0254);
    if (dpm > 0) {
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
    }
    *this = PageAssembler();
    return image;
}

std::optional<QImage> DecodeFrames(std::span<const RawFrame> frames, double dpi) {
    PageAssembler page;
    for (const RawFrame& f : frames) {
        if (page.beginFrame(f.params) != DecodeError::None)
            return std::nullopt;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(f.data.constData());
        if (page.feed(bytes, static_cast<std::size_t>(f.data.size())) != DecodeError::None)
            return std::nullopt;
        page.endFrame();
    }
    return page.takeImage(dpi);
}

} // namespace folivo
