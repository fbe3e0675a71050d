#pragma once
// The bytes of a PDF stream being made (internal to app/output).
#include "mapped_bytes.h"

#include <cstddef>

namespace folivo {

struct StreamBytes {
    MappedBytes data;
    std::size_t size = 0; // bytes in use
};

} // namespace folivo
