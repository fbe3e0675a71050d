#pragma once
// Acquired pages behind the numeric handles the scanner interface hands out.
//
// A handle names one page image (the device-independent bitmap) until free() is given
// it; a palette handle made from it lives as long as its image. Handles are never
// reused, so a stale handle finds nothing instead of another page. 0 is never a handle.
#include "scanner_library.h"

#include <QImage>
#include <QList>
#include <QString>
#include <map>

namespace folivo {

enum class BmpWriteResult { Ok = 0, NoImage, NotWritable, WriteFailed };

// Writes the image as a bottom-up BMP with its resolution, completely or not at all:
// colour as 24-bit, Indexed8 as 8-bit with its palette, Mono as 1-bit with 2 entries.
// A read-only target file or folder is left untouched.
BmpWriteResult WriteBmp(const QImage& image, const QString& path);

class NativeImageStore {
public:
    NativeHandle add(QImage image);
    const QImage* image(NativeHandle handle) const;
    // The palette of the image: its colour table, or for colour pages a 6x6x6 colour
    // cube with greys. 0 when the handle names no image.
    NativeHandle createPalette(NativeHandle image);
    const QList<QRgb>* palette(NativeHandle palette) const;
    void free(NativeHandle image);
    std::size_t imageCount() const { return m_images.size(); }

private:
    struct Entry {
        QImage image;
        std::map<NativeHandle, QList<QRgb>> palettes;
    };
    std::map<NativeHandle, Entry> m_images;
    NativeHandle m_next = 1;
};

} // namespace folivo
