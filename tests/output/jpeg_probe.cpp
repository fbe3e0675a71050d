#include "jpeg_probe.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace folivo::test {
namespace {

struct Errors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void fail(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<Errors*>(cinfo->err)->jump, 1);
}

int firstFrameMarker(const QByteArray& b) {
    for (qsizetype i = 2; i + 1 < b.size(); ++i) {
        const auto m = static_cast<unsigned char>(b[i + 1]);
        if (static_cast<unsigned char>(b[i]) == 0xFF && m >= 0xC0 && m <= 0xCF && m != 0xC4 &&
            m != 0xC8 && m != 0xCC)
            return m;
    }
    return 0;
}

} // namespace

ProbedJpeg ProbeJpeg(const QByteArray& bytes) {
    ProbedJpeg out;
    out.startOfFrame = firstFrameMarker(bytes);
    jpeg_decompress_struct cinfo;
    Errors errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = fail;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        out.ok = false;
        return out;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.components = cinfo.num_components;
    out.progressive = cinfo.progressive_mode;
    out.densityUnit = cinfo.density_unit;
    out.xDensity = cinfo.X_density;
    out.yDensity = cinfo.Y_density;
    jpeg_start_decompress(&cinfo);
    QImage image(int(cinfo.output_width), int(cinfo.output_height),
                 cinfo.output_components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out.pixels = image;
    out.ok = true;
    return out;
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace folivo::test
