#include "pdf_image_plan.h"

#include <algorithm>
#include <cstring>

namespace folivo {
namespace {

bool isGrey(QRgb c) {
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
}

bool isBlack(QRgb c) {
    return isGrey(c) && qRed(c) == 0;
}

bool isWhite(QRgb c) {
    return isGrey(c) && qRed(c) == 255;
}

ImagePlan planPalette(ImagePlan plan, int bits, const std::vector<QRgb>& palette) {
    const bool allGrey = !palette.empty() && std::all_of(palette.begin(), palette.end(), isGrey);
    if (bits == 1 && palette.size() == 2 && isBlack(palette[0]) && isWhite(palette[1])) {
        plan.format.space = PdfColourSpace::Gray;
        plan.format.bitsPerComponent = 1;
    } else if (bits == 1 && palette.size() == 2 && isWhite(palette[0]) && isBlack(palette[1])) {
        plan.format.space = PdfColourSpace::Gray;
        plan.format.bitsPerComponent = 1;
        plan.recipe.invert = true;
    } else if (bits == 8 && allGrey) {
        plan.format.space = PdfColourSpace::Gray;
        plan.format.bitsPerComponent = 8;
        plan.recipe.lookup = true;
        // Indices past the palette's end show black, as they would on screen.
        for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
            plan.recipe.grey[i] = static_cast<std::uint8_t>(qRed(palette[i]));
    } else {
        plan.format.space = PdfColourSpace::Indexed;
        plan.format.bitsPerComponent = bits;
        plan.format.palette = palette;
        plan.format.palette.resize(std::size_t(1) << bits, qRgb(0, 0, 0));
    }
    return plan;
}

} // namespace

int BitsOf(SourcePixels pixels) {
    switch (pixels) {
    case SourcePixels::Bits1:
        return 1;
    case SourcePixels::Bits4:
        return 4;
    case SourcePixels::Bits8:
        return 8;
    case SourcePixels::Bgr24:
        return 24;
    case SourcePixels::Bgrx32:
        return 32;
    }
    return 32;
}

ImagePlan PlanImage(int width, int height, SourcePixels pixels, const std::vector<QRgb>& palette) {
    ImagePlan plan;
    plan.format.width = width;
    plan.format.height = height;
    plan.recipe.pixels = pixels;
    if (pixels == SourcePixels::Bgr24 || pixels == SourcePixels::Bgrx32) {
        plan.format.space = PdfColourSpace::Rgb;
        plan.format.bitsPerComponent = 8;
        return plan;
    }
    return planPalette(plan, BitsOf(pixels), palette);
}

void ConvertRow(const ImagePlan& plan, const std::uint8_t* source, std::uint8_t* samples) {
    const std::size_t width = std::size_t(plan.format.width);
    const RowRecipe& r = plan.recipe;
    switch (r.pixels) {
    case SourcePixels::Bgr24:
    case SourcePixels::Bgrx32: {
        const std::size_t step = r.pixels == SourcePixels::Bgr24 ? 3 : 4;
        for (std::size_t x = 0; x < width; ++x, source += step, samples += 3) {
            samples[0] = source[2];
            samples[1] = source[1];
            samples[2] = source[0];
        }
        return;
    }
    case SourcePixels::Bits8:
        if (r.lookup) {
            for (std::size_t x = 0; x < width; ++x)
                samples[x] = r.grey[source[x]];
            return;
        }
        break;
    case SourcePixels::Bits1:
    case SourcePixels::Bits4:
        break;
    }
    const std::size_t bytes = plan.format.rowBytes();
    std::memcpy(samples, source, bytes);
    if (r.invert) {
        for (std::size_t i = 0; i < bytes; ++i)
            samples[i] = static_cast<std::uint8_t>(~samples[i]);
    }
    // Bits past the last pixel are whatever the source left there: clear them, so the
    // same picture always gives the same stream.
    const std::size_t usedBits = width * std::size_t(plan.format.bitsPerComponent) % 8;
    if (bytes > 0 && usedBits != 0)
        samples[bytes - 1] &= static_cast<std::uint8_t>(0xFF00u >> usedBits);
}

} // namespace folivo
