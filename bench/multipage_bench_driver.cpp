// Harness of bench/multipage_bench.sh: runs the program's multi-page PDF command on SANE's
// test device, as the menu does, with the prompt answering "もう一枚" until the wanted
// number of sheets is scanned and then "完了", and the save dialog answering a path.
// The device options are set through the scanner layer's own settings file first.
// Usage: multipage_bench_driver <sheets> <output.pdf> <mode> <dpi> <width mm> <height mm>
#include "app_composition.h"
#include "device_settings_store.h"
#include "main_window.h"
#include "sane_api.h"
#include "sane_device.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

const QString kDevice = QStringLiteral("test:0");

class CountingPrompt final : public folivo::BookPdfPrompt {
public:
    explicit CountingPrompt(int sheets) : m_sheets(sheets) {}
    folivo::BookPdfAnswer ask(const folivo::BookPdfPromptInfo& info) override {
        if (info.sheetCount < m_sheets)
            return folivo::BookPdfAnswer::Next;
        scanned = clock.elapsed();
        return folivo::BookPdfAnswer::Done;
    }
    bool goOnWithKeptSheets(int) override { return false; }

    QElapsedTimer clock;
    qint64 scanned = 0; // ms from the start to the last sheet's prompt

private:
    int m_sheets;
};

class FixedName final : public folivo::SaveDialog {
public:
    explicit FixedName(QString path) : m_path(std::move(path)) {}
    QString askSaveFileName(const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

bool RememberDeviceOptions(const QString& mode, double dpi, double width, double height) {
    folivo::SaneApi api(folivo::CreateDlLoader());
    if (!api.initialise())
        return false;
    SANE_Status status = SANE_STATUS_GOOD;
    auto device = folivo::SaneDevice::open(api, kDevice, &status);
    if (!device)
        return false;
    const bool ok =
        device->setText(QStringLiteral("mode"), mode) &&
        device->setNumber(QStringLiteral("resolution"), dpi) &&
        device->setText(QStringLiteral("test-picture"), QStringLiteral("Color pattern")) &&
        device->setNumber(QStringLiteral("br-x"), width) &&
        device->setNumber(QStringLiteral("br-y"), height);
    folivo::DeviceSettingsStore store;
    store.setDefaultDevice(kDevice);
    store.setOptions(kDevice, folivo::CaptureOptions(*device));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s sheets output.pdf mode dpi width-mm height-mm\n", argv[0]);
        return 2;
    }
    const int sheets = std::atoi(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (!RememberDeviceOptions(QString::fromLocal8Bit(argv[3]), std::atof(argv[4]),
                               std::atof(argv[5]), std::atof(argv[6]))) {
        std::fprintf(stderr, "SANE's test device cannot be set up\n");
        return 1;
    }
    folivo::MainWindow window;
    folivo::CompositionOptions options;
    options.saveDialog = std::make_unique<FixedName>(output);
    auto prompt = std::make_unique<CountingPrompt>(sheets);
    CountingPrompt& counting = *prompt;
    options.bookPrompt = std::move(prompt);
    folivo::ComposeApplication(window, std::move(options));
    window.Load();
    counting.clock.start();
    window.runCommand(QStringLiteral("menuBook"));
    // Where the time goes: scanning the sheets, then laying them out and writing the PDF.
    std::printf("scan %.2f s, pdf %.2f s\n", counting.scanned / 1000.0,
                (counting.clock.elapsed() - counting.scanned) / 1000.0);
    if (!QFileInfo(output).isFile()) {
        std::fprintf(stderr, "no PDF written: %s\n", qPrintable(window.statusText()));
        return 1;
    }
    return 0;
}
