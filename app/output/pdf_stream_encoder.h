#pragma once
// Builds the data of one PDF image stream from rows of samples (internal to app/output).
//
// Uncompressed: the rows as they are. Compressed: each row gets the PNG filter (None,
// Sub, Up or Paeth) that suits it best (the smallest sum of signed residuals), and the
// whole is zlib-compressed with libdeflate; the stream then needs /FlateDecode with
// DecodeParms /Predictor 15 and the image's /Colors, /BitsPerComponent and /Columns.
#include "pdf_image_plan.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace folivo {

struct StreamBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};

class ImageStreamEncoder {
public:
    // Answers nothing when the buffers cannot be allocated.
    static std::optional<ImageStreamEncoder> create(const PdfImageFormat& format, bool compress);

    void addRow(const std::uint8_t* samples);
    // The finished stream; nothing when a row is missing or compression ran out of memory.
    std::optional<StreamBytes> finish();

private:
    ImageStreamEncoder() = default;

    std::size_t m_rowBytes = 0;
    std::size_t m_pixelBytes = 1; // the filters' distance to the left neighbour
    int m_rows = 0;
    int m_height = 0;
    bool m_compress = false;
    StreamBytes m_buffer;
    std::unique_ptr<std::uint8_t[]> m_previous; // the row above (zero for the first)
    std::unique_ptr<std::uint8_t[]> m_scratch;  // candidate filtered rows
};

} // namespace folivo
