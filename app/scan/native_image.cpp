#include "native_image.h"

#include "durable_file.h"
#include "program_paths.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QtEndian>
#include <algorithm>
#include <vector>

namespace folivo {

namespace {

QList<QRgb> ColourCube() {
    QList<QRgb> colours;
    colours.reserve(256);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; colours.size() < 256; ++i)
        colours.append(qRgb(i * 64 / 10, i * 64 / 10, i * 64 / 10));
    return colours;
}

bool TargetWritable(const QString& path) {
    const QFileInfo target(path);
    if (target.exists())
        return !target.isDir() && IsWritablePath(path);
    return IsWritablePath(target.absolutePath());
}

// A colour page as a 24-bit bottom-up BMP, row by row. Qt's writer would first turn the
// page into a 32-bit copy and then write it pixel by pixel, which was most of the scanner
// layer's own CPU time.
bool WriteRgb888Bmp(const QImage& image, QIODevice& out) {
    const int w = image.width();
    const int h = image.height();
    const qint64 stride = ((qint64(w) * 24 + 31) / 32) * 4;
    const qint64 pixelBytes = stride * h;
    constexpr int kHeaderBytes = 14 + 40;
    if (pixelBytes + kHeaderBytes > 0xffffffffLL)
        return false;
    char header[kHeaderBytes] = {'B', 'M'};
    const auto put32 = [&header](int at, quint32 v) { qToLittleEndian(v, header + at); };
    put32(2, quint32(kHeaderBytes + pixelBytes));
    put32(10, kHeaderBytes);
    put32(14, 40);
    put32(18, quint32(w));
    put32(22, quint32(h));
    qToLittleEndian(quint16(1), header + 26);
    qToLittleEndian(quint16(24), header + 28);
    put32(34, quint32(pixelBytes));
    put32(38, quint32(std::max(image.dotsPerMeterX(), 0)));
    put32(42, quint32(std::max(image.dotsPerMeterY(), 0)));
    if (out.write(header, kHeaderBytes) != kHeaderBytes)
        return false;
    std::vector<char> row(static_cast<std::size_t>(stride), 0);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* rgb = image.constScanLine(y);
        for (int x = 0; x < w; ++x, rgb += 3) {
            row[3 * std::size_t(x)] = char(rgb[2]);
            row[3 * std::size_t(x) + 1] = char(rgb[1]);
            row[3 * std::size_t(x) + 2] = char(rgb[0]);
        }
        if (out.write(row.data(), stride) != stride)
            return false;
    }
    return true;
}

} // namespace

BmpWriteResult WriteBmp(const QImage& image, const QString& path) {
    if (image.isNull())
        return BmpWriteResult::NoImage;
    if (path.isEmpty() || !TargetWritable(path))
        return BmpWriteResult::NotWritable;
    DurableFile file(path);
    if (!file.open())
        return BmpWriteResult::NotWritable;
    QImageWriter writer(&file, "bmp");
    const bool written =
        image.format() == QImage::Format_RGB888 ? WriteRgb888Bmp(image, file) : writer.write(image);
    if (!written)
        return BmpWriteResult::WriteFailed; // the temporary file goes with `file`
    // On disk before the page is announced, so a crash cannot take it.
    return file.commit() == DurableFile::Commit::Ok ? BmpWriteResult::Ok
                                                    : BmpWriteResult::WriteFailed;
}

NativeHandle NativeImageStore::add(QImage image) {
    if (image.isNull())
        return 0;
    const NativeHandle handle = m_next++;
    m_images.emplace(handle, Entry{std::move(image), {}});
    return handle;
}

const QImage* NativeImageStore::image(NativeHandle handle) const {
    const auto it = m_images.find(handle);
    return it == m_images.end() ? nullptr : &it->second.image;
}

NativeHandle NativeImageStore::createPalette(NativeHandle handle) {
    const auto it = m_images.find(handle);
    if (it == m_images.end())
        return 0;
    const QImage& img = it->second.image;
    const NativeHandle palette = m_next++;
    it->second.palettes.emplace(palette, img.colorCount() > 0 ? img.colorTable() : ColourCube());
    return palette;
}

const QList<QRgb>* NativeImageStore::palette(NativeHandle palette) const {
    for (const auto& [handle, entry] : m_images) {
        const auto found = entry.palettes.find(palette);
        if (found != entry.palettes.end())
            return &found->second;
    }
    return nullptr;
}

void NativeImageStore::free(NativeHandle handle) {
    m_images.erase(handle);
}

} // namespace folivo
