// Acquisitions from SANE's test device through the scanner layer, as the scan command
// makes them (open the default source, acquire, measure, write, free), with and without
// the scan dialog, and the file in which the layer keeps each device's options.
#include "preview_widget.h"
#include "scan_dialog.h"
#include "scan_test_support.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kDevice = QStringLiteral("test:0");

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

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// The layer's own steps on a real page of each kind (the decoding itself is
// test_frame_decoder.cpp's): measured, its palette made, written, freed.
TEST_F(Acquire, EachKindOfPageIsMeasuredWrittenAndFreed) {
    const struct {
        const char* mode;
        int depth;
        QImage::Format format;
    } cases[] = {{"Color", 8, QImage::Format_RGB888},
                 {"Gray", 8, QImage::Format_Indexed8},
                 {"Gray", 1, QImage::Format_Mono}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const NativeHandle h = acquire(WidePage(c.mode, c.depth, "Grid"));
        ASSERT_NE(h, 0u);
        EXPECT_EQ(page(h).format(), c.format);
        EXPECT_EQ(lib->TWAIN_DibWidth(h), 300);
        EXPECT_EQ(lib->TWAIN_DibHeight(h), 100);
        EXPECT_EQ(page(h).pixel(50, 50), kWhite);
        EXPECT_EQ(page(h).dotsPerMeterX(), qRound(254 / 0.0254));
        EXPECT_TRUE(scanner.prompts->errors.empty());
        EXPECT_NE(lib->TWAIN_CreateDibPalette(h), 0u);
        const QString file = scanner.dir.filePath(QStringLiteral("TMP00001.BMP"));
        ASSERT_EQ(lib->TWAIN_WriteNativeToFilename(h, file), 0);
        EXPECT_EQ(QImage(file).pixel(150, 50), kBlack);
        lib->TWAIN_FreeNative(h);
        EXPECT_EQ(lib->images().imageCount(), 0u);
    }
}

TEST_F(Acquire, AFailedReadGivesNoHandleNoFileAndTheRightBox) {
    const std::pair<const char*, ScanFailure> cases[] = {
        {"SANE_STATUS_UNSUPPORTED", ScanFailure::Failed},
        {"SANE_STATUS_CANCELLED", ScanFailure::None}, // no box
        {"SANE_STATUS_DEVICE_BUSY", ScanFailure::DeviceBusy},
        {"SANE_STATUS_INVAL", ScanFailure::Failed},
        {"SANE_STATUS_EOF", ScanFailure::BadData},
        {"SANE_STATUS_JAMMED", ScanFailure::Jammed},
        {"SANE_STATUS_NO_DOCS", ScanFailure::NoDocuments},
        {"SANE_STATUS_COVER_OPEN", ScanFailure::CoverOpen},
        {"SANE_STATUS_IO_ERROR", ScanFailure::IoError},
        {"SANE_STATUS_NO_MEM", ScanFailure::OutOfMemory},
        {"SANE_STATUS_ACCESS_DENIED", ScanFailure::AccessDenied}};
    for (const auto& [status, box] : cases) {
        SCOPED_TRACE(status);
        const NativeHandle h =
            acquire(With(WidePage("Gray", 8, "Grid"), {{"read-return-value", status}}));
        EXPECT_EQ(h, 0u);
        EXPECT_EQ(lib->images().imageCount(), 0u);
        const QString target = scanner.dir.filePath(QStringLiteral("TMP00001.BMP"));
        EXPECT_NE(lib->TWAIN_WriteNativeToFilename(h, target), 0);
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_EQ(scanner.prompts->errors,
                  box == ScanFailure::None ? std::vector<ScanFailure>{} : std::vector{box});
    }
}

TEST_F(Acquire, BusyDeviceIsTriedABoundedNumberOfTimesOrUntilTheUserGivesUp) {
    const Settings busy =
        With(WidePage("Gray", 8, "Grid"), {{"read-return-value", "SANE_STATUS_DEVICE_BUSY"}});
    EXPECT_EQ(acquire(busy), 0u);
    EXPECT_EQ(scanner.prompts->retries, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}}));
    lib.reset(); // a layer keeps its device open after a page
    lib = scanner.make();
    scanner.prompts->keepTrying = false;
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_EQ(scanner.prompts->retries.size(), 1u);
    EXPECT_TRUE(scanner.prompts->errors.empty()) << "giving up ends without a box";
}

TEST_F(Acquire, TheDefaultSourceIsScannedAndWithoutOneTheFirstDeviceFound) {
    lib = scanner.make();
    const std::vector<DeviceEntry> devices = lib->devices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(lib->TWAIN_OpenDefaultSource(), 1);
    // The first use of the test device gets the demo preset, and it is remembered, as is
    // the device, so that the next scan does not look for devices again.
    EXPECT_EQ(page(lib->TWAIN_AcquireNative(nullptr, 0)).format(), QImage::Format_RGB888);
    EXPECT_FALSE(scanner.store.options(devices.front().name).empty());
    EXPECT_EQ(scanner.store.defaultDevice(), devices.front().name);

    // SANE's state is global: the layer ends before Remember's own session starts.
    lib.reset();
    Remember(scanner.store, QStringLiteral("test:1"), WidePage("Gray", 1, "Grid"));
    scanner.store.setDefaultDevice(QStringLiteral("test:1"));
    lib = scanner.make();
    EXPECT_EQ(page(lib->TWAIN_AcquireNative(nullptr, 0)).format(), QImage::Format_Mono);

    scanner.store.setDefaultDevice(QStringLiteral("test:9"));
    lib.reset();
    lib = scanner.make();
    EXPECT_EQ(lib->TWAIN_OpenDefaultSource(), -1);
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_EQ(scanner.prompts->errors, std::vector<ScanFailure>{ScanFailure::OpenFailed});
}

// Picks an entry of the mode list as a user does; the dialog sends it to the device.
void ChooseMode(QWidget* dialog, const QString& mode) {
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("mode"));
    ASSERT_NE(list, nullptr);
    const int index = list->findData(mode);
    ASSERT_GE(index, 0);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Through the layer: the dialog shows when SetHideUI(0), its Cancel gives the 0 handle,
// and what the user set there (mode and area) is what gets scanned and remembered; a
// preview stays on the glass when the dialog opens again.
TEST(ScanDialogInLayer, CancelGivesNoPageAndScanUsesTheDialogsSettings) {
    TestScanner scanner;
    Remember(scanner.store, QStringLiteral("test:0"),
             {{"mode", "Gray"}, {"resolution", 50}, {"test-picture", "Solid white"}});
    auto lib = scanner.make(false);
    WhenShown<ScanDialog>([](ScanDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("previewButton"))->click();
        d->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_TRUE(scanner.prompts->errors.empty());

    bool previewKept = false;
    WhenShown<ScanDialog>([&previewKept](ScanDialog* d) {
        previewKept = !d->preview()->image().isNull();
        ChooseMode(d, QStringLiteral("Color"));
        QTimer::singleShot(50, d, [d] {
            emit d->preview()->areaChosen(QRectF(QPointF(10, 20), QPointF(30, 40)));
            d->findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
        });
    });
    const NativeHandle h = lib->TWAIN_AcquireNative(nullptr, 0);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(previewKept);
    EXPECT_EQ(lib->images().image(h)->format(), QImage::Format_RGB888);
    const SavedOptions saved = scanner.store.options(QStringLiteral("test:0"));
    const auto value = [&saved](const char* name) {
        for (const auto& [option, text] : saved)
            if (option == QLatin1String(name))
                return text;
        return QString();
    };
    EXPECT_EQ(value("mode"), QStringLiteral("Color"));
    EXPECT_EQ(value("tl-x"), QString::number(SANE_FIX(10))); // kept as raw fixed-point words
    EXPECT_EQ(value("br-y"), QString::number(SANE_FIX(40)));
}

TEST(DeviceSettingsStore, KeepsOptionsPerDeviceInOrderWithAwkwardNames) {
    QTemporaryDir dir;
    DeviceSettingsStore store(dir.filePath(QStringLiteral("scanner.ini")));
    const SavedOptions a{
        {"mode", "Color"}, {"depth", "8"}, {"gamma", "1,2,3"}, {"title", "a=b; c"}};
    const SavedOptions b{{"resolution", "19660800"}};
    store.setOptions(QStringLiteral("net:host/dev:1"), a);
    store.setOptions(QStringLiteral("test:0"), b);
    store.setDefaultDevice(QStringLiteral("net:host/dev:1"));
    DeviceSettingsStore again(store.filePath());
    EXPECT_EQ(again.options(QStringLiteral("net:host/dev:1")), a);
    EXPECT_EQ(again.options(QStringLiteral("test:0")), b);
    EXPECT_TRUE(again.options(QStringLiteral("test:1")).empty());
    EXPECT_EQ(again.defaultDevice(), QStringLiteral("net:host/dev:1"));
}

TEST(DeviceSettingsStore, UnknownOrMalformedValuesArePassedOver) {
    SaneApi api(CreateDlLoader());
    ASSERT_TRUE(api.initialise());
    auto device = SaneDevice::open(api, QStringLiteral("test:0"), nullptr);
    ASSERT_TRUE(device);
    const SavedOptions odd{{"no-such-option", "1"},
                           {"depth", "eight"},
                           {"resolution", "1,2"},
                           {"mode", "Sepia"},
                           {"test-picture", "Grid"}};
    EXPECT_EQ(ApplyOptions(*device, odd), 1);
    EXPECT_EQ(device->value(*device->option("test-picture"))->text, QStringLiteral("Grid"));
    EXPECT_EQ(device->value(*device->option("mode"))->text, QStringLiteral("Gray"));
}

} // namespace
