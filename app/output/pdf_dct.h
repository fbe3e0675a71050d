#pragma once
// JPEG (DCT) coding of an 8-bit grey or colour page image through libjpeg-turbo
// (internal to app/output).
//
// `samples` holds format.height rows of format.rowBytes() bytes (grey, or R, G, B). The
// answer is a baseline JPEG file for a PDF stream with /DCTDecode; nothing when the
// library fails or memory runs out.
#include "pdf_image_plan.h"
#include "stream_bytes.h"

#include <optional>

namespace folivo {

std::optional<StreamBytes> EncodeDct(const PdfImageFormat& format, const StreamBytes& samples,
                                     int quality);

} // namespace folivo
