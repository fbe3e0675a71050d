// The JPEG writer: every file is decoded again and checked against its source.
#include "jpeg_probe.h"
#include "jpeg_writer.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace folivo {
namespace {

using test::ProbeJpeg;

// A smooth picture: JPEG at quality 100 should come back within a few levels.
QImage smoothPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    return image;
}

QImage smoothGrey(int w, int h) {
    QImage image = smoothPicture(w, h).convertToFormat(QImage::Format_Grayscale8);
    return image.convertToFormat(QImage::Format_Indexed8);
}

// A 16 x 16 RLE8 BMP: bottom half red, top half blue.
QByteArray rle8Bmp() {
    std::vector<QRgb> palette(8, qRgb(0, 0, 0));
    palette[5] = qRgb(255, 0, 0);
    palette[7] = qRgb(0, 0, 255);
    QByteArray b = test::BuildBmp({16, 16, 8, palette, 11811, [](int, int) { return 0u; }});
    b.truncate(54 + 32);
    for (int row = 0; row < 16; ++row) // stored bottom row first: a run of 16, end of line
        b.append(QByteArray::fromRawData(row < 8 ? "\x10\x05\x00\x00" : "\x10\x07\x00\x00", 4));
    b.append(QByteArray::fromRawData("\x00\x01", 2)); // end of bitmap
    b[30] = 1;                                        // BI_RLE8
    return b;
}

class JpegWriterTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString saveBmp(const QImage& image, const QString& name) {
        const QString p = path(name);
        EXPECT_TRUE(image.save(p, "BMP"));
        return p;
    }
    // The source converted at quality 100 and decoded again.
    test::ProbedJpeg converted(const QString& source, std::int16_t progressive) {
        const QString target = path(QStringLiteral("page.jpg"));
        EXPECT_EQ(SavetoJPEG(source, target, 100, progressive), kJpegOk);
        return ProbeJpeg(test::ReadBytes(target));
    }
    QTemporaryDir m_dir;
};

TEST_F(JpegWriterTest, PagesComeOutBaselineOrProgressiveWithTheirComponentsAndResolution) {
    QImage colour = smoothPicture(120, 80);
    colour.setDotsPerMeterX(11811); // 300 x 200 dpi
    colour.setDotsPerMeterY(7874);
    QImage grey = smoothGrey(64, 48);
    grey.setDotsPerMeterX(7874);
    grey.setDotsPerMeterY(7874);
    const struct {
        const char* name;
        QImage source;
        std::int16_t progressive;
        int components;
        int marker;
        int dpiX, dpiY;
    } cases[] = {
        {"colour baseline", colour, kJpegBaseline, 3, 0xC0, 300, 200},
        {"colour progressive", colour, kJpegProgressive, 3, 0xC2, 300, 200},
        {"grey baseline", grey, kJpegBaseline, 1, 0xC0, 200, 200},
        {"grey progressive", grey, kJpegProgressive, 1, 0xC2, 200, 200},
        {"black and white", test::MonoPicture(40, 30), kJpegBaseline, 1, 0xC0, 0, 0},
        {"any other flag is baseline", colour, 1, 3, 0xC0, 300, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto jpeg = converted(saveBmp(c.source, QStringLiteral("page.bmp")), c.progressive);
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.components, c.components);
        EXPECT_EQ(jpeg.startOfFrame, c.marker);
        EXPECT_EQ(jpeg.progressive, c.marker == 0xC2);
        if (c.dpiX > 0) {
            EXPECT_EQ(jpeg.densityUnit, 1);
            EXPECT_EQ(jpeg.xDensity, c.dpiX);
            EXPECT_EQ(jpeg.yDensity, c.dpiY);
        }
        EXPECT_LT(test::MeanDifference(jpeg.pixels, c.source), 3.0);
    }
}

TEST_F(JpegWriterTest, HandBuiltBmpsOfEveryStoredFormatKeepTheirPixelsAndOrientation) {
    // Quadrants: top left yellow, top right red, bottom left cyan, bottom right blue.
    const auto quadrants = [](int x, int y) -> std::uint32_t {
        return (y < 8 ? 0xFF0000u : 0x0000FFu) | (x < 8 ? 0x00FF00u : 0u);
    };
    // Palette indices: yellow, red / red, blue.
    const auto indices = [](int x, int y) -> std::uint32_t {
        return (y < 8 ? 1u : 2u) + (x < 8 ? 0u : 1u);
    };
    const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 255, 0), qRgb(255, 0, 0),
                                       qRgb(0, 0, 255)};
    const QRgb yellow = qRgb(255, 255, 0), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QRgb cyan = qRgb(0, 255, 255);
    const struct {
        const char* name;
        QByteArray bmp;
        std::array<QRgb, 4> corners; // top left, top right, bottom left, bottom right
    } cases[] = {
        {"24-bit bottom-up",
         test::BuildBmp({16, 16, 24, {}, 11811, quadrants}),
         {yellow, red, cyan, blue}},
        {"24-bit top-down",
         test::BuildBmp({16, -16, 24, {}, 11811, quadrants}),
         {yellow, red, cyan, blue}},
        {"32-bit", test::BuildBmp({16, 16, 32, {}, 11811, quadrants}), {yellow, red, cyan, blue}},
        {"4-bit colour palette",
         test::BuildBmp({16, 16, 4, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"8-bit colour palette",
         test::BuildBmp({16, -16, 8, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"RLE8, a form only Qt's reader takes", rle8Bmp(), {blue, blue, red, red}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = path(QStringLiteral("hand.bmp"));
        ASSERT_TRUE(test::WriteBytes(source, c.bmp));
        const auto jpeg = converted(source, kJpegBaseline);
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.components, 3);
        ASSERT_EQ(jpeg.pixels.size(), QSize(16, 16));
        // Quadrant centres are far from the edges that JPEG blurs.
        const QPoint centres[] = {QPoint(3, 3), QPoint(12, 3), QPoint(3, 12), QPoint(12, 12)};
        for (int i = 0; i < 4; ++i)
            EXPECT_LE(test::ChannelDistance(jpeg.pixels.pixel(centres[i]), c.corners[i]), 12) << i;
    }
}

TEST_F(JpegWriterTest, QualityIsClampedToOneToHundred) {
    const QString source = saveBmp(smoothPicture(64, 64), QStringLiteral("q.bmp"));
    const auto bytesAt = [&](std::uint8_t quality) {
        const QString target = path(QStringLiteral("q%1.jpg").arg(quality));
        EXPECT_EQ(SavetoJPEG(source, target, quality, kJpegBaseline), kJpegOk);
        return test::ReadBytes(target);
    };
    EXPECT_EQ(bytesAt(255), bytesAt(100));
    EXPECT_EQ(bytesAt(101), bytesAt(100));
    EXPECT_NE(bytesAt(99), bytesAt(100));
    EXPECT_EQ(bytesAt(0), bytesAt(1));
    EXPECT_LT(bytesAt(0).size(), bytesAt(100).size());
    EXPECT_TRUE(ProbeJpeg(bytesAt(0)).ok);
}

TEST_F(JpegWriterTest, FailuresAnswerTheirCodesAndLeaveAnExistingTargetAlone) {
    const QString good = saveBmp(smoothPicture(8, 8), QStringLiteral("good.bmp"));
    const QString garbage = path(QStringLiteral("garbage.bmp"));
    ASSERT_TRUE(test::WriteBytes(garbage, QByteArray("this is no bitmap at all")));
    const QString empty = path(QStringLiteral("empty.bmp"));
    ASSERT_TRUE(test::WriteBytes(empty, QByteArray()));
    const QString lockedDir = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedDir));
    const QString lockedTarget = lockedDir + QStringLiteral("/old.jpg");
    ASSERT_TRUE(test::WriteBytes(lockedTarget, "old"));
    ASSERT_TRUE(QFile::setPermissions(lockedDir, QFile::ReadOwner | QFile::ExeOwner));
    const QString readOnlyFile = path(QStringLiteral("readonly.jpg"));
    ASSERT_TRUE(test::WriteBytes(readOnlyFile, "old"));
    ASSERT_TRUE(QFile::setPermissions(readOnlyFile, QFile::ReadOwner));
    const QString existing = path(QStringLiteral("existing.jpg"));
    ASSERT_TRUE(test::WriteBytes(existing, "old"));
    const struct {
        const char* name;
        QString source;
        QString target;
        std::int16_t code;
    } cases[] = {
        {"missing source", path(QStringLiteral("none.bmp")), path(QStringLiteral("a.jpg")),
         kJpegSourceUnreadable},
        {"source is a folder", m_dir.path(), path(QStringLiteral("a.jpg")), kJpegSourceUnreadable},
        {"empty source path", QString(), path(QStringLiteral("a.jpg")), kJpegSourceUnreadable},
        {"not a bitmap", garbage, existing, kJpegBadSource},
        {"empty file", empty, existing, kJpegBadSource},
        {"read-only folder", good, lockedTarget, kJpegTargetUnwritable},
        {"read-only file", good, readOnlyFile, kJpegTargetUnwritable},
        {"target is a folder", good, lockedDir, kJpegTargetUnwritable},
        {"missing folder", good, path(QStringLiteral("no/such/x.jpg")), kJpegTargetUnwritable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SavetoJPEG(c.source, c.target, 80, kJpegBaseline), c.code) << c.name;
    EXPECT_EQ(test::ReadBytes(existing), QByteArray("old"));
    EXPECT_EQ(test::ReadBytes(lockedTarget), QByteArray("old"));
    EXPECT_EQ(test::ReadBytes(readOnlyFile), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.jpg"))));
    QFile::setPermissions(lockedDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(lockedDir).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});
    // An existing file is replaced without a question once the write succeeds.
    ASSERT_EQ(SavetoJPEG(good, existing, 80, kJpegBaseline), kJpegOk);
    EXPECT_TRUE(ProbeJpeg(test::ReadBytes(existing)).ok);
}

class FailingDevice : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST_F(JpegWriterTest, AFailedWriteIsCodeTwoAndNeverAnAbort) {
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    ASSERT_TRUE(smoothPicture(300, 300).save(&bmp, "BMP"));
    FailingDevice out;
    out.open(QIODevice::WriteOnly);
    EXPECT_EQ(EncodeBmpToJpeg(bmp.data(), out, 90, kJpegProgressive), kJpegTargetUnwritable);
    QBuffer good;
    good.open(QIODevice::WriteOnly);
    EXPECT_EQ(EncodeBmpToJpeg(bmp.data(), good, 90, kJpegProgressive), kJpegOk);
    EXPECT_EQ(ProbeJpeg(good.data()).startOfFrame, 0xC2);
}

} // namespace
} // namespace folivo
