#include "jpeg_compressor.h"

#include "jpeg_writer.h"

#include <QIODevice>
#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first

#include <jerror.h>
#include <jpeglib.h>

namespace folivo {
namespace {

constexpr std::size_t kOutputBuffer = 1 << 16;
constexpr int kRowsPerCall = 16;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct Destination {
    jpeg_destination_mgr pub;
    QIODevice* out;
    bool writeFailed;
    JOCTET buffer[kOutputBuffer];
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void onMessage(j_common_ptr, int) {} // warnings stay silent: the code tells the caller
void onOutput(j_common_ptr) {}

Destination& destinationOf(j_compress_ptr cinfo) {
    return *reinterpret_cast<Destination*>(cinfo->dest);
}

void flush(j_compress_ptr cinfo, std::size_t count) {
    Destination& d = destinationOf(cinfo);
    const auto written = d.out->write(reinterpret_cast<const char*>(d.buffer), qint64(count));
    if (written != qint64(count)) {
        d.writeFailed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
    d.pub.next_output_byte = d.buffer;
    d.pub.free_in_buffer = kOutputBuffer;
}

void initDestination(j_compress_ptr cinfo) {
    Destination& d = destinationOf(cinfo);
    d.pub.next_output_byte = d.buffer;
    d.pub.free_in_buffer = kOutputBuffer;
}

boolean emptyDestination(j_compress_ptr cinfo) {
    flush(cinfo, kOutputBuffer);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    flush(cinfo, kOutputBuffer - destinationOf(cinfo).pub.free_in_buffer);
}

JDIMENSION toDensity(int dpi) {
    return static_cast<JDIMENSION>(std::clamp(dpi, 1, 65535));
}

void configure(jpeg_compress_struct& cinfo, const JpegSource& source, int quality,
               bool progressive) {
    cinfo.image_width = static_cast<JDIMENSION>(source.width);
    cinfo.image_height = static_cast<JDIMENSION>(source.height);
    const bool grey = source.layout == JpegSource::Layout::Grey;
    cinfo.input_components = grey ? 1 : 4;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp(quality, 1, 100), TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    if (source.dpiX > 0 && source.dpiY > 0) {
        cinfo.density_unit = 1; // dots per inch
        cinfo.X_density = static_cast<UINT16>(toDensity(source.dpiX));
        cinfo.Y_density = static_cast<UINT16>(toDensity(source.dpiY));
    }
}

} // namespace

// Every local here is trivially destructible, so the error manager's longjmp back to
// the setjmp below skips no destructor.
std::int16_t CompressJpeg(const JpegSource& source, QIODevice& out, int quality, bool progressive) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    auto* destination = new (std::nothrow) Destination;
    if (!destination)
        return kJpegOutOfMemory;
    destination->out = &out;
    destination->writeFailed = false;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onError;
    errors.pub.emit_message = onMessage;
    errors.pub.output_message = onOutput;
    if (setjmp(errors.jump)) {
        const int code = errors.pub.msg_code;
        const bool writeFailed = destination->writeFailed;
        jpeg_destroy_compress(&cinfo);
        delete destination;
        if (writeFailed)
            return kJpegTargetUnwritable;
        return code == JERR_OUT_OF_MEMORY ? kJpegOutOfMemory : kJpegBadSource;
    }
    jpeg_create_compress(&cinfo);
    destination->pub.init_destination = initDestination;
    destination->pub.empty_output_buffer = emptyDestination;
    destination->pub.term_destination = termDestination;
    cinfo.dest = &destination->pub;
    configure(cinfo, source, quality, progressive);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPROW rows[kRowsPerCall];
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = static_cast<int>(cinfo.next_scanline);
        const int count = std::min(kRowsPerCall, source.height - first);
        for (int i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(source.bits + (first + i) * source.bytesPerLine);
        jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    delete destination;
    return kJpegOk;
}

} // namespace folivo
