// Driver for preview_bench.sh: one preview scan of the whole glass through the scanner
// layer, from a device set up for a real scan (so the preview must change and restore its
// options), timed inside the program.
//
//   preview_bench_tool DEVICE [option=value ...]
#include "bench_options.h"
#include "preview_scan.h"
#include "sane_api.h"
#include "scan_prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace folivo;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: preview_bench_tool DEVICE [option=value ...]\n");
        return 2;
    }
    SaneApi api(CreateDlLoader());
    std::unique_ptr<SaneDevice> device =
        api.initialise() ? SaneDevice::open(api, args[0], nullptr) : nullptr;
    if (!device)
        return 1;
    if (!SetBenchOptions(*device, args.mid(1)))
        return 1;
    QtScanPrompts prompts;
    QElapsedTimer timer;
    timer.start();
    const std::optional<QImage> image = ScanPreview(*device, prompts, nullptr);
    const qint64 ms = timer.elapsed();
    if (!image)
        return 1;
    std::printf("%d %d %lld\n", image->width(), image->height(), static_cast<long long>(ms));
    return 0;
}
