#include "pdf_ccitt_g4.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <tiffio.h>

namespace folivo {
namespace {

// A TIFF file in memory: libtiff writes the one strip here, then its directory.
struct MemoryFile {
    std::vector<std::uint8_t> bytes;
    std::uint64_t position = 0;
};

MemoryFile& fileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t readProc(thandle_t, void*, tmsize_t) {
    return 0; // the file is only written
}

// A C callback: no exception may leave it, so running out of memory is a failed write.
tmsize_t writeProc(thandle_t handle, void* data, tmsize_t size) {
    MemoryFile& file = fileOf(handle);
    if (size < 0)
        return -1;
    const std::uint64_t end = file.position + std::uint64_t(size);
    try {
        if (end > file.bytes.size())
            file.bytes.resize(end);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(file.bytes.data() + file.position, data, std::size_t(size));
    file.position = end;
    return size;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& file = fileOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = file.position;
    else if (whence == SEEK_END)
        base = file.bytes.size();
    file.position = base + offset;
    return file.position;
}

int closeProc(thandle_t) {
    return 0;
}

toff_t sizeProc(thandle_t handle) {
    return fileOf(handle).bytes.size();
}

int mapProc(thandle_t, void**, toff_t*) {
    return 0;
}

void unmapProc(thandle_t, void*, toff_t) {}

// Messages go nowhere: the caller learns of a failure from the answer.
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct CloseTiff {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

struct FreeOptions {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

bool setTags(TIFF* tiff, const PdfImageFormat& format) {
    return TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(format.width)) &&
           TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(format.height)) &&
           TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1) &&
           TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) &&
           TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4) &&
           TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE) &&
           TIFFSetField(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) &&
           TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, std::uint32_t(format.height));
}

} // namespace

std::optional<StreamBytes> EncodeCcittG4(const PdfImageFormat& format, const StreamBytes& samples) {
    const std::size_t size = format.rowBytes() * std::size_t(format.height);
    if (format.bitsPerComponent != 1 || format.components() != 1 || samples.size != size ||
        format.width <= 0 || format.height <= 0)
        return std::nullopt;
    // The codec codes 0 bits as white; DeviceGray's 1 is white.
    std::unique_ptr<std::uint8_t[]> minIsWhite(new (std::nothrow) std::uint8_t[size]);
    if (!minIsWhite)
        return std::nullopt;
    std::transform(samples.data.get(), samples.data.get() + size, minIsWhite.get(),
                   [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });

    std::unique_ptr<TIFFOpenOptions, FreeOptions> options(TIFFOpenOptionsAlloc());
    if (!options)
        return std::nullopt;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), quiet, nullptr);
    MemoryFile file;
    std::unique_ptr<TIFF, CloseTiff> tiff(TIFFClientOpenExt("g4", "w", &file, readProc, writeProc,
                                                            seekProc, closeProc, sizeProc, mapProc,
                                                            unmapProc, options.get()));
    if (!tiff || !setTags(tiff.get(), format) ||
        TIFFWriteEncodedStrip(tiff.get(), 0, minIsWhite.get(), tmsize_t(size)) < 0)
        return std::nullopt;
    const std::uint64_t offset = TIFFGetStrileOffset(tiff.get(), 0);
    const std::uint64_t count = TIFFGetStrileByteCount(tiff.get(), 0);
    if (count == 0 || offset > file.bytes.size() || count > file.bytes.size() - offset)
        return std::nullopt;
    StreamBytes out;
    out.data = AllocateBytes(std::size_t(count));
    if (!out.data)
        return std::nullopt;
    std::memcpy(out.data.get(), file.bytes.data() + offset, std::size_t(count));
    out.size = std::size_t(count);
    return out;
}

} // namespace folivo
