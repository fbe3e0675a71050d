// Feeds arbitrary bytes as the BMP source of the JPEG writer: it must answer a result
// code (never crash, never abort), and a 0 must come with a complete JPEG.
#include "jpeg_writer.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes choose quality and encoding; the rest is the file.
    const std::uint8_t quality = data[0];
    const std::int16_t progressive =
        (data[1] & 1) ? folivo::kJpegProgressive : folivo::kJpegBaseline;
    const QByteArray bmp(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const std::int16_t code = folivo::EncodeBmpToJpeg(bmp, out, quality, progressive);
    if (code < 0 || code > 4)
        __builtin_trap();
    if (code == folivo::kJpegOk && !out.data().endsWith("\xFF\xD9"))
        __builtin_trap(); // success means a finished file, ending in EOI
    return 0;
}
