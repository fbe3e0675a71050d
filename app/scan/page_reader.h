#pragma once
// The read loop of one page: sane_start, parameters, sane_read until the last frame.
//
// Runs on the scanner thread; it makes no SANE call but start, parameters and read on the
// handle. The user-interface thread watches `progress` and stops the loop by setting
// `cancelled` and interrupting the read (SaneApi::interrupt). The caller ends the scan
// with sane_cancel after.
#include "frame_decoder.h"
#include "sane_api.h"

#include <atomic>
#include <chrono>
#include <optional>

namespace folivo {

struct ReadProgress {
    std::atomic<qint64> bytesDone{0};
    std::atomic<qint64> bytesExpected{0}; // 0 while unknown (hand scanners)
    std::atomic<bool> cancelled{false};
    // When the device may be cancelled: SANE's thread-based backends cancel their reader
    // thread, and one cancelled in its first moments can take a lock of the C library's
    // memory allocator with it, after which that backend (or the whole program) waits
    // forever. ReadPage sets this to a moment shortly after each sane_start.
    std::atomic<std::chrono::steady_clock::rep> cancelNotBefore{0};
};

struct PageReadResult {
    SANE_Status status = SANE_STATUS_GOOD; // GOOD when a page arrived
    bool badData = false;                  // frames that make no image
    std::optional<QImage> image;
    bool noAnswer = false; // the device stopped answering; the scan was given up
};

constexpr std::chrono::milliseconds kReaderSettle{100};

std::optional<FrameParams> ToFrameParams(const SANE_Parameters& p);

PageReadResult ReadPage(const SaneEntries& sane, SANE_Handle handle, double dpi,
                        ReadProgress& progress);

} // namespace folivo
