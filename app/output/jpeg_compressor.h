#pragma once
// The libjpeg part of the JPEG writer (internal to app/output).
//
// CompressJpeg encodes rows of 8-bit samples to `out`. Library errors never escape:
// they come back as a result code (jpeg_writer.h): 2 a write to `out` failed, 3 the
// library refused the image (too large, say), 4 it ran out of memory.
#include <cstddef>
#include <cstdint>

class QIODevice;

namespace folivo {

struct JpegSource {
    enum class Layout { Grey, Bgrx }; // one byte per pixel, or 32-bit pixels in B,G,R,X order
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t bytesPerLine = 0;
    Layout layout = Layout::Grey;
    int dpiX = 0; // 0: no resolution known, the JFIF header then gives only the aspect
    int dpiY = 0;
};

std::int16_t CompressJpeg(const JpegSource& source, QIODevice& out, int quality, bool progressive);

} // namespace folivo
