#pragma once
// Which filter stores a page image and what its stream holds (internal to app/output).
//
// - None: the samples as they are (uncompressed PDFs).
// - Flate: PNG-predicted, deflated samples (pdf_stream_encoder.h).
// - CcittG4: 1-bit grey as CCITT Group 4, lossless and far smaller than Flate for
//   scanned text (pdf_ccitt_g4.h).
// - Dct: 8-bit grey or colour as JPEG when asked for (pdf_dct.h).
// Indexed images stay Flate: their palettes are often a handful of flat colours, which
// JPEG would smear.
#include "pdf_image_options.h"
#include "pdf_image_plan.h"
#include "stream_bytes.h"

#include <optional>
#include <string>

namespace folivo {

enum class ImageFilter { None, Flate, CcittG4, Dct };

struct ImageEncoding {
    ImageFilter filter = ImageFilter::None;
    int quality = 75; // Dct only
    bool operator==(const ImageEncoding&) const = default;
};

ImageEncoding ChooseImageEncoding(const PdfImageFormat& format, bool compress,
                                  const PdfImageOptions& options);

// The stream dictionary's /Filter name and /DecodeParms dictionary, empty when none.
struct FilterEntries {
    std::string filter;
    std::string decodeParms;
};
FilterEntries FilterEntriesOf(const PdfImageFormat& format, const ImageEncoding& encoding);

// Whether the row encoder (pdf_stream_encoder.h) compresses, or only gathers the samples
// for EncodeSamples.
bool EncoderCompresses(const ImageEncoding& encoding);

// The stream from the row encoder's output: unchanged for None and Flate, encoded from
// the gathered samples for CcittG4 and Dct. Nothing when the encoder fails.
std::optional<StreamBytes> EncodeSamples(const PdfImageFormat& format,
                                         const ImageEncoding& encoding, StreamBytes samples);

} // namespace folivo
