#include "ocr_progress.h"

#include "page_text_cache.h"
#include "ui_ports.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace folivo {

QString OcrProgressText(int finished, int total) {
    return QString::fromUtf16(u"文字認識中… %1 / %2").arg(finished).arg(total);
}

QString OcrGivenUpText(const QString& fileName, OcrStatus status) {
    return status == OcrStatus::TimedOut
               ? QString::fromUtf16(
                     u"%1 は文字認識が時間内に終わらなかったため、文字なしで保存します。")
                     .arg(fileName)
               : QString::fromUtf16(u"%1 は文字認識できなかったため、文字なしで保存します。")
                     .arg(fileName);
}

QString OcrUntextedNote(int pages) {
    return QString::fromUtf16(u"（%1 ページは文字認識できず、文字なしです）").arg(pages);
}

void WaitForText(PageTextCache& cache, QWidget* owner) {
    auto now = cache.progress();
    if (now.finished == now.total)
        return;
    QProgressDialog dialog(OcrProgressText(now.finished, now.total),
                           QString::fromUtf16(u"キャンセル"), 0, now.total, owner);
    dialog.setWindowTitle(QString::fromUtf16(u"文字認識"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setValue(now.finished);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        now = cache.progress();
        dialog.setLabelText(OcrProgressText(now.finished, now.total));
        dialog.setMaximum(now.total);
        dialog.setValue(now.finished);
        if (now.finished == now.total)
            loop.quit();
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        cache.cancelPending();
        loop.quit();
    });
    poll.start(100);
    loop.exec();
}

void ConnectTextRecognition(PageTextCache& cache, StatusReporter& status, QWidget* owner) {
    // Queued to `owner`'s thread: the cache reports from its workers.
    QObject::connect(&cache, &PageTextCache::progressed, owner, [&status](int done, int total) {
        status.SetStatus(OcrProgressText(done, total));
    });
    QObject::connect(&cache, &PageTextCache::pageGivenUp, owner,
                     [&status](const QString& file, OcrStatus why) {
                         status.SetStatus(OcrGivenUpText(file, why));
                     });
    cache.setWaiter([owner](PageTextCache& c) { WaitForText(c, owner); });
    SetOcrModelCheck([](OcrLanguage language) { return MissingOcrModels(language); });
}

} // namespace folivo
