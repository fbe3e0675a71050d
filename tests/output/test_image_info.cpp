// Image header readers: hand-built headers in, exact records or errors out.
#include "image_info.h"
#include "test_images.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace folivo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bmpHeader(std::uint32_t width, std::uint32_t height, std::uint16_t bits) {
    Bytes b(54, 0);
    b[0] = 0x42;
    b[1] = 0x4D;
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = std::uint8_t(width >> 8 * i);
        b[22 + i] = std::uint8_t(height >> 8 * i);
    }
    b[28] = std::uint8_t(bits);
    b[29] = std::uint8_t(bits >> 8);
    return b;
}

Bytes pngHeader(std::uint32_t width, std::uint32_t height, int depth, int colourType) {
    Bytes b = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (const std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            b.push_back(std::uint8_t(v >> shift));
    b.push_back(std::uint8_t(depth));
    b.push_back(std::uint8_t(colourType));
    b.insert(b.end(), {0, 0, 0});
    return b;
}

// SOI, then an APP0 segment of length 16, then the frame header `marker`.
Bytes jpegWithFrame(std::uint8_t marker, int height, int width) {
    Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
    b.resize(20, 0x4A); // the rest of APP0
    b.insert(b.end(), {0xFF, marker, 0x00, 0x11, 0x08, std::uint8_t(height >> 8),
                       std::uint8_t(height), std::uint8_t(width >> 8), std::uint8_t(width), 3});
    b.resize(b.size() + 16, 0);
    return b;
}

// Records: {format (1 BMP, 2 GIF, 3 JPEG, 4 PNG), width, height, bits}.
ImageInfo jpeg(int w, int h) {
    return {3, w, h, 24};
}

TEST(ImageHeaderParsers, AnswerTheRecordOrErrorOfEachHeader) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00, 0xF5, 0, 0};
    Bytes gix = gif;
    gix[2] = 'X';
    // Two segments before the frame: APP0 (16) and a comment of length 2.
    Bytes walk = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
    walk.resize(20, 0);
    walk.insert(walk.end(), {0xFF, 0xFE, 0x00, 0x02, 0xFF, 0xC1, 0, 0x11, 8, 0, 7, 0, 9, 3});
    walk.resize(walk.size() + 10, 0);
    const Bytes topDown = bmpHeader(1024, 0xFFFFFD00, 24);
    const auto P = ParsePngInfo;
    const auto J = ParseJpegInfo;
    const auto B = ParseBmpInfo;
    const ImageInfoError overflow = ImageInfoError::Overflow;
    const struct {
        const char* name;
        ImageInfoResult (*parse)(std::span<const std::uint8_t>);
        Bytes bytes;
        ImageInfo expected;
        ImageInfoError error = ImageInfoError::None;
    } cases[] = {
        {"BMP 1024 x 768", B, bmpHeader(1024, 768, 24), {1, 1024, 768, 24}},
        {"BMP 1-bit", B, bmpHeader(1, 2, 1), {1, 1, 2, 1}},
        {"BMP top-down (negative height)", B, topDown, {}, overflow},
        {"BMP width 2^31", B, bmpHeader(0x80000000, 1, 8), {}, overflow},
        {"BMP width 2^31 - 1", B, bmpHeader(2147483647, 1, 8), ImageInfo{1, 2147483647, 1, 8}},
        {"BMP header cut short reads zeros", B, Bytes{0x42, 0x4D, 0, 0}, {1, 0, 0, 0}},
        {"not a BMP", B, Bytes{0x42, 0x4E, 1, 2, 3}, {}},
        {"GIF 320 x 240, 6 bits", ParseGifInfo, gif, {2, 320, 240, 6}},
        {"GIX", ParseGifInfo, gix, {}},
        {"PNG palette 8", P, pngHeader(640, 480, 8, 3), {4, 640, 480, 8}},
        {"PNG grey 16", P, pngHeader(1, 1, 16, 0), {4, 1, 1, 16}},
        {"PNG RGB 8", P, pngHeader(3, 4, 8, 2), {4, 3, 4, 24}},
        {"PNG RGBA", P, pngHeader(3, 4, 8, 6), {4, 3, 4, 0}},
        {"PNG grey-alpha", P, pngHeader(3, 4, 8, 4), {4, 3, 4, 0}},
        {"PNG width 2^32 - 1", P, pngHeader(0xFFFFFFFF, 4, 8, 2), {}, overflow},
        {"JPEG baseline after APP0", J, jpegWithFrame(0xC0, 768, 1024), jpeg(1024, 768)},
        {"JPEG progressive", J, jpegWithFrame(0xC2, 5, 6), jpeg(6, 5)},
        {"JPEG lossless", J, jpegWithFrame(0xC3, 10, 20), jpeg(20, 10)},
        {"JPEG arithmetic 0xC9", J, jpegWithFrame(0xC9, 5, 6), jpeg(6, 5)},
        {"JPEG walk follows every segment length", J, walk, jpeg(9, 7)},
        {"JPEG only 0xC5", J, jpegWithFrame(0xC5, 5, 6), {}},
        {"JPEG only 0xC4 (tables)", J, jpegWithFrame(0xC4, 5, 6), {}},
        {"JPEG frame header at the very end",
         J,
         Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01},
         {},
         ImageInfoError::OutOfRange},
        {"JPEG garbage after SOI", J, Bytes{0xFF, 0xD8, 0x00, 0xC0, 0, 0, 0, 0}, {}},
        {"JPEG of 5 bytes", J, Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0}, {}},
        {"not a JPEG", J, Bytes{0xFF, 0xD9}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfoResult r = c.parse(c.bytes);
        EXPECT_EQ(r.error, c.error);
        if (c.error == ImageInfoError::None) {
            EXPECT_EQ(r.info, c.expected);
        }
    }
}

class ImageInfoFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const Bytes& bytes) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(test::WriteBytes(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                      qsizetype(bytes.size()))));
        return path;
    }
    QTemporaryDir m_dir;
};

// The program reads files by their first bytes, whatever their names; a hidden, missing,
// one-byte or folder path is no usable file and gives an empty record.
TEST_F(ImageInfoFiles, FilesAreDetectedByContentAndOnlyUsableOnesRead) {
    const ImageInfo empty;
    const std::tuple<QString, ImageInfo, bool> cases[] = {
        {write("scan.dat", bmpHeader(1024, 768, 8)), {1, 1024, 768, 8}, true},
        {write("PHOTO.PNG", jpegWithFrame(0xC0, 30, 40)), jpeg(40, 30), true},
        {write("x.gif", Bytes{'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}), empty, true},
        {write(".hidden.bmp", bmpHeader(1, 1, 24)), empty, false},
        {write("one.bmp", Bytes{0x42}), empty, false},
        {m_dir.filePath("missing.bmp"), empty, false},
        {m_dir.path(), empty, false},
    };
    for (const auto& [path, record, usable] : cases) {
        const auto r = GetImageInfo(path, kDetectBySignature);
        ASSERT_TRUE(r.ok()) << path.toStdString();
        EXPECT_EQ(r.info, record) << path.toStdString();
        EXPECT_EQ(IsUsableFile(path), usable) << path.toStdString();
    }
    const QString topDown = write("top.bmp", bmpHeader(1024, 0xFFFFFD00, 24));
    EXPECT_EQ(GetImageInfo(topDown, kDetectBySignature).error, ImageInfoError::Overflow);
}

} // namespace
} // namespace folivo
