#include "jpeg_compressor.h"

#include "jpeg_result.h"

#include <QIODevice>
#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first

#include <jerror.h>
#include <jpeglib.h>

namespace folivo {
namespace {

constexpr std::size_t kOutputBuffer = 1 << 16;

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

J_COLOR_SPACE colourSpaceOf(JpegRows::Layout layout) {
    switch (layout) {
    case JpegRows::Layout::Grey:
        return JCS_GRAYSCALE;
    case JpegRows::Layout::Bgr:
        return JCS_EXT_BGR;
    case JpegRows::Layout::Bgrx:
        return JCS_EXT_BGRX;
    case JpegRows::Layout::Rgb:
        return JCS_RGB;
    }
    return JCS_GRAYSCALE;
}

int componentsOf(JpegRows::Layout layout) {
    return layout == JpegRows::Layout::Grey ? 1 : (layout == JpegRows::Layout::Bgrx ? 4 : 3);
}

void configure(jpeg_compress_struct& cinfo, JpegRows& rows, const JpegOptions& options) {
    cinfo.image_width = static_cast<JDIMENSION>(rows.width());
    cinfo.image_height = static_cast<JDIMENSION>(rows.height());
    cinfo.input_components = componentsOf(rows.layout());
    cinfo.in_color_space = colourSpaceOf(rows.layout());
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp(options.quality, 1, 100), TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    if (options.dpiX > 0 && options.dpiY > 0) {
        cinfo.density_unit = 1; // dots per inch
        cinfo.X_density = static_cast<UINT16>(toDensity(options.dpiX));
        cinfo.Y_density = static_cast<UINT16>(toDensity(options.dpiY));
    }
}

} // namespace

// Every local here is trivially destructible, so the error manager's longjmp back to
// the setjmp below skips no destructor; rows() is called outside any libjpeg frame.
std::int16_t CompressJpeg(JpegRows& rows, QIODevice& out, const JpegOptions& options) {
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
    configure(cinfo, rows, options);
    jpeg_start_compress(&cinfo, TRUE);
    std::int16_t result = kJpegOk;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.row(static_cast<int>(cinfo.next_scanline)));
        if (!row) {
            result = kJpegSourceUnreadable;
            break;
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    if (result == kJpegOk)
        jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    delete destination;
    return result;
}

} // namespace folivo
