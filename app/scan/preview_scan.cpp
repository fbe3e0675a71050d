#include "preview_scan.h"

#include "acquisition.h"
#include "device_settings_store.h"
#include "scan_area.h"

#include <sane/saneopts.h>

#include <algorithm>

namespace folivo {

namespace {

// The lowest resolution at or above the preview's, or the highest the device has.
double PreviewResolution(const OptionInfo& info) {
    if (info.range)
        return std::clamp(kPreviewDpi, WordToNumber(info, info.range->min),
                          WordToNumber(info, info.range->max));
    double above = 0, highest = 0;
    for (SANE_Word w : info.wordList.value_or(QList<SANE_Word>{})) {
        const double dpi = WordToNumber(info, w);
        highest = std::max(highest, dpi);
        if (dpi >= kPreviewDpi && (above == 0 || dpi < above))
            above = dpi;
    }
    return above > 0 ? above : highest;
}

} // namespace

std::optional<QImage> ScanPreview(SaneDevice& device, ScanPrompts& prompts, QWidget* owner) {
    const SavedOptions before = CaptureOptions(device);
    device.setNumber(QStringLiteral(SANE_NAME_PREVIEW), SANE_TRUE);
    if (const std::optional<OptionInfo> dpi =
            device.option(QStringLiteral(SANE_NAME_SCAN_RESOLUTION)))
        if (const double value = PreviewResolution(*dpi); value > 0)
            device.setNumber(dpi->name, value);
    if (const std::optional<ScanArea> area = ScanArea::find(device.options()))
        area->write(device, area->glass());
    AcquireResult result = Acquisition(prompts).run(device, owner);
    if (result.image)
        device.api().cancel(device.handle());
    ApplyOptions(device, before);
    return std::move(result.image);
}

} // namespace folivo
