// Decoding of raw frames built by hand, byte by byte.
#include "frame_decoder.h"
#include "native_image.h"
#include "size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using namespace folivo;

namespace {

FrameParams Params(FrameFormat f, int depth, int ppl, int bpl, int lines, bool last = true) {
    FrameParams p;
    p.format = f;
    p.depth = depth;
    p.pixelsPerLine = ppl;
    p.bytesPerLine = bpl;
    p.lines = lines;
    p.lastFrame = last;
    return p;
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// 16-bit samples as the machine stores them.
QByteArray Samples16(std::initializer_list<quint16> values) {
    QByteArray b;
    for (quint16 v : values)
        b.append(reinterpret_cast<const char*>(&v), 2);
    return b;
}

constexpr QRgb Grey(int v) {
    return qRgb(v, v, v);
}

struct Pixel {
    int x, y;
    QRgb rgb;
};

struct DecodeCase {
    const char* what;
    FrameParams params;
    QByteArray data;
    QImage::Format format; // Format_Invalid: no page
    QSize size;
    std::vector<Pixel> pixels;
};

TEST(FrameDecoder, EachDepthAndFormatGivesItsImage) {
    using F = FrameFormat;
    const QRgb black = Grey(0), white = Grey(255);
    const DecodeCase cases[] = {
        {"grey 8",
         Params(F::Gray, 8, 3, 3, 2),
         Bytes({0, 128, 255, 10, 20, 30}),
         QImage::Format_Indexed8,
         {3, 2},
         {{1, 0, Grey(128)}, {2, 1, Grey(30)}}},
        // 10 pixels in 2 bytes, then one padding byte per line; a set bit is black.
        {"line art",
         Params(F::Gray, 1, 10, 3, 2),
         Bytes({0b10100000, 0b01000000, 0xee, 0xff, 0xc0, 0x00}),
         QImage::Format_Mono,
         {10, 2},
         {{0, 0, black}, {1, 0, white}, {8, 0, white}, {9, 0, black}, {9, 1, black}}},
        {"grey 16 keeps the high byte",
         Params(F::Gray, 16, 2, 4, 1),
         Samples16({0x12ab, 0xfe01}),
         QImage::Format_Indexed8,
         {2, 1},
         {{0, 0, Grey(0x12)}, {1, 0, Grey(0xfe)}}},
        {"colour 8",
         Params(F::Rgb, 8, 2, 6, 1),
         Bytes({1, 2, 3, 250, 251, 252}),
         QImage::Format_RGB888,
         {2, 1},
         {{0, 0, qRgb(1, 2, 3)}, {1, 0, qRgb(250, 251, 252)}}},
        {"colour 16",
         Params(F::Rgb, 16, 1, 6, 1),
         Samples16({0x1000, 0x20ff, 0x3001}),
         QImage::Format_RGB888,
         {1, 1},
         {{0, 0, qRgb(0x10, 0x20, 0x30)}}},
        // Bits 101 010: a set bit is full intensity.
        {"colour 1",
         Params(F::Rgb, 1, 2, 1, 1),
         Bytes({0b10101000}),
         QImage::Format_RGB888,
         {2, 1},
         {{0, 0, qRgb(255, 0, 255)}, {1, 0, qRgb(0, 255, 0)}}},
        // A short frame keeps its lines; the partial one is filled with white.
        {"short grey",
         Params(F::Gray, 8, 4, 4, 10),
         Bytes({1, 2, 3, 4, 5, 6}),
         QImage::Format_Indexed8,
         {4, 2},
         {{1, 1, Grey(6)}, {2, 1, white}}},
        {"short line art",
         Params(F::Gray, 1, 16, 2, 5),
         Bytes({0xff, 0xff, 0xff}),
         QImage::Format_Mono,
         {16, 2},
         {{7, 1, black}, {8, 1, white}}},
        {"bytes past the lines",
         Params(F::Gray, 8, 2, 2, 1),
         Bytes({7, 8, 9, 9, 9}),
         QImage::Format_Indexed8,
         {2, 1},
         {{1, 0, Grey(8)}}},
        {"no line", Params(F::Gray, 8, 4, 4, 3), {}, QImage::Format_Invalid, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RawFrame frame{c.params, c.data};
        const std::optional<QImage> img = DecodeFrames(std::span(&frame, 1), 300);
        ASSERT_EQ(img.has_value(), c.format != QImage::Format_Invalid);
        if (!img)
            continue;
        EXPECT_EQ(img->format(), c.format);
        EXPECT_EQ(img->size(), c.size);
        EXPECT_EQ(img->colorCount(), c.format == QImage::Format_Indexed8 ? 256
                                     : c.format == QImage::Format_Mono   ? 2
                                                                         : 0);
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(img->pixel(p.x, p.y), p.rgb) << p.x << "," << p.y;
        EXPECT_EQ(img->dotsPerMeterX(), 11811);
        EXPECT_EQ(img->dotsPerMeterY(), 11811);
    }
}

TEST(FrameDecoder, ThreePassChannelsLandInTheirPlaceWhateverTheOrder) {
    using F = FrameFormat;
    for (const auto& order :
         {std::array{F::Red, F::Green, F::Blue}, std::array{F::Blue, F::Red, F::Green},
          std::array{F::Green, F::Blue, F::Red}}) {
        std::vector<RawFrame> frames;
        for (F f : order) {
            const int value = f == F::Red ? 11 : f == F::Green ? 22 : 33;
            frames.push_back({Params(f, 8, 2, 2, 2, f == order[2]), QByteArray(4, char(value))});
        }
        const auto img = DecodeFrames(frames, 100);
        ASSERT_TRUE(img);
        EXPECT_EQ(img->pixel(1, 1), qRgb(11, 22, 33)) << int(order[0]);
    }
}

TEST(FrameDecoder, UnknownHeightGrowsWithTheLinesThatArriveInAnyPieces) {
    PageAssembler page;
    ASSERT_EQ(page.beginFrame(Params(FrameFormat::Gray, 8, 4, 4, -1)), DecodeError::None);
    QByteArray data;
    for (int line = 0; line < 1000; ++line)
        data += QByteArray(4, char(line % 256));
    for (qsizetype at = 0; at < data.size(); at += 7) {
        const qsizetype n = std::min<qsizetype>(7, data.size() - at);
        ASSERT_EQ(page.feed(reinterpret_cast<const uint8_t*>(data.constData() + at), size_t(n)),
                  DecodeError::None);
    }
    page.endFrame();
    const auto img = page.takeImage(100);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->height(), 1000);
    EXPECT_EQ(img->pixelIndex(3, 999), 999 % 256);
    EXPECT_EQ(img->pixelIndex(0, 300), 300 % 256);
}

TEST(FrameDecoder, BadParametersAreRefusedBeforeAnyMemoryIsTaken) {
    const FrameParams bad[] = {
        Params(FrameFormat::Gray, 4, 4, 4, 1),               // depth 4
        Params(FrameFormat::Gray, 8, 0, 4, 1),               // no pixels
        Params(FrameFormat::Gray, 8, -5, 4, 1),              // negative width
        Params(FrameFormat::Rgb, 8, 4, 11, 1),               // line shorter than pixels
        Params(FrameFormat::Gray, 16, 4, 7, 1),              // 16-bit line too short
        Params(FrameFormat::Gray, 8, 4, 4, 0),               // zero lines
        Params(FrameFormat::Gray, 8, 4, 4, -2),              // lines below -1
        Params(FrameFormat::Gray, 8, 1 << 30, 1 << 30, 1),   // absurd width
        Params(FrameFormat::Rgb, 8, 100000, 300000, 100000), // above the memory cap
    };
    for (size_t i = 0; i < std::size(bad); ++i)
        EXPECT_NE(PageAssembler().beginFrame(bad[i]), DecodeError::None) << "case " << i;
}

TEST(FrameDecoder, FramesThatDoNotBelongTogetherAreRefused) {
    const auto second = [](std::vector<FrameParams> before, const FrameParams& next) {
        PageAssembler page;
        for (const FrameParams& p : before) {
            EXPECT_EQ(page.beginFrame(p), DecodeError::None);
            page.endFrame();
        }
        return page.beginFrame(next);
    };
    using F = FrameFormat;
    EXPECT_EQ(second({Params(F::Gray, 8, 2, 2, 1, false)}, Params(F::Gray, 8, 2, 2, 1)),
              DecodeError::FrameMismatch);
    EXPECT_EQ(second({Params(F::Red, 8, 2, 2, 1, false)}, Params(F::Green, 8, 3, 3, 1)),
              DecodeError::FrameMismatch);
    // A fourth channel frame.
    EXPECT_EQ(second({Params(F::Red, 8, 1, 1, 1, false), Params(F::Green, 8, 1, 1, 1, false),
                      Params(F::Blue, 8, 1, 1, 1, false)},
                     Params(F::Red, 8, 1, 1, 1, false)),
              DecodeError::FrameMismatch);
}

} // namespace

// The page images behind handles, and the BMP files written from them, read back byte
// by byte from their headers.
namespace {

QImage Page(QImage::Format format, int w, int h) {
    FrameParams p;
    p.format = format == QImage::Format_RGB888 ? FrameFormat::Rgb : FrameFormat::Gray;
    p.depth = format == QImage::Format_Mono ? 1 : 8;
    p.pixelsPerLine = w;
    p.bytesPerLine = format == QImage::Format_RGB888 ? 3 * w : p.depth == 1 ? (w + 7) / 8 : w;
    p.lines = h;
    QByteArray data(qsizetype(p.bytesPerLine) * h, 0);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 37);
    const RawFrame frame{p, data};
    return *DecodeFrames(std::span(&frame, 1), 300);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(BmpWrite, IsBottomUpWithItsDepthPaletteAndResolution) {
    QTemporaryDir dir;
    QImage fewGreys = Page(QImage::Format_Indexed8, 13, 5);
    fewGreys.fill(0); // Qt would write up to 16 colours as 4-bit; the grey palette stays whole
    const struct {
        QImage image;
        int bits, paletteEntries;
    } cases[] = {{Page(QImage::Format_RGB888, 13, 5), 24, 0},
                 {Page(QImage::Format_Indexed8, 13, 5), 8, 256},
                 {fewGreys, 8, 256},
                 {Page(QImage::Format_Mono, 13, 5), 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        const QString path = dir.filePath(QStringLiteral("page.bmp"));
        ASSERT_EQ(WriteBmp(c.image, path), BmpWriteResult::Ok);
        const QByteArray f = Read(path);
        ASSERT_GE(f.size(), 54);
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(f.constData() + at); };
        EXPECT_EQ(f.left(2), QByteArray("BM"));
        EXPECT_EQ(u32(2), quint32(f.size()));
        EXPECT_EQ(u32(18), 13u);
        EXPECT_EQ(u32(22), 5u) << "a positive height is a bottom-up bitmap";
        EXPECT_EQ(qFromLittleEndian<quint16>(f.constData() + 28), c.bits);
        EXPECT_EQ(u32(30), 0u) << "no compression";
        EXPECT_EQ(u32(38), 11811u);
        EXPECT_EQ(u32(42), 11811u);
        EXPECT_EQ((u32(10) - 14 - u32(14)) / 4, quint32(c.paletteEntries));
        EXPECT_EQ(u32(10) + quint32(((13 * c.bits + 31) / 32) * 4 * 5), quint32(f.size()));
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32),
                  c.image.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(BmpWrite, FailuresLeaveWhatWasThere) {
    QTemporaryDir dir;
    const QImage page = Page(QImage::Format_RGB888, 2, 2);
    const QString missing = dir.filePath(QStringLiteral("no/such/page.bmp"));
    EXPECT_NE(WriteBmp(page, missing), BmpWriteResult::Ok);
    EXPECT_FALSE(QFile::exists(missing));
    const QString none = dir.filePath(QStringLiteral("none.bmp"));
    EXPECT_EQ(WriteBmp(QImage(), none), BmpWriteResult::NoImage);
    EXPECT_FALSE(QFile::exists(none));

    const QString old = dir.filePath(QStringLiteral("old.bmp"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    ASSERT_TRUE(QFile::setPermissions(old, QFile::ReadOwner));
    EXPECT_EQ(WriteBmp(page, old), BmpWriteResult::NotWritable);
    EXPECT_EQ(Read(old), "old");
}

TEST(BmpWrite, AFullDiskIsAFailureAndTheOldFileStays) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TMP00001.BMP"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(3000, 'o'));
    old.close();
    EXPECT_TRUE(test::ReportsFailureUnderSizeLimit([&] {
        return WriteBmp(Page(QImage::Format_RGB888, 60, 60), path) == BmpWriteResult::WriteFailed;
    }));
    EXPECT_EQ(Read(path), QByteArray(3000, 'o'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(NativeImageStore, HandlesAreNeverZeroNorReusedAndPalettesFollowTheirImage) {
    NativeImageStore store;
    EXPECT_EQ(store.add(QImage()), 0u);
    const NativeHandle a = store.add(Page(QImage::Format_RGB888, 3, 2));
    ASSERT_NE(a, 0u);
    store.free(a);
    const NativeHandle colour = store.add(Page(QImage::Format_RGB888, 3, 2));
    EXPECT_NE(colour, a);
    EXPECT_EQ(store.image(a), nullptr);
    ASSERT_NE(store.image(colour), nullptr);
    EXPECT_EQ(store.image(colour)->size(), QSize(3, 2));

    const NativeHandle grey = store.add(Page(QImage::Format_Indexed8, 3, 2));
    const NativeHandle art = store.add(Page(QImage::Format_Mono, 3, 2));
    const NativeHandle gp = store.createPalette(grey);
    const NativeHandle ap = store.createPalette(art);
    ASSERT_TRUE(gp && ap);
    EXPECT_EQ(store.palette(gp)->size(), 256);
    EXPECT_EQ(store.palette(gp)->at(200), qRgb(200, 200, 200));
    EXPECT_EQ(*store.palette(ap), (QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)}));
    EXPECT_EQ(store.createPalette(12345), 0u);
    store.free(grey);
    EXPECT_EQ(store.palette(gp), nullptr);
    EXPECT_NE(store.palette(ap), nullptr);
}

} // namespace
