#pragma once
// Streaming reader for the uncompressed BMP files the scanner layer writes (1, 4, 8, 24
// and 32 bits per pixel, BI_RGB, bottom-up or top-down), so that a page's image can be
// turned into a PDF stream row by row without decoding it whole.
//
// ParseBmpLayout is pure and bounds-checked: it answers nothing for anything it does not
// fully understand (compressed or bit-field BMPs, an OS/2 header, a palette or pixel
// array that does not fit the file), and callers then fall back to Qt's reader.
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QFile;

namespace folivo {

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::vector<QRgb> palette; // for 1, 4 and 8 bits
    std::int64_t pixelOffset = 0;
    std::int64_t stride = 0; // bytes per stored row, padded to 4

    std::int64_t rowOffset(int y) const; // file offset of row y, counted from the top
};

inline constexpr std::int64_t kBmpLayoutProbeBytes = 2048;

// `head` is the start of the file (at most kBmpLayoutProbeBytes needed), `fileSize` its size.
std::optional<BmpLayout> ParseBmpLayout(std::span<const std::uint8_t> head, std::int64_t fileSize);

// Reads the layout of a BMP file; nothing when the file is not one ParseBmpLayout accepts.
std::optional<BmpLayout> ReadBmpLayout(const QString& path);

// Reads stored row y (from the top) into `row`, which holds layout.stride bytes.
bool ReadBmpRow(QFile& file, const BmpLayout& layout, int y, std::uint8_t* row);

} // namespace folivo
