#include "image_info.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace folivo {
namespace {

constexpr std::size_t kBmpHeaderBytes = 54;
constexpr std::size_t kGifHeaderBytes = 13;
constexpr std::size_t kPngHeaderBytes = 29;
constexpr std::size_t kSniffBytes = 4;

// A fixed-size header as the readers see it: the bytes read, zero past the end.
template <std::size_t N> std::array<std::uint8_t, N> zeroFilled(std::span<const std::uint8_t> b) {
    std::array<std::uint8_t, N> out{};
    for (std::size_t i = 0; i < N && i < b.size(); ++i)
        out[i] = b[i];
    return out;
}

// Bytes weighted by powers of 256 and added in floating point, as the file format
// tables describe; little-endian when `littleEndian`, else big-endian.
double assemble(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t count,
                bool littleEndian) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t power = littleEndian ? i : count - 1 - i;
        sum += static_cast<double>(bytes[offset + i]) * std::pow(256.0, double(power));
    }
    return sum;
}

std::optional<std::int32_t> toInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded >= 2147483648.0 || rounded < -2147483648.0)
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

ImageInfoResult overflow() {
    return {ImageInfo{}, ImageInfoError::Overflow};
}

ImageInfoResult record(ImageFormat format, double width, double height, std::int32_t bits) {
    const auto w = toInt32(width);
    const auto h = toInt32(height);
    if (!w || !h)
        return overflow();
    return {ImageInfo{static_cast<std::int32_t>(format), *w, *h, bits}, ImageInfoError::None};
}

bool startsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> sig) {
    std::size_t i = 0;
    for (const auto expected : sig) {
        if (bytes[i++] != expected)
            return false;
    }
    return true;
}

std::vector<std::uint8_t> readFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    file.close();
    return {bytes.begin(), bytes.end()};
}

using Parser = ImageInfoResult (*)(std::span<const std::uint8_t>);

ImageInfoResult readWith(const QString& path, qint64 headerBytes, Parser parse) {
    if (!IsUsableFile(path))
        return {};
    const auto bytes = readFile(path, headerBytes);
    return parse(bytes);
}

} // namespace

bool IsUsableFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    // Linux has no hidden or system attribute: a dot name is hidden, and anything but a
    // regular file (device, pipe, socket, folder) counts as a system entry.
    if (!info.exists() || !info.isFile() || info.isHidden())
        return false;
    return info.size() - 1 > 0;
}

ImageFormat SniffImageFormat(std::span<const std::uint8_t> firstBytes) {
    const auto b = zeroFilled<kSniffBytes>(firstBytes);
    if (b[0] == 0x42 && b[1] == 0x4D)
        return ImageFormat::Bmp;
    if (b[0] == 0x47 && b[1] == 0x49 && b[2] == 0x46)
        return ImageFormat::Gif;
    if (b[0] == 0xFF && b[1] == 0xD8)
        return ImageFormat::Jpeg;
    if (b[0] == 0x89 && b[1] == 0x50 && b[2] == 0x4E && b[3] == 0x47)
        return ImageFormat::Png;
    return ImageFormat::Unknown;
}

ImageFormat FormatFromExtension(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(QStringLiteral(".bmp")))
        return ImageFormat::Bmp;
    if (lower.endsWith(QStringLiteral(".gif")))
        return ImageFormat::Gif;
    if (lower.endsWith(QStringLiteral(".jpg")) || lower.endsWith(QStringLiteral(".jpeg")))
        return ImageFormat::Jpeg;
    if (lower.endsWith(QStringLiteral(".png")))
        return ImageFormat::Png;
    return ImageFormat::Unknown;
}

ImageInfoResult ParseBmpInfo(std::span<const std::uint8_t> bytes) {
    const auto b = zeroFilled<kBmpHeaderBytes>(bytes);
    if (!startsWith(b, {0x42, 0x4D}))
        return {};
    const auto bits = toInt32(assemble(b, 28, 2, true));
    return record(ImageFormat::Bmp, assemble(b, 18, 4, true), assemble(b, 22, 4, true), *bits);
}

ImageInfoResult ParseGifInfo(std::span<const std::uint8_t> bytes) {
    const auto b = zeroFilled<kGifHeaderBytes>(bytes);
    if (!startsWith(b, {0x47, 0x49, 0x46}))
        return {};
    return record(ImageFormat::Gif, assemble(b, 6, 2, true), assemble(b, 8, 2, true),
                  (b[10] & 7) + 1);
}

ImageInfoResult ParsePngInfo(std::span<const std::uint8_t> bytes) {
    const auto b = zeroFilled<kPngHeaderBytes>(bytes);
    if (!startsWith(b, {0x89, 0x50, 0x4E, 0x47}))
        return {};
    const int depth = b[24];
    const int colourType = b[25];
    int bits = 0;
    if (colourType == 0 || colourType == 3)
        bits = depth;
    else if (colourType == 2)
        bits = 3 * depth;
    return record(ImageFormat::Png, assemble(b, 16, 4, false), assemble(b, 20, 4, false), bits);
}

ImageInfoResult ParseJpegInfo(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || !startsWith(file, {0xFF, 0xD8}))
        return {};
    // Signed so that "n - 4" of a tiny file stays negative, as the walk expects.
    const std::int64_t n = static_cast<std::int64_t>(file.size());
    std::int64_t p = 2;
    while (p < n - 4) {
        if (file[std::size_t(p)] != 0xFF)
            return {};
        const std::uint8_t m = file[std::size_t(p + 1)];
        const bool frameHeader = (m >= 0xC0 && m <= 0xC3) || (m >= 0xC9 && m <= 0xCB);
        if (frameHeader) {
            if (p + 8 >= n)
                return {ImageInfo{}, ImageInfoError::OutOfRange};
            const auto at = [&](std::int64_t offset) { return file[std::size_t(p + offset)]; };
            return record(ImageFormat::Jpeg, 256.0 * at(7) + at(8), 256.0 * at(5) + at(6), 24);
        }
        const std::int64_t length = 256 * file[std::size_t(p + 2)] + file[std::size_t(p + 3)];
        p += 2 + length;
    }
    return {};
}

ImageInfoResult ReadBmpInfo(const QString& path) {
    return readWith(path, kBmpHeaderBytes, ParseBmpInfo);
}

ImageInfoResult ReadGifInfo(const QString& path) {
    return readWith(path, kGifHeaderBytes, ParseGifInfo);
}

ImageInfoResult ReadPngInfo(const QString& path) {
    return readWith(path, kPngHeaderBytes, ParsePngInfo);
}

ImageInfoResult ReadJpegInfo(const QString& path) {
    return readWith(path, -1, ParseJpegInfo);
}

ImageInfoResult GetImageInfo(const QString& path, int mode) {
    if (!IsUsableFile(path))
        return {};
    ImageFormat format = ImageFormat::Unknown;
    if (mode == kDetectBySignature)
        format = SniffImageFormat(readFile(path, kSniffBytes));
    else if (mode == kDetectByExtension)
        format = FormatFromExtension(path);
    else if (mode >= 1 && mode <= 4)
        format = static_cast<ImageFormat>(mode);
    switch (format) {
    case ImageFormat::Bmp:
        return ReadBmpInfo(path);
    case ImageFormat::Gif:
        return ReadGifInfo(path);
    case ImageFormat::Jpeg:
        return ReadJpegInfo(path);
    case ImageFormat::Png:
        return ReadPngInfo(path);
    case ImageFormat::Unknown:
        break;
    }
    return {};
}

} // namespace folivo
