// Feeds arbitrary bytes to the image header readers and the streaming BMP row reader.
#include "bmp_rows.h"
#include "image_info.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const folivo::ImageFormat format = folivo::SniffImageFormat(bytes);
    for (auto parse : {folivo::ParseBmpInfo, folivo::ParseGifInfo, folivo::ParsePngInfo,
                       folivo::ParseJpegInfo}) {
        const auto result = parse(bytes);
        if (!result.ok() && result.info != folivo::ImageInfo{})
            __builtin_trap(); // an error carries no record
    }
    if (format == folivo::ImageFormat::Jpeg && folivo::ParseJpegInfo(bytes).info.bits != 24 &&
        folivo::ParseJpegInfo(bytes).info.format != 0)
        __builtin_trap();

    const auto layout = folivo::ParseBmpLayout(data, size, std::int64_t(size));
    if (!layout)
        return 0;
    QByteArray copy(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    folivo::BmpRowReader reader(device, *layout);
    std::vector<std::uint8_t> expanded(std::size_t(layout->width) * 3);
    const bool grey = folivo::HasGreyPalette(*layout);
    // Every row the layout promises must be inside the bytes; a few, out of order, are
    // enough to check.
    for (int y : {layout->height - 1, 0, layout->height / 2}) {
        const std::uint8_t* stored = reader.row(y);
        if (reader.allocated() && !stored)
            __builtin_trap();
        if (stored && layout->bitCount <= 8)
            folivo::ExpandPaletteRow(*layout, stored, grey, expanded.data());
    }
    return 0;
}
