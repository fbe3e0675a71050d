#include "scan_prompts.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace folivo {

void QtScanPrompts::showError(ScanFailure, const ScanErrorText& text) {
    QMessageBox box(QMessageBox::Critical, text.title, text.what, QMessageBox::Ok, m_owner);
    box.setInformativeText(text.todo);
    box.exec();
}

bool QtScanPrompts::waitForRetry(int attempt, int attempts, int seconds) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("スキャナーは使用中です"), QString(),
                    QMessageBox::Cancel, m_owner);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("中止"));
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    const auto update = [&] {
        const int left = seconds - int(clock.elapsed() / 1000);
        if (left <= 0) {
            box.done(QMessageBox::Ok);
            return;
        }
        box.setText(
            QStringLiteral("スキャナーは他のプログラムが使用中です。\n%1 秒後にもう一度試します"
                           "（%2 / %3 回目）。")
                .arg(left)
                .arg(attempt)
                .arg(attempts));
    };
    QObject::connect(&tick, &QTimer::timeout, &box, update);
    update();
    tick.start(200);
    return box.exec() == QMessageBox::Ok;
}

} // namespace folivo
