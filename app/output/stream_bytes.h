#pragma once
// Large byte buffers for page images (internal to app/output).
//
// Each buffer is its own memory mapping, returned to the system the moment it is freed.
// Buffers of page size come and go by the dozen during an export; from the general heap
// they would leave freed pages behind in per-thread arenas and let the resident size
// grow with the page count. Pages of a buffer that are never written cost no memory.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace folivo {

struct UnmapBytes {
    std::size_t length = 0;
    void operator()(std::uint8_t* bytes) const;
};

using MappedBytes = std::unique_ptr<std::uint8_t, UnmapBytes>;

struct StreamBytes {
    MappedBytes data;
    std::size_t size = 0; // bytes in use
};

// `capacity` bytes (at least one), or an empty pointer when the system has none to give.
MappedBytes AllocateBytes(std::size_t capacity);

} // namespace folivo
