#include "pdf_picture_source.h"

#include "page_document.h"

#include <QFile>
#include <QImageReader>
#include <memory>
#include <new>

namespace folivo {
namespace {

QImage::Format normalFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return QImage::Format_Mono;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        return format;
    default:
        return QImage::Format_RGB32;
    }
}

// Plan for an image already in one of the normal formats.
ImagePlan planFromImage(const QImage& image) {
    std::vector<QRgb> palette;
    SourcePixels pixels = SourcePixels::Bgrx32;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_Indexed8) {
        const auto table = image.colorTable();
        palette.assign(table.begin(), table.end());
        pixels = image.format() == QImage::Format_Mono ? SourcePixels::Bits1 : SourcePixels::Bits8;
    } else if (image.format() == QImage::Format_Grayscale8) {
        for (int i = 0; i < 256; ++i)
            palette.push_back(qRgb(i, i, i));
        pixels = SourcePixels::Bits8;
    }
    return PlanImage(image.width(), image.height(), pixels, palette);
}

SourcePixels pixelsOfBmp(int bitCount) {
    switch (bitCount) {
    case 1:
        return SourcePixels::Bits1;
    case 4:
        return SourcePixels::Bits4;
    case 8:
        return SourcePixels::Bits8;
    case 24:
        return SourcePixels::Bgr24;
    default:
        return SourcePixels::Bgrx32;
    }
}

std::optional<PicturePlan> planDecoded(const QImage& decoded) {
    if (decoded.isNull())
        return std::nullopt;
    PicturePlan plan;
    plan.qtFormat = normalFormat(decoded.format());
    plan.image = planFromImage(decoded.convertToFormat(plan.qtFormat));
    return plan;
}

// A picture file Qt reads: the header tells size and pixel format; only a palette
// image is decoded here, since its colours are needed before its data.
std::optional<PicturePlan> planQtFile(const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    const QImage::Format normal = normalFormat(format);
    if (!size.isValid() || format == QImage::Format_Invalid || normal == QImage::Format_Mono ||
        normal == QImage::Format_Indexed8)
        return planDecoded(QImageReader(path).read());
    PicturePlan plan;
    plan.qtFormat = normal;
    plan.image = planFromImage(QImage(1, 1, normal));
    plan.image.format.width = size.width();
    plan.image.format.height = size.height();
    return plan;
}

bool samePlan(const PdfImageFormat& a, const PdfImageFormat& b) {
    return a.width == b.width && a.height == b.height && a.space == b.space &&
           a.bitsPerComponent == b.bitsPerComponent && a.palette == b.palette;
}

RowsResult readBmpRows(const QString& path, const PicturePlan& plan,
                       const std::function<void(const std::uint8_t*)>& row) {
    const auto layout = ReadBmpLayout(path);
    if (!layout || !samePlan(PlanImage(layout->width, layout->height, pixelsOfBmp(layout->bitCount),
                                       layout->palette)
                                 .format,
                             plan.image.format))
        return RowsResult::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return RowsResult::Unreadable;
    BmpRowReader reader(file, *layout);
    std::unique_ptr<std::uint8_t[]> samples(new (std::nothrow)
                                                std::uint8_t[plan.image.format.rowBytes()]);
    if (!reader.allocated() || !samples)
        return RowsResult::OutOfMemory;
    for (int y = 0; y < layout->height; ++y) {
        const std::uint8_t* stored = reader.row(y);
        if (!stored)
            return RowsResult::Unreadable;
        ConvertRow(plan.image, stored, samples.get());
        row(samples.get());
    }
    return RowsResult::Ok;
}

RowsResult readImageRows(const QImage& loaded, const PicturePlan& plan,
                         const std::function<void(const std::uint8_t*)>& row) {
    if (loaded.isNull())
        return RowsResult::Unreadable;
    const QImage image = loaded.convertToFormat(plan.qtFormat);
    if (image.isNull())
        return RowsResult::OutOfMemory;
    if (!samePlan(planFromImage(image).format, plan.image.format))
        return RowsResult::Unreadable;
    std::unique_ptr<std::uint8_t[]> samples(new (std::nothrow)
                                                std::uint8_t[plan.image.format.rowBytes()]);
    if (!samples)
        return RowsResult::OutOfMemory;
    for (int y = 0; y < image.height(); ++y) {
        ConvertRow(plan.image, image.constScanLine(y), samples.get());
        row(samples.get());
    }
    return RowsResult::Ok;
}

} // namespace

std::optional<PicturePlan> PlanPicture(const PagePicture& picture) {
    if (picture.filePath.isEmpty())
        return planDecoded(picture.image);
    if (auto layout = ReadBmpLayout(picture.readPath())) {
        PicturePlan plan;
        plan.image = PlanImage(layout->width, layout->height, pixelsOfBmp(layout->bitCount),
                               layout->palette);
        plan.bmp = std::move(layout);
        return plan;
    }
    return planQtFile(picture.readPath());
}

RowsResult ReadPictureRows(const PagePicture& picture, const PicturePlan& plan,
                           const std::function<void(const std::uint8_t*)>& row) {
    if (plan.bmp)
        return readBmpRows(picture.readPath(), plan, row);
    return readImageRows(picture.load(), plan, row);
}

} // namespace folivo
