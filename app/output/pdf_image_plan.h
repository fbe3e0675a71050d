#pragma once
// How a picture becomes a PDF image: its colour space and depth, and how each source
// row turns into a row of PDF samples (internal to app/output).
//
// The image keeps its own depth and colours: a black-and-white palette is 1-bit
// DeviceGray, an all-grey 8-bit palette is 8-bit DeviceGray, any other palette is
// Indexed at the source's depth, and direct colour is 8-bit DeviceRGB.
#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace folivo {

enum class PdfColourSpace { Gray, Rgb, Indexed };

// Source row layouts: packed palette indices, or 8-bit B,G,R (24) and B,G,R,X (32).
enum class SourcePixels { Bits1, Bits4, Bits8, Bgr24, Bgrx32 };

struct PdfImageFormat {
    int width = 0;
    int height = 0;
    PdfColourSpace space = PdfColourSpace::Rgb;
    int bitsPerComponent = 8;
    std::vector<QRgb> palette; // Indexed: exactly 2^bitsPerComponent entries

    bool operator==(const PdfImageFormat&) const = default;

    int components() const { return space == PdfColourSpace::Rgb ? 3 : 1; }
    std::size_t rowBytes() const {
        return (std::size_t(width) * std::size_t(components()) * std::size_t(bitsPerComponent) +
                7) /
               8;
    }
};

struct RowRecipe {
    SourcePixels pixels = SourcePixels::Bgrx32;
    bool invert = false; // 1-bit stored white-first: flip to PDF's black-first
    bool lookup = false; // 8-bit palette mapped to its grey values
    std::array<std::uint8_t, 256> grey{};
};

struct ImagePlan {
    PdfImageFormat format;
    RowRecipe recipe;
};

// `palette` is used for the index layouts only.
ImagePlan PlanImage(int width, int height, SourcePixels pixels, const std::vector<QRgb>& palette);

// Converts one source row to format.rowBytes() bytes of PDF samples.
void ConvertRow(const ImagePlan& plan, const std::uint8_t* source, std::uint8_t* samples);

int BitsOf(SourcePixels pixels);

} // namespace folivo
