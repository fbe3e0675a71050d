#pragma once
// CCITT Group 4 coding of a 1-bit page image through libtiff's fax codec (internal to
// app/output).
//
// `samples` holds format.height rows of format.rowBytes() bytes, black-is-0 as in
// DeviceGray. The answer is the bare G4 data (no TIFF around it), for a PDF stream with
// /CCITTFaxDecode << /K -1 /Columns width /Rows height /BlackIs1 false >>; nothing when
// the codec fails or memory runs out.
#include "pdf_image_plan.h"
#include "stream_bytes.h"

#include <optional>

namespace folivo {

std::optional<StreamBytes> EncodeCcittG4(const PdfImageFormat& format, const StreamBytes& samples);

} // namespace folivo
