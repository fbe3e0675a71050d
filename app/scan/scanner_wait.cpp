#include "scanner_wait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <optional>

namespace folivo {

namespace {

// Most option calls end within this; waiting so long without an event loop is not seen.
constexpr std::chrono::milliseconds kBriefBlock{20};
constexpr int kTickMs = 10;
constexpr int kShowDialog = 1;

void SetUp(QProgressDialog& dialog, const WaitView& view) {
    dialog.setWindowTitle(view.title);
    dialog.setLabelText(view.label);
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, view.percent ? 100 : 0);
    dialog.setValue(0);
    // Cancel must not hide the dialog: it stays, modal, until the call has ended.
    QObject::disconnect(&dialog, &QProgressDialog::canceled, &dialog, &QProgressDialog::cancel);
}

} // namespace

WaitEnd WaitForCall(const ScannerCall& call, const ScannerLimits& limits, const WaitView& view,
                    QWidget* owner) {
    if (call.waitFor(kBriefBlock))
        return WaitEnd::Done;
    QElapsedTimer clock;
    QElapsedTimer sinceProgress;
    QElapsedTimer sinceCancel;
    clock.start();
    sinceProgress.start();
    qint64 lastProgress = -1;
    bool stalled = false;
    std::optional<WaitEnd> end;
    QPointer<QProgressDialog> dialog;
    QEventLoop loop;

    const auto pressCancel = [&] {
        if (sinceCancel.isValid())
            return;
        sinceCancel.start();
        if (view.onCancel)
            view.onCancel();
        if (dialog)
            dialog->setLabelText(view.cancelling);
    };
    const auto finish = [&](WaitEnd how) {
        end = how;
        loop.exit(0);
    };
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (call.isDone())
            return finish(stalled ? WaitEnd::Stalled : WaitEnd::Done);
        if (view.progress) {
            const qint64 now = view.progress();
            if (now != lastProgress)
                sinceProgress.restart();
            lastProgress = now;
        }
        if (!sinceCancel.isValid() && sinceProgress.elapsed() >= limits.noAnswer.count()) {
            stalled = true;
            if (!view.onCancel)
                return finish(WaitEnd::GivenUp);
            pressCancel();
        }
        if (sinceCancel.isValid() && sinceCancel.elapsed() >= limits.afterCancel.count())
            return finish(WaitEnd::GivenUp);
        if (!dialog) {
            if (clock.elapsed() >= limits.showWaitAfter.count())
                loop.exit(kShowDialog);
            return;
        }
        if (!dialog->isVisible())
            dialog->show();
        if (view.percent) {
            const int percent = view.percent();
            if (percent < 0)
                dialog->setRange(0, 0);
            else
                dialog->setValue(percent);
        }
    });
    // A loop that cannot run (the application is quitting) decides nothing: then wait plainly.
    const auto decided = [&] {
        if (end)
            return *end;
        return call.waitFor(limits.afterCancel) ? WaitEnd::Done : WaitEnd::GivenUp;
    };
    tick.start();
    if (!view.showAtOnce && loop.exec(QEventLoop::ExcludeUserInputEvents) != kShowDialog)
        return decided();
    QProgressDialog shown(owner);
    dialog = &shown;
    SetUp(shown, view);
    if (sinceCancel.isValid())
        shown.setLabelText(view.cancelling);
    QObject::connect(&shown, &QProgressDialog::canceled, &loop, pressCancel);
    QObject::connect(&shown, &QDialog::rejected, &loop, pressCancel);
    shown.show();
    loop.exec();
    return decided();
}

bool QtCallWaiter::wait(const ScannerCall& call, ScannerWait what, const ScannerLimits& limits) {
    WaitView view;
    view.title = QStringLiteral("スキャナー");
    view.label = what == ScannerWait::Listing ? QStringLiteral("スキャナーを探しています…")
                                              : QStringLiteral("スキャナーの応答を待っています…");
    view.cancelling = QStringLiteral("スキャナーの応答を待っています。応答がなければ中止します…");
    return WaitForCall(call, limits, view, m_owner) == WaitEnd::Done;
}

} // namespace folivo
