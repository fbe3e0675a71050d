// Draws the manual's pictures of the scan dialog on SANE's test device: as it opens, and
// after a preview with an area chosen on it.
// Usage: folivo_scan_screenshots <output folder>
// SANE_CONFIG_DIR must offer the "test" device. Exits non-zero when a picture is not written
// or the dialog does not fit its screen or scrolls sideways.
#include "preview_scan.h"
#include "preview_widget.h"
#include "sane_api.h"
#include "scan_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFont>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>

using namespace folivo;

namespace {

class SilentPrompts final : public ScanPrompts {
public:
    void showError(ScanFailure, const ScanErrorText&) override {}
    bool waitForRetry(int, int, int) override { return false; }
};

bool Shoot(QWidget* window, const QString& file) {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    const bool saved = window->grab().save(file, "PNG");
    // A picture of a dialog that does not fit, or scrolls sideways, is a fault to show.
    const auto* scroll = window->findChild<QScrollArea*>();
    const bool sideways = scroll && scroll->horizontalScrollBar()->maximum() > 0;
    const bool fits = window->screen()->availableGeometry().contains(window->frameGeometry());
    std::fprintf(stderr, "%s %s (%dx%d)%s%s\n", saved ? "wrote" : "FAILED", qPrintable(file),
                 window->width(), window->height(), fits ? "" : " TOO LARGE",
                 sideways ? " SCROLLS SIDEWAYS" : "");
    return saved && fits && !sideways;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    SaneApi api(CreateDlLoader());
    std::unique_ptr<SaneDevice> device =
        api.initialise() ? SaneDevice::open(api, QStringLiteral("test:0"), nullptr) : nullptr;
    if (!device) {
        std::fprintf(stderr, "SANE's test device is not reachable\n");
        return 1;
    }
    device->setText(QStringLiteral("mode"), QStringLiteral("Color"));
    device->setNumber(QStringLiteral("resolution"), 150);
    device->setText(QStringLiteral("test-picture"), QStringLiteral("Color pattern"));
    SilentPrompts prompts;
    ScanDialog dialog(*device, nullptr,
                      [&](QWidget* owner) { return ScanPreview(*device, prompts, owner); });
    dialog.show();
    bool ok = Shoot(&dialog, out.filePath(QStringLiteral("scan-dialog.png")));
    dialog.findChild<QPushButton*>(QStringLiteral("previewButton"))->click();
    // An area over part of the pattern, as a user would drag it.
    const PreviewGeometry& g = dialog.preview()->geometry();
    emit dialog.preview()->areaChosen(g.snapped(QRectF(QPointF(20, 30), QPointF(140, 120))));
    dialog.preview()->setFocus();
    ok = Shoot(&dialog, out.filePath(QStringLiteral("scan-preview.png"))) && ok;
    dialog.findChild<QCheckBox*>(QStringLiteral("advancedToggle"))->setChecked(true);
    ok = Shoot(&dialog, out.filePath(QStringLiteral("scan-details.png"))) && ok;
    return ok ? 0 : 1;
}
