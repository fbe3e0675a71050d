#pragma once
// The libjpeg part of the JPEG writer (internal to app/output).
//
// CompressJpeg pulls rows of 8-bit samples, top first, from a JpegRows and encodes them
// to `out`. Library errors never escape: they come back as a result code
// (jpeg_writer.h): 1 a row could not be read, 2 a write to `out` failed, 3 the library
// refused the image (too large, say), 4 it ran out of memory.
#include <cstdint>

class QIODevice;

namespace folivo {

class JpegRows {
public:
    // 1, 3 or 4 bytes a pixel: grey, blue first, or red first (Rgb)
    enum class Layout { Grey, Bgr, Bgrx, Rgb };

    virtual ~JpegRows() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual Layout layout() const = 0;
    // Row y (0 = top), valid until the next call; nullptr when it cannot be read.
    virtual const std::uint8_t* row(int y) = 0;
};

struct JpegOptions {
    int quality = 75; // clamped to 1..100
    bool progressive = false;
    int dpiX = 0; // 0: no resolution known, the JFIF header then gives only the aspect
    int dpiY = 0;
};

std::int16_t CompressJpeg(JpegRows& rows, QIODevice& out, const JpegOptions& options);

} // namespace folivo
