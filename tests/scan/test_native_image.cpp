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

using namespace folivo;

namespace {

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
    } cases[] = {{Page(QImage::Format_RGB32, 13, 5), 24, 0},
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
    const QImage page = Page(QImage::Format_RGB32, 2, 2);
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
        return WriteBmp(Page(QImage::Format_RGB32, 60, 60), path) == BmpWriteResult::WriteFailed;
    }));
    EXPECT_EQ(Read(path), QByteArray(3000, 'o'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(NativeImageStore, HandlesAreNeverZeroNorReusedAndPalettesFollowTheirImage) {
    NativeImageStore store;
    EXPECT_EQ(store.add(QImage()), 0u);
    const NativeHandle a = store.add(Page(QImage::Format_RGB32, 3, 2));
    ASSERT_NE(a, 0u);
    store.free(a);
    const NativeHandle colour = store.add(Page(QImage::Format_RGB32, 3, 2));
    EXPECT_NE(colour, a);
    EXPECT_EQ(store.image(a), nullptr);
    ASSERT_NE(store.image(colour), nullptr);
    EXPECT_EQ(store.image(colour)->size(), QSize(3, 2));

    const NativeHandle grey = store.add(Page(QImage::Format_Indexed8, 3, 2));
    const NativeHandle art = store.add(Page(QImage::Format_Mono, 3, 2));
    const NativeHandle gp = store.createPalette(grey);
    const NativeHandle ap = store.createPalette(art);
    const NativeHandle cp = store.createPalette(colour);
    ASSERT_TRUE(gp && ap && cp);
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
