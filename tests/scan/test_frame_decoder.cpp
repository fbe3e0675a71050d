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

// A 16-bit sample as the machine stores it.
QByteArray Sample16(quint16 v) {
    QByteArray b(2, 0);
    std::memcpy(b.data(), &v, 2);
    return b;
}

std::optional<QImage> Decode(const FrameParams& p, const QByteArray& data) {
    const RawFrame frame{p, data};
    return DecodeFrames(std::span(&frame, 1), 100);
}

TEST(FrameDecoder, GreyEightBitIsAGreyPaletteImage) {
    const auto img =
        Decode(Params(FrameFormat::Gray, 8, 3, 3, 2), Bytes({0, 128, 255, 10, 20, 30}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->format(), QImage::Format_Indexed8);
    ASSERT_EQ(img->colorCount(), 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(img->color(i), qRgb(i, i, i));
    EXPECT_EQ(img->pixelIndex(1, 0), 128);
    EXPECT_EQ(img->pixelIndex(2, 1), 30);
}

TEST(FrameDecoder, LineArtSetBitIsBlackAndPaddingBytesAreSkipped) {
    // 10 pixels in 2 bytes, then one padding byte per line.
    const auto img = Decode(Params(FrameFormat::Gray, 1, 10, 3, 2),
                            Bytes({0b10100000, 0b01000000, 0xee, 0xff, 0xc0, 0x00}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->format(), QImage::Format_Mono);
    ASSERT_EQ(img->colorCount(), 2);
    EXPECT_EQ(img->pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img->pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img->pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img->pixel(9, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img->pixel(8, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img->pixel(9, 1), qRgb(0, 0, 0));
}

TEST(FrameDecoder, SixteenBitKeepsTheHighByteOfTheMachineOrder) {
    const QByteArray data = Sample16(0x12ab) + Sample16(0xfe01);
    const auto img = Decode(Params(FrameFormat::Gray, 16, 2, 4, 1), data);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixelIndex(0, 0), 0x12);
    EXPECT_EQ(img->pixelIndex(1, 0), 0xfe);
}

TEST(FrameDecoder, ColourEightAndSixteenBit) {
    const auto eight =
        Decode(Params(FrameFormat::Rgb, 8, 2, 6, 1), Bytes({1, 2, 3, 250, 251, 252}));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->format(), QImage::Format_RGB32);
    EXPECT_EQ(eight->pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(eight->pixel(1, 0), qRgb(250, 251, 252));
    const QByteArray deep = Sample16(0x1000) + Sample16(0x20ff) + Sample16(0x3001);
    const auto sixteen = Decode(Params(FrameFormat::Rgb, 16, 1, 6, 1), deep);
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->pixel(0, 0), qRgb(0x10, 0x20, 0x30));
}

TEST(FrameDecoder, ColourOneBitSetIsFullIntensity) {
    // Pixels: (1,0,1) (0,1,0) -> bits 101 010 then padding.
    const auto img = Decode(Params(FrameFormat::Rgb, 1, 2, 1, 1), Bytes({0b10101000}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(img->pixel(1, 0), qRgb(0, 255, 0));
}

struct PassOrder {
    FrameFormat first, second, third;
};

class ThreePass : public ::testing::TestWithParam<PassOrder> {};

TEST_P(ThreePass, ChannelsLandInTheirPlaceWhateverTheOrder) {
    const auto value = [](FrameFormat f) {
        return f == FrameFormat::Red ? 11 : f == FrameFormat::Green ? 22 : 33;
    };
    std::vector<RawFrame> frames;
    const PassOrder o = GetParam();
    for (FrameFormat f : {o.first, o.second, o.third})
        frames.push_back({Params(f, 8, 2, 2, 2, f == o.third), QByteArray(4, char(value(f)))});
    const auto img = DecodeFrames(frames, 100);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(0, 0), qRgb(11, 22, 33));
    EXPECT_EQ(img->pixel(1, 1), qRgb(11, 22, 33));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ThreePass,
    ::testing::Values(PassOrder{FrameFormat::Red, FrameFormat::Green, FrameFormat::Blue},
                      PassOrder{FrameFormat::Blue, FrameFormat::Red, FrameFormat::Green},
                      PassOrder{FrameFormat::Green, FrameFormat::Blue, FrameFormat::Red}));

TEST(FrameDecoder, UnknownHeightGrowsWithTheLinesThatArrive) {
    PageAssembler page;
    ASSERT_EQ(page.beginFrame(Params(FrameFormat::Gray, 8, 4, 4, -1)), DecodeError::None);
    QByteArray data;
    for (int line = 0; line < 1000; ++line)
        data += QByteArray(4, char(line % 256));
    // In odd pieces, across line ends.
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

TEST(FrameDecoder, ShortFrameKeepsItsLinesAndFillsThePartialOneWithWhite) {
    const auto grey = Decode(Params(FrameFormat::Gray, 8, 4, 4, 10), Bytes({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->height(), 2);
    EXPECT_EQ(grey->pixelIndex(1, 1), 6);
    EXPECT_EQ(grey->pixelIndex(2, 1), 255);
    const auto art = Decode(Params(FrameFormat::Gray, 1, 16, 2, 5), Bytes({0xff, 0xff, 0xff}));
    ASSERT_TRUE(art);
    EXPECT_EQ(art->height(), 2);
    EXPECT_EQ(art->pixel(7, 1), qRgb(0, 0, 0));
    EXPECT_EQ(art->pixel(8, 1), qRgb(255, 255, 255));
}

TEST(FrameDecoder, BytesBeyondTheAnnouncedLinesAreDropped) {
    const auto img = Decode(Params(FrameFormat::Gray, 8, 2, 2, 1), Bytes({7, 8, 9, 9, 9}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->size(), QSize(2, 1));
}

TEST(FrameDecoder, ResolutionGoesIntoTheImage) {
    const RawFrame frame{Params(FrameFormat::Gray, 8, 1, 1, 1), Bytes({0})};
    const auto img = DecodeFrames(std::span(&frame, 1), 300);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->dotsPerMeterX(), 11811);
    EXPECT_EQ(img->dotsPerMeterY(), 11811);
}

TEST(FrameDecoder, NoLineIsNoPage) {
    EXPECT_FALSE(Decode(Params(FrameFormat::Gray, 8, 4, 4, 3), QByteArray()));
}

struct BadCase {
    const char* name;
    FrameParams params;
};

class BadParameters : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadParameters, AreRefusedBeforeAnyMemoryIsTaken) {
    PageAssembler page;
    EXPECT_NE(page.beginFrame(GetParam().params), DecodeError::None) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadParameters,
    ::testing::Values(BadCase{"depth 4", Params(FrameFormat::Gray, 4, 4, 4, 1)},
                      BadCase{"no pixels", Params(FrameFormat::Gray, 8, 0, 4, 1)},
                      BadCase{"negative width", Params(FrameFormat::Gray, 8, -5, 4, 1)},
                      BadCase{"line shorter than its pixels",
                              Params(FrameFormat::Rgb, 8, 4, 11, 1)},
                      BadCase{"16-bit line too short", Params(FrameFormat::Gray, 16, 4, 7, 1)},
                      BadCase{"zero lines", Params(FrameFormat::Gray, 8, 4, 4, 0)},
                      BadCase{"lines below -1", Params(FrameFormat::Gray, 8, 4, 4, -2)},
                      BadCase{"absurd width", Params(FrameFormat::Gray, 8, 1 << 30, 1 << 30, 1)},
                      BadCase{"larger than the memory cap",
                              Params(FrameFormat::Rgb, 8, 100000, 300000, 100000)}));

TEST(FrameDecoder, FramesThatDoNotBelongTogetherAreRefused) {
    PageAssembler grey;
    ASSERT_EQ(grey.beginFrame(Params(FrameFormat::Gray, 8, 2, 2, 1, false)), DecodeError::None);
    grey.endFrame();
    EXPECT_EQ(grey.beginFrame(Params(FrameFormat::Gray, 8, 2, 2, 1)), DecodeError::FrameMismatch);

    PageAssembler red;
    ASSERT_EQ(red.beginFrame(Params(FrameFormat::Red, 8, 2, 2, 1, false)), DecodeError::None);
    red.endFrame();
    EXPECT_EQ(red.beginFrame(Params(FrameFormat::Green, 8, 3, 3, 1)), DecodeError::FrameMismatch);
}

TEST(FrameDecoder, AFourthChannelFrameIsRefused) {
    PageAssembler page;
    for (FrameFormat f : {FrameFormat::Red, FrameFormat::Green, FrameFormat::Blue}) {
        ASSERT_EQ(page.beginFrame(Params(f, 8, 1, 1, 1, false)), DecodeError::None);
        page.endFrame();
    }
    EXPECT_EQ(page.beginFrame(Params(FrameFormat::Red, 8, 1, 1, 1, false)),
              DecodeError::FrameMismatch);
}

TEST(FrameDecoder, ExpectedBytesCountAllThreePasses) {
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Rgb, 8, 10, 30, 5)), 150);
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Red, 8, 10, 10, 5, false)), 150);
    EXPECT_EQ(ExpectedPageBytes(Params(FrameFormat::Gray, 8, 10, 10, -1)), 0);
}

} // namespace
