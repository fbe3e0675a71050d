// Driver for scan_bench.sh: one page from a SANE device through the scanner layer, written
// as a BMP file, the way the scan command takes it.
//
//   scan_bench_tool --remember STORE.ini DEVICE [option=value ...]
//                                     sets the options and keeps them as the device's last
//                                     used ones, as a session of the program before would
//   scan_bench_tool STORE.ini OUT.bmp  the page, with the options kept in STORE.ini
//   scan_bench_tool --idle            (start-up only: the cost of the program around a page)
#include "bench_options.h"
#include "device_settings_store.h"
#include "sane_api.h"
#include "sane_device.h"
#include "sane_scanner_library.h"
#include "scan_prompts.h"

#include <QApplication>
#include <cstdio>

using namespace folivo;

namespace {

// Options are set on the device itself, then kept as its last used ones for the layer.
bool Remember(DeviceSettingsStore& store, const QString& device, const QStringList& settings) {
    SaneApi api(CreateDlLoader());
    if (!api.initialise())
        return false;
    std::unique_ptr<SaneDevice> dev = SaneDevice::open(api, device, nullptr);
    if (!dev)
        return false;
    if (!SetBenchOptions(*dev, settings))
        return false;
    store.setOptions(device, CaptureOptions(*dev));
    store.setDefaultDevice(device);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--idle"))
        return 0;
    if (args.value(0) == QLatin1String("--remember") && args.size() >= 3) {
        DeviceSettingsStore store(args[1]);
        return Remember(store, args[2], args.mid(3)) ? 0 : 1;
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: see the comment at the top of scan_bench_tool.cpp\n");
        return 2;
    }
    DeviceSettingsStore store(args[0]);
    SaneScannerLibrary layer(std::make_unique<SaneApi>(CreateDlLoader()),
                             std::make_unique<QtScanPrompts>(), store);
    layer.TWAIN_SetHideUI(1);
    if (layer.TWAIN_OpenDefaultSource() == -1)
        return 1;
    const NativeHandle page = layer.TWAIN_AcquireNative(nullptr, 0);
    if (!page)
        return 1;
    std::printf("page %d x %d\n", layer.TWAIN_DibWidth(page), layer.TWAIN_DibHeight(page));
    const int written = layer.TWAIN_WriteNativeToFilename(page, args[1]);
    layer.TWAIN_FreeNative(page);
    return written == 0 ? 0 : 1;
}
