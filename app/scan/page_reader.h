#pragma once
// The read loop of one page: sane_start, parameters, sane_read until the last frame.
//
// Runs on the reader thread; it makes no SANE call but start, parameters and read on the
// handle. The user-interface thread watches `progress` and stops the loop by setting
// `cancelled` and calling sane_cancel. The caller ends the scan with sane_cancel after.
#include "frame_decoder.h"
#include "sane_api.h"

#include <atomic>
#include <optional>

namespace folivo {

struct ReadProgress {
    std::atomic<qint64> bytesDone{0};
    std::atomic<qint64> bytesExpected{0}; // 0 while unknown (hand scanners)
    std::atomic<bool> cancelled{false};
};

struct PageReadResult {
    SANE_Status status = SANE_STATUS_GOOD; // GOOD when a page arrived
    bool badData = false;                  // frames that make no image
    std::optional<QImage> image;
};

std::optional<FrameParams> ToFrameParams(const SANE_Parameters& p);

PageReadResult ReadPage(SaneApi& api, SANE_Handle handle, double dpi, ReadProgress& progress);

} // namespace folivo
