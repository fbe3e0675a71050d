#pragma once
// A quick look at the whole glass: a low-resolution scan with the device's own preview
// mode on, read like any page (on the scanner thread, with progress, Cancel and the error
// box). Every option is put back afterwards, so the real scan is untouched, and the
// device's batch is ended (a preview is never the first sheet of a feeder run).
#include "sane_device.h"
#include "scan_errors.h"

#include <QImage>
#include <optional>

class QWidget;

namespace folivo {

constexpr double kPreviewDpi = 50;

std::optional<QImage> ScanPreview(SaneDevice& device, ScanPrompts& prompts, QWidget* owner);

} // namespace folivo
