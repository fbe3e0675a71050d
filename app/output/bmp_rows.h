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
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace folivo {

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::vector<QRgb> palette; // for 1, 4 and 8 bits
    std::int64_t pixelOffset = 0;
    std::int64_t stride = 0; // bytes per stored row, padded to 4
    int dotsPerMetreX = 0;   // resolution from the header; 0 when not given
    int dotsPerMetreY = 0;

    std::int64_t rowOffset(int y) const; // file offset of row y, counted from the top
};

inline constexpr std::int64_t kBmpLayoutProbeBytes = 2048;

// `head` is the start of the file (at most kBmpLayoutProbeBytes needed), `fileSize` its
// size. (Pointer and size rather than std::span: this header is also read as C++17.)
std::optional<BmpLayout> ParseBmpLayout(const std::uint8_t* head, std::size_t headSize,
                                        std::int64_t fileSize);

// Reads the layout of a BMP file or device (from its start); nothing when it is not one
// ParseBmpLayout accepts.
std::optional<BmpLayout> ReadBmpLayout(const QString& path);
std::optional<BmpLayout> ReadBmpLayout(QIODevice& device);

// Reads the stored rows of a BMP top first, a block of rows in one read rather than a
// seek and a read for every row (line art rows are a few hundred bytes).
class BmpRowReader {
public:
    BmpRowReader(QIODevice& device, const BmpLayout& layout);
    bool allocated() const { return bool(m_block); }
    // Row y (0 = the top) as stored, layout.stride bytes, valid until the next call;
    // nullptr when it cannot be read. Rows in order read fastest.
    const std::uint8_t* row(int y);

private:
    QIODevice& m_device;
    const BmpLayout& m_layout;
    int m_blockRows = 0;
    int m_first = 0; // the top row in the block
    int m_count = 0; // rows in the block
    std::unique_ptr<std::uint8_t[]> m_block;
};

// Whether every palette entry is a shade of grey (false for a BMP without a palette).
bool HasGreyPalette(const BmpLayout& layout);

// Turns stored row `stored` of a palette BMP (1, 4 or 8 bits) into one byte per pixel of
// grey (`grey`) or three bytes B, G, R per pixel. Indices past the palette give black.
void ExpandPaletteRow(const BmpLayout& layout, const std::uint8_t* stored, bool grey,
                      std::uint8_t* out);

} // namespace folivo
