#include "bmp_rows.h"

#include <new>

#include <QFile>
#include <algorithm>
#include <span>

namespace folivo {
namespace {

constexpr std::int64_t kFileHeader = 14;
constexpr int kMaxDimension = 1 << 17; // far beyond any scanner, well inside 64-bit sizes

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool knownInfoHeader(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool knownBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

} // namespace

std::int64_t BmpLayout::rowOffset(int y) const {
    const int stored = topDown ? y : height - 1 - y;
    return pixelOffset + std::int64_t(stored) * stride;
}

std::optional<BmpLayout> ParseBmpLayout(const std::uint8_t* headBytes, std::size_t headSize,
                                        std::int64_t fileSize) {
    const std::span<const std::uint8_t> head(headBytes, headSize);
    if (head.size() < 54 || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    const std::uint32_t infoSize = u32(head, 14);
    const auto width = static_cast<std::int32_t>(u32(head, 18));
    const auto height = static_cast<std::int32_t>(u32(head, 22));
    const int bits = u16(head, 28);
    if (!knownInfoHeader(infoSize) || u16(head, 26) != 1 || u32(head, 30) != 0 ||
        !knownBitCount(bits))
        return std::nullopt;
    if (width <= 0 || width > kMaxDimension || height == 0 || height < -kMaxDimension ||
        height > kMaxDimension)
        return std::nullopt;
    BmpLayout layout;
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bitCount = bits;
    layout.pixelOffset = u32(head, 10);
    layout.stride = (std::int64_t(width) * bits + 31) / 32 * 4;
    layout.dotsPerMetreX = std::max(0, static_cast<std::int32_t>(u32(head, 38)));
    layout.dotsPerMetreY = std::max(0, static_cast<std::int32_t>(u32(head, 42)));
    if (layout.pixelOffset + layout.stride * layout.height > fileSize)
        return std::nullopt;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint32_t used = u32(head, 46);
        const std::uint32_t count = used == 0 || used > full ? full : used;
        const std::int64_t start = kFileHeader + infoSize;
        const std::int64_t end = start + std::int64_t(count) * 4;
        if (end > std::int64_t(head.size()) || end > layout.pixelOffset)
            return std::nullopt;
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto at = std::size_t(start + 4 * i);
            layout.palette.push_back(qRgb(head[at + 2], head[at + 1], head[at]));
        }
    }
    return layout;
}

std::optional<BmpLayout> ReadBmpLayout(QIODevice& device) {
    if (!device.seek(0))
        return std::nullopt;
    const QByteArray head = device.read(kBmpLayoutProbeBytes);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.constData());
    return ParseBmpLayout(bytes, std::size_t(head.size()), device.size());
}

std::optional<BmpLayout> ReadBmpLayout(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadBmpLayout(file);
}

BmpRowReader::BmpRowReader(QIODevice& device, const BmpLayout& layout)
    : m_device(device), m_layout(layout) {
    constexpr std::int64_t kBlockBytes = 1 << 20;
    m_blockRows = int(std::clamp<std::int64_t>(
        kBlockBytes / std::max<std::int64_t>(layout.stride, 1), 1, std::max(layout.height, 1)));
    m_block.reset(new (std::nothrow) std::uint8_t[std::size_t(m_blockRows * layout.stride)]);
}

const std::uint8_t* BmpRowReader::row(int y) {
    if (!m_block || y < 0 || y >= m_layout.height)
        return nullptr;
    if (y < m_first || y >= m_first + m_count) {
        // Rows y .. y + count - 1 lie together in the file, upwards in a bottom-up BMP.
        const int count = std::min(m_blockRows, m_layout.height - y);
        const int lowest = m_layout.topDown ? y : y + count - 1;
        const std::int64_t bytes = std::int64_t(count) * m_layout.stride;
        m_count = 0;
        if (!m_device.seek(m_layout.rowOffset(lowest)) ||
            m_device.read(reinterpret_cast<char*>(m_block.get()), bytes) != bytes)
            return nullptr;
        m_first = y;
        m_count = count;
    }
    const int index = m_layout.topDown ? y - m_first : m_first + m_count - 1 - y;
    return m_block.get() + std::int64_t(index) * m_layout.stride;
}

bool HasGreyPalette(const BmpLayout& layout) {
    return !layout.palette.empty() &&
           std::all_of(layout.palette.begin(), layout.palette.end(),
                       [](QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); });
}

void ExpandPaletteRow(const BmpLayout& layout, const std::uint8_t* stored, bool grey,
                      std::uint8_t* out) {
    const int bits = layout.bitCount;
    if (bits == 8 && grey) { // the scanner's grey pages: one table look-up a pixel
        std::uint8_t table[256] = {};
        for (std::size_t i = 0; i < layout.palette.size() && i < 256; ++i)
            table[i] = static_cast<std::uint8_t>(qRed(layout.palette[i]));
        for (int x = 0; x < layout.width; ++x)
            out[x] = table[stored[x]];
        return;
    }
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < layout.width; ++x) {
        const int shift = (perByte - 1 - x % perByte) * bits;
        const unsigned index = (stored[x / perByte] >> shift) & mask;
        const QRgb c = index < layout.palette.size() ? layout.palette[index] : qRgb(0, 0, 0);
        if (grey) {
            out[x] = static_cast<std::uint8_t>(qRed(c));
        } else {
            out[3 * x] = static_cast<std::uint8_t>(qBlue(c));
            out[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
            out[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
        }
    }
}

} // namespace folivo
