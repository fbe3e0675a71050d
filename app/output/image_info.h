#pragma once
// Image file header readers: what kind of picture a file holds and how large it is,
// without decoding the picture.
//
// Contract:
// - Every answer is an ImageInfoResult. `error` is None for an ordinary answer, which may
//   well be format 0 ("not recognised"): a missing, hidden or special file, one shorter
//   than 2 bytes, or a signature mismatch. A record with format 0 has all fields 0.
// - Multi-byte fields are assembled byte by byte in floating point and converted to a
//   32-bit signed number. A value of 2^31 or more (a BMP with a negative height, say)
//   does not fit: the answer is error Overflow and no record. A JPEG frame header whose
//   fields lie past the last byte of the file is error OutOfRange. Callers decide what
//   such a page becomes.
// - Nothing is ever read past the end of the bytes. Files are only read, never written,
//   and are closed before the reader answers.
// - The Parse* functions are pure: they take the bytes the file reader would have read
//   (a shorter buffer counts as zero-filled for the fixed-size headers).
#include <QString>
#include <cstdint>
#include <span>

namespace folivo {

enum class ImageFormat : std::int32_t { Unknown = 0, Bmp = 1, Gif = 2, Jpeg = 3, Png = 4 };

struct ImageInfo {
    std::int32_t format = 0; // an ImageFormat value
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bits = 0;

    bool operator==(const ImageInfo&) const = default;
};

enum class ImageInfoError { None, Overflow, OutOfRange };

struct ImageInfoResult {
    ImageInfo info;
    ImageInfoError error = ImageInfoError::None;

    bool ok() const { return error == ImageInfoError::None; }
};

// Modes of GetImageInfo.
inline constexpr int kDetectBySignature = 0;
inline constexpr int kDetectByExtension = 5;

// 0 sniff the first bytes, 5 go by the (lower-cased) extension, 1..4 take that format,
// anything else answers format 0.
ImageInfoResult GetImageInfo(const QString& path, int mode);
ImageInfoResult ReadBmpInfo(const QString& path);
ImageInfoResult ReadGifInfo(const QString& path);
ImageInfoResult ReadJpegInfo(const QString& path);
ImageInfoResult ReadPngInfo(const QString& path);

// An ordinary, visible file of at least 2 bytes.
bool IsUsableFile(const QString& path);

// Pure readers over header bytes.
ImageFormat SniffImageFormat(std::span<const std::uint8_t> firstBytes);
ImageFormat FormatFromExtension(const QString& path);
ImageInfoResult ParseBmpInfo(std::span<const std::uint8_t> bytes);
ImageInfoResult ParseGifInfo(std::span<const std::uint8_t> bytes);
ImageInfoResult ParsePngInfo(std::span<const std::uint8_t> bytes);
ImageInfoResult ParseJpegInfo(std::span<const std::uint8_t> wholeFile);

} // namespace folivo
