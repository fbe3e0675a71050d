// Decoding of raw frames built by hand, byte by byte.
#include "frame_decoder.h"

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
    DecodeCase(const char* w, FrameParams p, QByteArray d, QImage::Format f, QSize s,
               std::vector<Pixel> px)
        : what(w), params(p), data(std::move(d)), format(f), size(s), pixels(std::move(px)) {}
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
        DecodeCase("grey 8", Params(F::Gray, 8, 3, 3, 2), Bytes({0, 128, 255, 10, 20, 30}),
                   QImage::Format_Indexed8, {3, 2}, {{1, 0, Grey(128)}, {2, 1, Grey(30)}}),
        // 10 pixels in 2 bytes, then one padding byte per line; a set bit is black.
        DecodeCase("line art", Params(F::Gray, 1, 10, 3, 2),
                   Bytes({0b10100000, 0b01000000, 0xee, 0xff, 0xc0, 0x00}), QImage::Format_Mono,
                   {10, 2},
                   {{0, 0, black}, {1, 0, white}, {8, 0, white}, {9, 0, black}, {9, 1, black}}),
        DecodeCase("grey 16 keeps the high byte", Params(F::Gray, 16, 2, 4, 1),
                   Samples16({0x12ab, 0xfe01}), QImage::Format_Indexed8, {2, 1},
                   {{0, 0, Grey(0x12)}, {1, 0, Grey(0xfe)}}),
        DecodeCase("colour 8", Params(F::Rgb, 8, 2, 6, 1), Bytes({1, 2, 3, 250, 251, 252}),
                   QImage::Format_RGB32, {2, 1},
                   {{0, 0, qRgb(1, 2, 3)}, {1, 0, qRgb(250, 251, 252)}}),
        DecodeCase("colour 16", Params(F::Rgb, 16, 1, 6, 1), Samples16({0x1000, 0x20ff, 0x3001}),
                   QImage::Format_RGB32, {1, 1}, {{0, 0, qRgb(0x10, 0x20, 0x30)}}),
        // Bits 101 010: a set bit is full intensity.
        DecodeCase("colour 1", Params(F::Rgb, 1, 2, 1, 1), Bytes({0b10101000}),
                   QImage::Format_RGB32, {2, 1},
                   {{0, 0, qRgb(255, 0, 255)}, {1, 0, qRgb(0, 255, 0)}}),
        // A short frame keeps its lines; the partial one is filled with white.
        DecodeCase("short grey", Params(F::Gray, 8, 4, 4, 10), Bytes({1, 2, 3, 4, 5, 6}),
                   QImage::Format_Indexed8, {4, 2}, {{1, 1, Grey(6)}, {2, 1, white}}),
        DecodeCase("short line art", Params(F::Gray, 1, 16, 2, 5), Bytes({0xff, 0xff, 0xff}),
                   QImage::Format_Mono, {16, 2}, {{7, 1, black}, {8, 1, white}}),
        DecodeCase("bytes past the lines", Params(F::Gray, 8, 2, 2, 1), Bytes({7, 8, 9, 9, 9}),
                   QImage::Format_Indexed8, {2, 1}, {{1, 0, Grey(8)}}),
        DecodeCase("no line", Params(F::Gray, 8, 4, 4, 3), {}, QImage::Format_Invalid, {}, {}),
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

TEST(FrameDecoder, ExpectedBytesCountAllThreePasses) {
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Rgb, 8, 10, 30, 5)), 150);
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Red, 8, 10, 10, 5, false)), 150);
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Gray, 8, 10, 10, -1)), 0);
}

} // namespace
