#pragma once
// Message boxes answered without a person: each box is recorded (title, prompt) and
// "closed" at once. onShow, when set, runs while the box would be open, so a test can
// look at the window at that moment.
#include "ui_ports.h"

#include <QString>
#include <functional>
#include <vector>

namespace folivo::test {

struct ShownMessage {
    QString title;
    QString prompt;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow;

    void information(const QString& title, const QString& prompt) override {
        shown.push_back({title, prompt});
        if (onShow)
            onShow(shown.back());
    }
};

} // namespace folivo::test
