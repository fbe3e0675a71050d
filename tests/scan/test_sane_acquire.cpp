// Acquisitions from SANE's test device through the scanner layer, as the scan command
// makes them: open the default source, acquire without the dialog, measure, write, free.
#include "scan_test_support.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <set>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kDevice = QStringLiteral("test:0");

// A 30 x 10 mm page at 254 dpi: 300 x 100 pixels, 10 mm squares of 100 pixels.
Settings Page(const QString& mode, int depth, const QString& picture) {
    return {{"mode", mode}, {"depth", depth}, {"resolution", 254}, {"test-picture", picture},
            {"tl-x", 0.0},  {"tl-y", 0.0},    {"br-x", 30.0},      {"br-y", 10.0}};
}

Settings With(Settings base, const Settings& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

class Acquire : public ::testing::Test {
protected:
    // Acquires one page with these options; the image stays in the layer until freed.
    NativeHandle acquire(const Settings& settings) {
        lib.reset(); // a layer keeps its device open after a page
        Remember(scanner.store, kDevice, settings);
        lib = scanner.make();
        EXPECT_EQ(lib->TWAIN_IsAvailable(), 1);
        EXPECT_NE(lib->TWAIN_OpenDefaultSource(), -1);
        return lib->TWAIN_AcquireNative(nullptr, 0);
    }
    QImage page(NativeHandle h) const {
        const QImage* img = lib->images().image(h);
        return img ? *img : QImage();
    }

    TestScanner scanner;
    std::unique_ptr<SaneScannerLibrary> lib;
};

struct PictureCase {
    const char* mode;
    int depth;
    const char* picture;
    QImage::Format format;
    QRgb leftSquare;  // centre of the first 10 mm square
    QRgb rightSquare; // centre of the second
};

class AcquirePicture : public Acquire, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(AcquirePicture, PixelsMatchTheBackendsTestPicture) {
    const PictureCase& c = GetParam();
    const NativeHandle h = acquire(Page(c.mode, c.depth, c.picture));
    ASSERT_NE(h, 0u);
    const QImage img = page(h);
    EXPECT_EQ(img.format(), c.format);
    EXPECT_EQ(lib->TWAIN_DibWidth(h), 300);
    EXPECT_EQ(lib->TWAIN_DibHeight(h), 100);
    EXPECT_EQ(img.pixel(50, 50), c.leftSquare);
    EXPECT_EQ(img.pixel(150, 50), c.rightSquare);
    EXPECT_EQ(img.pixel(250, 50), c.leftSquare);
    EXPECT_EQ(img.dotsPerMeterX(), qRound(254 / 0.0254));
    EXPECT_TRUE(scanner.prompts->errors.empty());
    EXPECT_NE(lib->TWAIN_CreateDibPalette(h), 0u);
    const QString file = scanner.dir.filePath(QStringLiteral("TMP00001.BMP"));
    ASSERT_EQ(lib->TWAIN_WriteNativeToFilename(h, file), 0);
    EXPECT_EQ(QImage(file).pixel(150, 50), c.rightSquare);
    lib->TWAIN_FreeNative(h);
    EXPECT_EQ(lib->images().imageCount(), 0u);
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

INSTANTIATE_TEST_SUITE_P(
    Pictures, AcquirePicture,
    ::testing::Values(PictureCase{"Color", 8, "Solid black", QImage::Format_RGB32, kBlack, kBlack},
                      PictureCase{"Color", 8, "Grid", QImage::Format_RGB32, kWhite, kBlack},
                      PictureCase{"Gray", 8, "Solid white", QImage::Format_Indexed8, kWhite,
                                  kWhite},
                      PictureCase{"Gray", 8, "Grid", QImage::Format_Indexed8, kWhite, kBlack},
                      PictureCase{"Gray", 16, "Grid", QImage::Format_Indexed8, kWhite, kBlack},
                      PictureCase{"Gray", 1, "Solid white", QImage::Format_Mono, kWhite, kWhite},
                      PictureCase{"Gray", 1, "Grid", QImage::Format_Mono, kWhite, kBlack}));

// Red samples along a line of the 16-bit colour pattern: the high byte of each sample
// climbs from left to right while the low byte stays the same.
std::vector<int> RedAlongLine(const QImage& img) {
    std::vector<int> reds;
    for (int x = 50; x <= 250; x += 50)
        reds.push_back(qRed(img.pixel(x, 40)));
    return reds;
}

TEST_F(Acquire, SixteenBitSamplesKeepTheirHighByteInMachineOrder) {
    const Settings deep = {{"mode", "Color"},   {"depth", 16},
                           {"resolution", 254}, {"test-picture", "Color pattern"},
                           {"br-x", 60.0},      {"br-y", 60.0}};
    const QImage right = page(acquire(deep));
    ASSERT_EQ(right.size(), QSize(600, 600));
    const std::vector<int> reds = RedAlongLine(right);
    EXPECT_TRUE(std::is_sorted(reds.begin(), reds.end(), std::less_equal<>()) &&
                reds.front() < reds.back())
        << ::testing::PrintToString(reds);
    // The device swapping its bytes is what reading them in the wrong order looks like:
    // only the unchanging low byte is left.
    const std::vector<int> swapped =
        RedAlongLine(page(acquire(With(deep, {{"invert-endianess", 1}}))));
    EXPECT_EQ(std::set<int>(swapped.begin(), swapped.end()).size(), 1u)
        << ::testing::PrintToString(swapped);
}

class AcquireThreePass : public Acquire, public ::testing::WithParamInterface<const char*> {};

TEST_P(AcquireThreePass, FramesOfEachChannelMakeTheSamePageAsOnePass) {
    const NativeHandle one = acquire(Page("Color", 8, "Color pattern"));
    const QImage expected = page(one);
    ASSERT_FALSE(expected.isNull());
    const NativeHandle three = acquire(With(Page("Color", 8, "Color pattern"),
                                            {{"three-pass", 1}, {"three-pass-order", GetParam()}}));
    EXPECT_EQ(page(three), expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, AcquireThreePass, ::testing::Values("RGB", "BGR", "GRB"));

struct StatusCase {
    const char* status;
    ScanFailure box; // None: no box
};

class AcquireFault : public Acquire, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(AcquireFault, ReadStatusGivesNoHandleNoFileAndTheRightBox) {
    const NativeHandle h =
        acquire(With(Page("Gray", 8, "Grid"), {{"read-return-value", GetParam().status}}));
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(lib->images().imageCount(), 0u);
    const QString target = scanner.dir.filePath(QStringLiteral("TMP00001.BMP"));
    EXPECT_NE(lib->TWAIN_WriteNativeToFilename(h, target), 0);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(lib->TWAIN_CreateDibPalette(h), 0u);
    if (GetParam().box == ScanFailure::None) {
        EXPECT_TRUE(scanner.prompts->errors.empty());
    } else {
        ASSERT_EQ(scanner.prompts->errors.size(), 1u);
        EXPECT_EQ(scanner.prompts->errors[0], GetParam().box);
        EXPECT_FALSE(scanner.prompts->texts[0].what.isEmpty());
        EXPECT_FALSE(scanner.prompts->texts[0].todo.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, AcquireFault,
    ::testing::Values(StatusCase{"SANE_STATUS_UNSUPPORTED", ScanFailure::Failed},
                      StatusCase{"SANE_STATUS_CANCELLED", ScanFailure::None},
                      StatusCase{"SANE_STATUS_DEVICE_BUSY", ScanFailure::DeviceBusy},
                      StatusCase{"SANE_STATUS_INVAL", ScanFailure::Failed},
                      StatusCase{"SANE_STATUS_EOF", ScanFailure::BadData},
                      StatusCase{"SANE_STATUS_JAMMED", ScanFailure::Jammed},
                      StatusCase{"SANE_STATUS_NO_DOCS", ScanFailure::NoDocuments},
                      StatusCase{"SANE_STATUS_COVER_OPEN", ScanFailure::CoverOpen},
                      StatusCase{"SANE_STATUS_IO_ERROR", ScanFailure::IoError},
                      StatusCase{"SANE_STATUS_NO_MEM", ScanFailure::OutOfMemory},
                      StatusCase{"SANE_STATUS_ACCESS_DENIED", ScanFailure::AccessDenied}));

TEST_F(Acquire, BusyDeviceIsTriedABoundedNumberOfTimesOrUntilTheUserGivesUp) {
    const Settings busy =
        With(Page("Gray", 8, "Grid"), {{"read-return-value", "SANE_STATUS_DEVICE_BUSY"}});
    EXPECT_EQ(acquire(busy), 0u);
    EXPECT_EQ(scanner.prompts->retries, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}}));
    lib.reset(); // a layer keeps its device open after a page
    lib = scanner.make();
    scanner.prompts->keepTrying = false;
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_EQ(scanner.prompts->retries.size(), 1u);
    EXPECT_TRUE(scanner.prompts->errors.empty()) << "giving up ends without a box";
}

TEST_F(Acquire, ClipboardGetsThePageAndTheLayerKeepsNone) {
    Remember(scanner.store, kDevice, Page("Gray", 8, "Grid"));
    lib = scanner.make();
    QGuiApplication::clipboard()->clear();
    EXPECT_NE(lib->TWAIN_AcquireToClipboard(nullptr, 0), 0);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(300, 100));
    EXPECT_EQ(copied.pixel(150, 50), kBlack);
    EXPECT_EQ(lib->images().imageCount(), 0u);
}

TEST_F(Acquire, TheDefaultSourceIsScannedAndWithoutOneTheFirstDeviceFound) {
    lib = scanner.make();
    const std::vector<DeviceEntry> devices = lib->devices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(lib->TWAIN_OpenDefaultSource(), 1);
    // The first use of the test device gets the demo preset, and it is remembered, as is
    // the device, so that the next scan does not look for devices again.
    EXPECT_EQ(page(lib->TWAIN_AcquireNative(nullptr, 0)).format(), QImage::Format_RGB32);
    EXPECT_FALSE(scanner.store.options(devices.front().name).empty());
    EXPECT_EQ(scanner.store.defaultDevice(), devices.front().name);

    Remember(scanner.store, QStringLiteral("test:1"), Page("Gray", 1, "Grid"));
    scanner.store.setDefaultDevice(QStringLiteral("test:1"));
    lib.reset();
    lib = scanner.make();
    EXPECT_EQ(page(lib->TWAIN_AcquireNative(nullptr, 0)).format(), QImage::Format_Mono);

    scanner.store.setDefaultDevice(QStringLiteral("test:9"));
    lib.reset();
    lib = scanner.make();
    EXPECT_EQ(lib->TWAIN_OpenDefaultSource(), -1);
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_EQ(scanner.prompts->errors, std::vector<ScanFailure>{ScanFailure::OpenFailed});
}

} // namespace
