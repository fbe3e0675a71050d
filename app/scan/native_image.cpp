#include "native_image.h"

#include "durable_file.h"
#include "program_paths.h"

#include <QFileInfo>
#include <QImageWriter>

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
    if (!writer.write(image))
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
