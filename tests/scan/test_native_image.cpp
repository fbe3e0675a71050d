// The page images behind handles, and the BMP files written from them, read back byte
// by byte from their headers.
#include "frame_decoder.h"
#include "native_image.h"
#include "size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace folivo;

namespace {

struct BmpHeader {
    quint32 fileSize, dataOffset, infoSize;
    qint32 width, height;
    quint16 bitCount;
    quint32 compression;
    qint32 xPelsPerMeter, yPelsPerMeter;
    quint32 colorsUsed;
};

BmpHeader ReadHeader(const QByteArray& f) {
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(f.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(f.constData() + at); };
    return {u32(2),  u32(10), u32(14),         qint32(u32(18)), qint32(u32(22)),
            u16(28), u32(30), qint32(u32(38)), qint32(u32(42)), u32(46)};
}

QImage Page(QImage::Format format, int w, int h) {
    FrameParams p;
    p.format = format == QImage::Format_RGB32 ? FrameFormat::Rgb : FrameFormat::Gray;
    p.depth = format == QImage::Format_Mono ? 1 : 8;
    p.pixelsPerLine = w;
    p.bytesPerLine = format == QImage::Format_RGB32 ? 3 * w : p.depth == 1 ? (w + 7) / 8 : w;
    p.lines = h;
    QByteArray data(qsizetype(p.bytesPerLine) * h, 0);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 37);
    const RawFrame frame{p, data};
    return *DecodeFrames(std::span(&frame, 1), 300);
}

struct BmpCase {
    QImage::Format format;
    int bits;
    int paletteEntries;
};

class BmpFile : public ::testing::TestWithParam<BmpCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(BmpFile, IsBottomUpWithItsDepthPaletteAndResolution) {
    const BmpCase c = GetParam();
    const QImage image = Page(c.format, 13, 5);
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    ASSERT_EQ(WriteBmp(image, path), BmpWriteResult::Ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    const BmpHeader h = ReadHeader(bytes);
    EXPECT_EQ(h.fileSize, quint32(bytes.size()));
    EXPECT_EQ(h.width, 13);
    EXPECT_EQ(h.height, 5) << "a positive height is a bottom-up bitmap";
    EXPECT_EQ(h.bitCount, c.bits);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 11811);
    EXPECT_EQ(h.yPelsPerMeter, 11811);
    const quint32 palette = (h.dataOffset - 14 - h.infoSize) / 4;
    EXPECT_EQ(palette, quint32(c.paletteEntries));
    const int stride = ((13 * c.bits + 31) / 32) * 4;
    EXPECT_EQ(h.dataOffset + quint32(stride * 5), quint32(bytes.size()));
    const QImage back(path);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
              image.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpFile,
                         ::testing::Values(BmpCase{QImage::Format_RGB32, 24, 0},
                                           BmpCase{QImage::Format_Indexed8, 8, 256},
                                           BmpCase{QImage::Format_Mono, 1, 2}));

TEST(BmpWrite, GreyPageWithFewLevelsStaysEightBitWithAFullPalette) {
    // Qt writes palettes of up to 16 colours as 4-bit; the grey palette must stay whole.
    QTemporaryDir dir;
    QImage few = Page(QImage::Format_Indexed8, 4, 4);
    few.fill(0);
    const QString path = dir.filePath(QStringLiteral("few.bmp"));
    ASSERT_EQ(WriteBmp(few, path), BmpWriteResult::Ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadHeader(file.readAll()).bitCount, 8);
}

TEST(BmpWrite, MissingFolderLeavesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/page.bmp"));
    EXPECT_NE(WriteBmp(Page(QImage::Format_RGB32, 2, 2), path), BmpWriteResult::Ok);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(BmpWrite, ReadOnlyFileKeepsItsContent) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.bmp"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0444), 0);
    EXPECT_EQ(WriteBmp(Page(QImage::Format_RGB32, 2, 2), path), BmpWriteResult::NotWritable);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST(BmpWrite, AFullDiskIsAFailureAndTheOldFileStays) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TMP00001.BMP"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(3000, 'o'));
    old.close();
    EXPECT_TRUE(test::ReportsFailureUnderSizeLimit([&] {
        return WriteBmp(Page(QImage::Format_RGB32, 60, 60), path) == BmpWriteResult::WriteFailed;
    }));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray(3000, 'o'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(BmpWrite, NoImageIsAFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.bmp"));
    EXPECT_EQ(WriteBmp(QImage(), path), BmpWriteResult::NoImage);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(NativeImageStore, HandlesAreNeverZeroNorReused) {
    NativeImageStore store;
    EXPECT_EQ(store.add(QImage()), 0u);
    const NativeHandle a = store.add(Page(QImage::Format_RGB32, 3, 2));
    ASSERT_NE(a, 0u);
    store.free(a);
    const NativeHandle b = store.add(Page(QImage::Format_RGB32, 3, 2));
    EXPECT_NE(b, a);
    EXPECT_EQ(store.image(a), nullptr);
    ASSERT_NE(store.image(b), nullptr);
    EXPECT_EQ(store.image(b)->size(), QSize(3, 2));
}

TEST(NativeImageStore, PaletteFollowsItsImage) {
    NativeImageStore store;
    const NativeHandle grey = store.add(Page(QImage::Format_Indexed8, 3, 2));
    const NativeHandle art = store.add(Page(QImage::Format_Mono, 3, 2));
    const NativeHandle colour = store.add(Page(QImage::Format_RGB32, 3, 2));
    const NativeHandle gp = store.createPalette(grey);
    const NativeHandle ap = store.createPalette(art);
    const NativeHandle cp = store.createPalette(colour);
    ASSERT_NE(gp, 0u);
    ASSERT_NE(ap, 0u);
    ASSERT_NE(cp, 0u);
    EXPECT_EQ(store.palette(gp)->size(), 256);
    EXPECT_EQ(store.palette(gp)->at(200), qRgb(200, 200, 200));
    EXPECT_EQ(*store.palette(ap), (QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)}));
    EXPECT_EQ(store.palette(cp)->size(), 256);
    EXPECT_EQ(store.createPalette(12345), 0u);
    store.free(grey);
    EXPECT_EQ(store.palette(gp), nullptr);
    EXPECT_NE(store.palette(ap), nullptr);
}

} // namespace
