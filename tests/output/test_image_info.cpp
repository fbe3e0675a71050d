// Image header readers: hand-built headers in, exact records or errors out.
#include "image_info.h"
#include "test_images.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace folivo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bmpHeader(std::array<std::uint8_t, 4> width, std::array<std::uint8_t, 4> height,
                std::uint16_t bits) {
    Bytes b(54, 0);
    b[0] = 0x42;
    b[1] = 0x4D;
    std::copy(width.begin(), width.end(), b.begin() + 18);
    std::copy(height.begin(), height.end(), b.begin() + 22);
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

ImageInfo info(ImageFormat f, int w, int h, int bits) {
    return {static_cast<std::int32_t>(f), w, h, bits};
}

struct ParseCase {
    const char* name;
    ImageInfoResult (*parse)(std::span<const std::uint8_t>);
    Bytes bytes;
    ImageInfo expected;
    ImageInfoError error;
};

TEST(ImageHeaderParsers, AnswerTheDescribedRecordsAndErrors) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00, 0xF5, 0, 0};
    Bytes gix = gif;
    gix[2] = 'X';
    Bytes nearEnd = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01};
    Bytes lossless = jpegWithFrame(0xC3, 10, 20);
    const std::vector<ParseCase> cases = {
        {"BMP 1024 x 768", ParseBmpInfo, bmpHeader({0, 4, 0, 0}, {0, 3, 0, 0}, 24),
         info(ImageFormat::Bmp, 1024, 768, 24), ImageInfoError::None},
        {"BMP 1-bit", ParseBmpInfo, bmpHeader({1, 0, 0, 0}, {2, 0, 0, 0}, 1),
         info(ImageFormat::Bmp, 1, 2, 1), ImageInfoError::None},
        {"BMP top-down (negative height)", ParseBmpInfo,
         bmpHeader({0, 4, 0, 0}, {0x00, 0xFD, 0xFF, 0xFF}, 24), ImageInfo{},
         ImageInfoError::Overflow},
        {"BMP width 2^31", ParseBmpInfo, bmpHeader({0, 0, 0, 0x80}, {1, 0, 0, 0}, 8), ImageInfo{},
         ImageInfoError::Overflow},
        {"BMP width 2^31 - 1", ParseBmpInfo, bmpHeader({0xFF, 0xFF, 0xFF, 0x7F}, {1, 0, 0, 0}, 8),
         info(ImageFormat::Bmp, 2147483647, 1, 8), ImageInfoError::None},
        {"BMP header cut short reads zeros", ParseBmpInfo, Bytes{0x42, 0x4D, 0, 0},
         info(ImageFormat::Bmp, 0, 0, 0), ImageInfoError::None},
        {"not a BMP", ParseBmpInfo, Bytes{0x42, 0x4E, 1, 2, 3}, ImageInfo{}, ImageInfoError::None},
        {"GIF 320 x 240, 6 bits", ParseGifInfo, gif, info(ImageFormat::Gif, 320, 240, 6),
         ImageInfoError::None},
        {"GIX", ParseGifInfo, gix, ImageInfo{}, ImageInfoError::None},
        {"PNG palette 8", ParsePngInfo, pngHeader(640, 480, 8, 3),
         info(ImageFormat::Png, 640, 480, 8), ImageInfoError::None},
        {"PNG grey 16", ParsePngInfo, pngHeader(1, 1, 16, 0), info(ImageFormat::Png, 1, 1, 16),
         ImageInfoError::None},
        {"PNG RGB 8", ParsePngInfo, pngHeader(3, 4, 8, 2), info(ImageFormat::Png, 3, 4, 24),
         ImageInfoError::None},
        {"PNG RGBA", ParsePngInfo, pngHeader(3, 4, 8, 6), info(ImageFormat::Png, 3, 4, 0),
         ImageInfoError::None},
        {"PNG grey-alpha", ParsePngInfo, pngHeader(3, 4, 8, 4), info(ImageFormat::Png, 3, 4, 0),
         ImageInfoError::None},
        {"PNG width 2^32 - 1", ParsePngInfo, pngHeader(0xFFFFFFFF, 4, 8, 2), ImageInfo{},
         ImageInfoError::Overflow},
        {"JPEG baseline after APP0", ParseJpegInfo, jpegWithFrame(0xC0, 768, 1024),
         info(ImageFormat::Jpeg, 1024, 768, 24), ImageInfoError::None},
        {"JPEG progressive", ParseJpegInfo, jpegWithFrame(0xC2, 5, 6),
         info(ImageFormat::Jpeg, 6, 5, 24), ImageInfoError::None},
        {"JPEG lossless", ParseJpegInfo, lossless, info(ImageFormat::Jpeg, 20, 10, 24),
         ImageInfoError::None},
        {"JPEG arithmetic 0xC9", ParseJpegInfo, jpegWithFrame(0xC9, 5, 6),
         info(ImageFormat::Jpeg, 6, 5, 24), ImageInfoError::None},
        {"JPEG only 0xC5", ParseJpegInfo, jpegWithFrame(0xC5, 5, 6), ImageInfo{},
         ImageInfoError::None},
        {"JPEG only 0xC4 (tables)", ParseJpegInfo, jpegWithFrame(0xC4, 5, 6), ImageInfo{},
         ImageInfoError::None},
        {"JPEG frame header at the very end", ParseJpegInfo, nearEnd, ImageInfo{},
         ImageInfoError::OutOfRange},
        {"JPEG garbage after SOI", ParseJpegInfo, Bytes{0xFF, 0xD8, 0x00, 0xC0, 0, 0, 0, 0},
         ImageInfo{}, ImageInfoError::None},
        {"JPEG of 5 bytes", ParseJpegInfo, Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0}, ImageInfo{},
         ImageInfoError::None},
        {"not a JPEG", ParseJpegInfo, Bytes{0xFF, 0xD9}, ImageInfo{}, ImageInfoError::None},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfoResult r = c.parse(c.bytes);
        EXPECT_EQ(r.error, c.error);
        if (c.error == ImageInfoError::None) {
            EXPECT_EQ(r.info, c.expected);
        }
    }
}

TEST(ImageHeaderParsers, JpegWalkFollowsEverySegmentLength) {
    // Two segments before the frame: APP0 (16) and a comment of length 2.
    Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
    b.resize(20, 0);
    b.insert(b.end(), {0xFF, 0xFE, 0x00, 0x02, 0xFF, 0xC1, 0, 0x11, 8, 0, 7, 0, 9, 3});
    b.resize(b.size() + 10, 0);
    const auto r = ParseJpegInfo(b);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.info, info(ImageFormat::Jpeg, 9, 7, 24));
}

TEST(ImageHeaderParsers, SniffingAndExtensionsPickTheFormat) {
    EXPECT_EQ(SniffImageFormat(Bytes{'B', 'M'}), ImageFormat::Bmp);
    EXPECT_EQ(SniffImageFormat(Bytes{'G', 'I', 'F'}), ImageFormat::Gif);
    EXPECT_EQ(SniffImageFormat(Bytes{'G', 'I', 'X', '8'}), ImageFormat::Unknown);
    EXPECT_EQ(SniffImageFormat(Bytes{0xFF, 0xD8}), ImageFormat::Jpeg);
    EXPECT_EQ(SniffImageFormat(Bytes{0x89, 'P', 'N', 'G'}), ImageFormat::Png);
    EXPECT_EQ(SniffImageFormat(Bytes{0x89, 'P', 'N'}), ImageFormat::Unknown);
    EXPECT_EQ(SniffImageFormat(Bytes{}), ImageFormat::Unknown);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("/a/B.BMP")), ImageFormat::Bmp);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("x.Gif")), ImageFormat::Gif);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("x.JPEG")), ImageFormat::Jpeg);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("x.JPG")), ImageFormat::Jpeg);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("x.png")), ImageFormat::Png);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("x.jpg.txt")), ImageFormat::Unknown);
    EXPECT_EQ(FormatFromExtension(QStringLiteral("bmp")), ImageFormat::Unknown);
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

TEST_F(ImageInfoFiles, AOneByteFileIsFormatZeroInEveryMode) {
    const QString path = write(QStringLiteral("one.bmp"), Bytes{0x42});
    for (const int mode : {0, 1, 2, 3, 4, 5, 6, -1}) {
        SCOPED_TRACE(mode);
        const auto r = GetImageInfo(path, mode);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(r.info, ImageInfo{});
    }
    EXPECT_FALSE(IsUsableFile(path));
}

TEST_F(ImageInfoFiles, ModesDetectByContentByExtensionOrTakeTheFormatGiven) {
    const QString bmp = write(QStringLiteral("scan.dat"), bmpHeader({0, 4, 0, 0}, {0, 3, 0, 0}, 8));
    const QString jpeg = write(QStringLiteral("PHOTO.JPEG"), jpegWithFrame(0xC0, 30, 40));
    const QString gix =
        write(QStringLiteral("x.gif"), Bytes{'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0});
    const ImageInfo bmpInfo = info(ImageFormat::Bmp, 1024, 768, 8);
    const ImageInfo jpegInfo = info(ImageFormat::Jpeg, 40, 30, 24);
    struct Case {
        QString path;
        int mode;
        ImageInfo expected;
    };
    const std::vector<Case> cases = {
        {bmp, 0, bmpInfo},      {bmp, 1, bmpInfo},     {bmp, 5, ImageInfo{}}, {bmp, 3, ImageInfo{}},
        {bmp, 7, ImageInfo{}},  {jpeg, 0, jpegInfo},   {jpeg, 5, jpegInfo},   {jpeg, 3, jpegInfo},
        {jpeg, 1, ImageInfo{}}, {gix, 0, ImageInfo{}}, {gix, 2, ImageInfo{}}, {gix, 5, ImageInfo{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 mode %2")
                         .arg(QFileInfo(c.path).fileName())
                         .arg(c.mode)
                         .toStdString());
        const auto r = GetImageInfo(c.path, c.mode);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.info, c.expected);
    }
    EXPECT_EQ(ReadBmpInfo(bmp).info, bmpInfo);
    EXPECT_EQ(ReadJpegInfo(jpeg).info, jpegInfo);
    EXPECT_EQ(ReadGifInfo(gix).info, ImageInfo{});
}

TEST_F(ImageInfoFiles, ATopDownBmpFileEndsInAnOverflowError) {
    const QString path =
        write(QStringLiteral("top.bmp"), bmpHeader({0, 4, 0, 0}, {0x00, 0xFD, 0xFF, 0xFF}, 24));
    EXPECT_EQ(GetImageInfo(path, 0).error, ImageInfoError::Overflow);
    EXPECT_EQ(ReadBmpInfo(path).error, ImageInfoError::Overflow);
}

TEST_F(ImageInfoFiles, RealPicturesWrittenByQtAreMeasured) {
    const QString bmp = m_dir.filePath(QStringLiteral("real.bmp"));
    const QString png = m_dir.filePath(QStringLiteral("real.png"));
    const QString jpg = m_dir.filePath(QStringLiteral("real.jpg"));
    ASSERT_TRUE(test::ColourPicture(37, 21).save(bmp, "BMP"));
    ASSERT_TRUE(test::ColourPicture(37, 21).save(png, "PNG"));
    ASSERT_TRUE(test::ColourPicture(37, 21).save(jpg, "JPEG"));
    EXPECT_EQ(GetImageInfo(bmp, 0).info, info(ImageFormat::Bmp, 37, 21, 24));
    EXPECT_EQ(GetImageInfo(png, 0).info.format, int(ImageFormat::Png));
    EXPECT_EQ(GetImageInfo(png, 0).info.width, 37);
    EXPECT_EQ(GetImageInfo(jpg, 0).info, info(ImageFormat::Jpeg, 37, 21, 24));
}

TEST_F(ImageInfoFiles, MissingHiddenAndFolderPathsAreNotUsable) {
    const QString hidden =
        write(QStringLiteral(".hidden.bmp"), bmpHeader({1, 0, 0, 0}, {1, 0, 0, 0}, 24));
    EXPECT_FALSE(IsUsableFile(hidden));
    EXPECT_EQ(GetImageInfo(hidden, 0).info, ImageInfo{});
    EXPECT_FALSE(IsUsableFile(m_dir.filePath(QStringLiteral("missing.bmp"))));
    EXPECT_FALSE(IsUsableFile(m_dir.path()));
    EXPECT_FALSE(IsUsableFile(QString()));
    EXPECT_TRUE(IsUsableFile(write(QStringLiteral("two.bin"), Bytes{1, 2})));
}

} // namespace
} // namespace folivo
