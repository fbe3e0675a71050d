#pragma once
// One acquisition from an open device, as the user sees it: a modal progress dialog with
// a Cancel button while the page transfers, a bounded number of tries while the device
// is busy (each after a visible countdown), and an error box for a device error.
//
// The page is read on a thread of its own so that the window repaints and Cancel works
// while a backend blocks in sane_read; Cancel calls sane_cancel at once. run() answers the
// page, or the failure (Cancelled when the user stopped it, without a box). After a page
// the device is left in its batch, as SANE wants for feeders; after a failure it has been
// cancelled.
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
};

} // namespace folivo
