#include "acquisition.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <memory>

namespace folivo {

AcquireResult Acquisition::run(SaneDevice& device, QWidget* owner) {
    const double dpi = device.resolution();
    for (int attempt = 1;; ++attempt) {
        PageReadResult page = readWithProgress(device, dpi, owner);
        // After a whole page the device stays in its batch (a feeder moves on to the next
        // sheet at the next start); anything else ends the scan on the device.
        if (page.image)
            return AcquireResult{ScanFailure::None, std::move(page.image)};
        device.api().cancel(device.handle());
        const ScanFailure failure =
            page.badData ? ScanFailure::BadData : FailureFromStatus(page.status);
        if (failure == ScanFailure::DeviceBusy && attempt < kBusyAttempts) {
            if (!m_prompts.waitForRetry(attempt + 1, kBusyAttempts, kBusyWaitSeconds))
                return AcquireResult{ScanFailure::Cancelled, std::nullopt};
            continue;
        }
        if (failure != ScanFailure::Cancelled)
            m_prompts.showError(failure, ErrorTextFor(failure));
        return AcquireResult{failure == ScanFailure::None ? ScanFailure::Failed : failure,
                             std::nullopt};
    }
}

PageReadResult Acquisition::readWithProgress(SaneDevice& device, double dpi, QWidget* owner) {
    ReadProgress progress;
    PageReadResult result;
    SaneApi& api = device.api();
    const SANE_Handle handle = device.handle();

    QProgressDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("読み取り"));
    dialog.setLabelText(QStringLiteral("スキャナーから画像を読み取っています..."));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, 100);
    dialog.setValue(0);

    std::unique_ptr<QThread> reader(
        QThread::create([&] { result = ReadPage(api, handle, dpi, progress); }));
    QEventLoop loop;
    QObject::connect(reader.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        if (progress.cancelled.exchange(true))
            return;
        api.cancel(handle);
        dialog.setLabelText(QStringLiteral("読み取りを中止しています..."));
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &dialog, [&] {
        const qint64 expected = progress.bytesExpected;
        if (expected <= 0) {
            dialog.setRange(0, 0); // height unknown: a busy bar
            return;
        }
        const qint64 done = progress.bytesDone;
        dialog.setValue(int(std::min<qint64>(100, done * 100 / expected)));
    });
    tick.start(100);
    dialog.show();
    reader->start();
    loop.exec();
    reader->wait();
    return result;
}

} // namespace folivo
