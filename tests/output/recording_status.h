#pragma once
// A StatusReporter that records what the user would have seen, in order.
#include "ui_ports.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace folivo::test {

class RecordingStatus : public StatusReporter {
public:
    void SetStatus(const QString& message) override {
        events << QStringLiteral("status:") + message;
        line = message;
        if (onStatus)
            onStatus(message);
    }
    void ShowMessage(const QString& title, const QString& prompt) override {
        events << QStringLiteral("message:%1|%2").arg(title, prompt);
        line = title;
    }
    void OfferSavedFile(const QString& path) override { offered << path; }

    QStringList events;
    QStringList offered;
    QString line = QStringLiteral("(unchanged)");
    std::function<void(const QString&)> onStatus;
};

} // namespace folivo::test
