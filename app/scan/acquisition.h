#pragma once
// One acquisition from an open device, as the user sees it: a modal progress dialog with
// a Cancel button while the page transfers, a bounded number of tries while the device
// is busy (each after a visible countdown), and an error box for a device error.
//
// The page is read on the scanner thread so that the window repaints and Cancel works
// while a backend blocks in sane_read; Cancel interrupts the read at once. run() answers
// the page, or the failure (Cancelled when the user stopped it, without a box;
// NotAnswering, also without a box, when the device did not answer in time and was given
// up: the layer tells it). After a page the device is left in its batch, as SANE wants for
// feeders; after a failure it has been cancelled.
#include "page_reader.h"
#include "sane_device.h"
#include "scan_errors.h"

#include <optional>

class QWidget;

namespace folivo {

struct AcquireResult {
    ScanFailure failure = ScanFailure::None;
    std::optional<QImage> image;
};

class Acquisition {
public:
    static constexpr int kBusyAttempts = 3;
    static constexpr int kBusyWaitSeconds = 3;

    explicit Acquisition(ScanPrompts& prompts) : m_prompts(prompts) {}
    AcquireResult run(SaneDevice& device, QWidget* owner);

private:
    PageReadResult readWithProgress(SaneDevice& device, double dpi, QWidget* owner);

    ScanPrompts& m_prompts;
    SaneApi::TimePoint m_cancelNotBefore;
};

} // namespace folivo
