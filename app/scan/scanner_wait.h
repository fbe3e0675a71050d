#pragma once
// Waiting on a scanner call while the window keeps painting and answering.
//
// WaitForCall runs a local event loop until the call is done. For the first
// `showWaitAfter` it holds user input back (handled afterwards), so no command can start
// meanwhile; then an application-modal progress dialog shows the view with a Cancel
// button (showAtOnce: from the start). Cancel (button, Esc or close box) runs onCancel
// when the call can be stopped, and shows `cancelling`. A call still running
// `afterCancel` after Cancel is given up; so is one that shows no progress for `noAnswer`,
// after onCancel has been tried as for Cancel (Stalled when it then ends).
#include "sane_api.h"

#include <QString>
#include <functional>

class QWidget;

namespace folivo {

struct WaitView {
    QString title;
    QString label;
    QString cancelling;
    bool showAtOnce = false;
    std::function<void()> onCancel;   // nullptr: the call cannot be stopped
    std::function<qint64()> progress; // grows while the call makes progress; nullptr: none
    std::function<int()> percent;     // 0..100, or -1 for a busy bar; nullptr: busy bar
};

enum class WaitEnd { Done, Stalled, GivenUp };

WaitEnd WaitForCall(const ScannerCall& call, const ScannerLimits& limits, const WaitView& view,
                    QWidget* owner);

// The layer's waiter for short calls: "スキャナーの応答を待っています…" or, while the
// devices are listed, "スキャナーを探しています…".
class QtCallWaiter final : public CallWaiter {
public:
    explicit QtCallWaiter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    bool wait(const ScannerCall& call, ScannerWait what, const ScannerLimits& limits) override;

private:
    QWidget* m_owner;
};

} // namespace folivo
