#pragma once
// Result codes of the JPEG writer and its encoder (see jpeg_writer.h for their meaning).
#include <cstdint>

namespace folivo {

enum JpegResultCode : std::int16_t {
    kJpegOk = 0,
    kJpegSourceUnreadable = 1,
    kJpegTargetUnwritable = 2,
    kJpegBadSource = 3,
    kJpegOutOfMemory = 4,
};

} // namespace folivo
