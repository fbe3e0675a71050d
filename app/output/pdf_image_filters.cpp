#include "pdf_image_filters.h"

#include "pdf_ccitt_g4.h"
#include "pdf_dct.h"

#include <algorithm>

namespace folivo {
namespace {

constexpr int kJpegMaxDimension = 65500; // libjpeg refuses anything larger

bool isLineArt(const PdfImageFormat& f) {
    return f.space == PdfColourSpace::Gray && f.bitsPerComponent == 1;
}

bool isContinuousTone(const PdfImageFormat& f) {
    return f.space != PdfColourSpace::Indexed && f.bitsPerComponent == 8 &&
           f.width <= kJpegMaxDimension && f.height <= kJpegMaxDimension;
}

} // namespace

ImageEncoding ChooseImageEncoding(const PdfImageFormat& format, bool compress,
                                  const PdfImageOptions& options) {
    if (!compress)
        return {ImageFilter::None, 0};
    if (isLineArt(format))
        return {ImageFilter::CcittG4, 0};
    if (options.jpeg && isContinuousTone(format))
        return {ImageFilter::Dct, std::clamp(options.jpegQuality, 1, 100)};
    return {ImageFilter::Flate, 0};
}

FilterEntries FilterEntriesOf(const PdfImageFormat& f, const ImageEncoding& encoding) {
    switch (encoding.filter) {
    case ImageFilter::None:
        return {};
    case ImageFilter::Flate:
        return {"/FlateDecode", "<< /Predictor 15 /Colors " + std::to_string(f.components()) +
                                    " /BitsPerComponent " + std::to_string(f.bitsPerComponent) +
                                    " /Columns " + std::to_string(f.width) + " >>"};
    case ImageFilter::CcittG4:
        // The samples are black-is-0 like DeviceGray; the code's white runs decode to 1.
        return {"/CCITTFaxDecode", "<< /K -1 /Columns " + std::to_string(f.width) + " /Rows " +
                                       std::to_string(f.height) + " /BlackIs1 false >>"};
    case ImageFilter::Dct:
        return {"/DCTDecode", {}};
    }
    return {};
}

bool EncoderCompresses(const ImageEncoding& encoding) {
    return encoding.filter == ImageFilter::Flate;
}

std::optional<StreamBytes> EncodeSamples(const PdfImageFormat& format,
                                         const ImageEncoding& encoding, StreamBytes samples) {
    switch (encoding.filter) {
    case ImageFilter::None:
    case ImageFilter::Flate:
        return samples;
    case ImageFilter::CcittG4:
        return EncodeCcittG4(format, samples);
    case ImageFilter::Dct:
        return EncodeDct(format, samples, encoding.quality);
    }
    return std::nullopt;
}

} // namespace folivo
