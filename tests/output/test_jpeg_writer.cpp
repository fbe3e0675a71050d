// The JPEG writer: every file is decoded again and checked against its source.
#include "jpeg_probe.h"
#include "jpeg_writer.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace folivo {
namespace {

using test::ProbeJpeg;

// A smooth picture: JPEG at quality 100 should come back within a few levels.
QImage smoothPicture(int w, int h, int dpi = 0) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    if (dpi > 0) { // 2 : 3 as tall as wide
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi * 2 / 3 / 0.0254));
    }
    return image;
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
    QString file(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::WriteBytes(path(name), bytes));
        return path(name);
    }
    // The source converted and read again.
    QByteArray converted(const QString& source, std::int16_t progressive, int quality = 100) {
        const QString target = path(QStringLiteral("page.jpg"));
        EXPECT_EQ(SavetoJPEG(source, target, std::uint8_t(quality), progressive), kJpegOk);
        return test::ReadBytes(target);
    }
    QTemporaryDir m_dir;
};

TEST_F(JpegWriterTest, PagesComeOutBaselineOrProgressiveWithTheirComponentsAndResolution) {
    const QImage colour = smoothPicture(120, 80, 300); // 300 x 200 dpi
    const QImage grey = smoothPicture(64, 48, 300)
                            .convertToFormat(QImage::Format_Grayscale8)
                            .convertToFormat(QImage::Format_Indexed8);
    const struct {
        const char* name;
        QImage source;
        std::int16_t progressive;
        int components;
        int marker;
    } cases[] = {
        {"colour baseline", colour, kJpegBaseline, 3, 0xC0},
        {"colour progressive", colour, kJpegProgressive, 3, 0xC2},
        {"grey baseline", grey, kJpegBaseline, 1, 0xC0},
        {"grey progressive", grey, kJpegProgressive, 1, 0xC2},
        {"black and white", test::MonoPicture(40, 30), kJpegBaseline, 1, 0xC0},
        {"any other flag is baseline", colour, 1, 3, 0xC0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = path(QStringLiteral("page.bmp"));
        ASSERT_TRUE(c.source.save(source, "BMP"));
        const auto jpeg = ProbeJpeg(converted(source, c.progressive));
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.components, c.components);
        EXPECT_EQ(jpeg.startOfFrame, c.marker);
        if (c.source.dotsPerMeterX() == colour.dotsPerMeterX()) {
            EXPECT_EQ(std::tuple(jpeg.densityUnit, jpeg.xDensity, jpeg.yDensity),
                      std::tuple(1, 300, 200));
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
    const QRgb yellow = qRgb(255, 255, 0), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QRgb cyan = qRgb(0, 255, 255);
    const std::vector<QRgb> palette = {0, yellow, red, blue};
    const std::array<QRgb, 4> fourColours{yellow, red, cyan, blue};
    const struct {
        const char* name;
        QByteArray bmp;
        std::array<QRgb, 4> corners; // top left, top right, bottom left, bottom right
    } cases[] = {
        {"24-bit bottom-up", test::BuildBmp({16, 16, 24, {}, 11811, quadrants}), fourColours},
        {"24-bit top-down", test::BuildBmp({16, -16, 24, {}, 11811, quadrants}), fourColours},
        {"32-bit", test::BuildBmp({16, 16, 32, {}, 11811, quadrants}), fourColours},
        {"4-bit palette",
         test::BuildBmp({16, 16, 4, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"8-bit palette",
         test::BuildBmp({16, -16, 8, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"RLE8, a form only Qt's reader takes", rle8Bmp(), {blue, blue, red, red}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto jpeg = ProbeJpeg(converted(file(QStringLiteral("hand.bmp"), c.bmp), 0));
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
    const QString source = path(QStringLiteral("q.bmp"));
    ASSERT_TRUE(smoothPicture(64, 64).save(source, "BMP"));
    const auto at = [&](int quality) { return converted(source, kJpegBaseline, quality); };
    EXPECT_EQ(at(255), at(100));
    EXPECT_EQ(at(101), at(100));
    EXPECT_NE(at(99), at(100));
    EXPECT_EQ(at(0), at(1));
    EXPECT_LT(at(0).size(), at(100).size());
}

TEST_F(JpegWriterTest, FailuresAnswerTheirCodesAndLeaveAnExistingTargetAlone) {
    const QString good = path(QStringLiteral("good.bmp"));
    ASSERT_TRUE(smoothPicture(8, 8).save(good, "BMP"));
    const QString lockedDir = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedDir));
    const QString lockedTarget = file(QStringLiteral("locked/old.jpg"), "old");
    ASSERT_TRUE(QFile::setPermissions(lockedDir, QFile::ReadOwner | QFile::ExeOwner));
    const QString readOnlyFile = file(QStringLiteral("readonly.jpg"), "old");
    ASSERT_TRUE(QFile::setPermissions(readOnlyFile, QFile::ReadOwner));
    const QString existing = file(QStringLiteral("existing.jpg"), "old");
    const QString fresh = path(QStringLiteral("a.jpg"));
    const struct {
        QString source;
        QString target;
        std::int16_t code;
    } cases[] = {
        {path(QStringLiteral("none.bmp")), fresh, kJpegSourceUnreadable},
        {m_dir.path(), fresh, kJpegSourceUnreadable},
        {QString(), fresh, kJpegSourceUnreadable},
        {file(QStringLiteral("garbage.bmp"), "this is no bitmap at all"), existing, kJpegBadSource},
        {file(QStringLiteral("empty.bmp"), QByteArray()), existing, kJpegBadSource},
        {good, lockedTarget, kJpegTargetUnwritable},
        {good, readOnlyFile, kJpegTargetUnwritable},
        {good, lockedDir, kJpegTargetUnwritable},
        {good, path(QStringLiteral("no/such/x.jpg")), kJpegTargetUnwritable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SavetoJPEG(c.source, c.target, 80, kJpegBaseline), c.code)
            << c.source.toStdString() << " -> " << c.target.toStdString();
    for (const QString& kept : {existing, lockedTarget, readOnlyFile})
        EXPECT_EQ(test::ReadBytes(kept), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(fresh));
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
}

} // namespace
} // namespace folivo
