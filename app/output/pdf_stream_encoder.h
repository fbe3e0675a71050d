#pragma once
// Builds the data of one PDF image stream from rows of samples (internal to app/output).
//
// Uncompressed: the rows as they are. Compressed: each row of an 8-bit grey or colour
// image gets the PNG filter (None, Sub, Up or Paeth) that suits it best (the lowest
// estimated entropy; palette and 1-bit rows stay unfiltered), and the rows are
// zlib-compressed as they come (pdf_deflate.h); the stream then needs /FlateDecode with
// DecodeParms /Predictor 15 and the image's /Colors, /BitsPerComponent and /Columns.
#include "pdf_deflate.h"
#include "pdf_image_plan.h"
#include "stream_bytes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace folivo {

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
    bool m_adaptive = true; // choose a filter per row; otherwise every row is None
    StreamBytes m_buffer;   // uncompressed: the rows so far
    std::unique_ptr<StreamDeflater> m_deflate; // compressed: where the rows go
    bool m_failed = false;
    MappedBytes m_previous;     // the row above (zero for the first)
    MappedBytes m_scratch;      // candidate filtered rows
    std::vector<float> m_cLogC; // c log2 c for c = 0 .. row bytes
};

} // namespace folivo
