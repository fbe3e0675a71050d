#include "acquisition.h"

#include "scanner_wait.h"

#include <algorithm>
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
        // A device given up is not called again (the call fails at once).
        device.api().cancel(device.handle(), m_cancelNotBefore);
        if (page.noAnswer)
            return AcquireResult{ScanFailure::NotAnswering, std::nullopt};
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
    SaneApi& api = device.api();
    const SANE_Handle handle = device.handle();
    // Shared with the job: a job given up may still end after this function.
    struct Job {
        ReadProgress progress;
        PageReadResult result;
    };
    auto job = std::make_shared<Job>();
    auto gate = std::make_shared<ReadGate>();
    const std::shared_ptr<ScannerCall> call =
        api.post([job, gate, sane = api.entries(), handle, dpi] {
            job->result = ReadPage(sane, handle, dpi, job->progress);
            gate->close(); // waits for an interrupt under way
        });
    if (!call)
        return PageReadResult{SANE_STATUS_IO_ERROR, false, std::nullopt, true};

    WaitView view;
    view.title = QStringLiteral("読み取り");
    view.label = QStringLiteral("スキャナーから画像を読み取っています...");
    view.cancelling = QStringLiteral("読み取りを中止しています...");
    view.showAtOnce = true;
    const auto notBefore = [&job] {
        return SaneApi::TimePoint(
            SaneApi::TimePoint::duration(job->progress.cancelNotBefore.load()));
    };
    view.onCancel = [&] {
        job->progress.cancelled = true;
        api.interrupt(handle, notBefore(), gate);
    };
    view.progress = [&] { return qint64(job->progress.bytesDone); };
    view.percent = [&] {
        const qint64 expected = job->progress.bytesExpected;
        if (expected <= 0)
            return -1; // height unknown: a busy bar
        return int(std::min<qint64>(100, job->progress.bytesDone * 100 / expected));
    };
    const WaitEnd end = WaitForCall(*call, api.limits(), view, owner);
    m_cancelNotBefore = notBefore();
    switch (end) {
    case WaitEnd::Done:
        return std::move(job->result);
    case WaitEnd::Stalled:
        return PageReadResult{SANE_STATUS_IO_ERROR, false, std::nullopt, true};
    case WaitEnd::GivenUp:
        break;
    }
    api.giveUp();
    return PageReadResult{SANE_STATUS_IO_ERROR, false, std::nullopt, true};
}

} // namespace folivo
