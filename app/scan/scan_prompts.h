#pragma once
// The layer's prompts as real message boxes on the owner window.
#include "scan_errors.h"

class QWidget;

namespace folivo {

class QtScanPrompts final : public ScanPrompts {
public:
    explicit QtScanPrompts(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void showError(ScanFailure failure, const ScanErrorText& text) override;
    bool waitForRetry(int attempt, int attempts, int seconds) override;

private:
    QWidget* m_owner;
};

} // namespace folivo
