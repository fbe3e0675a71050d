#pragma once
// Large byte buffers for page images.
//
// Each buffer is its own memory mapping, returned to the system the moment it is freed.
// Buffers of page size come and go by the dozen during scanning and export; from the
// general heap they would leave freed pages behind in per-thread arenas and let the
// resident size grow with the page count. Pages of a buffer that are never written cost
// no memory, and large buffers ask for huge pages: a page image touched 4 KiB at a time
// costs thousands of page faults.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace folivo {

struct UnmapBytes {
    std::size_t length = 0;
    void operator()(std::uint8_t* bytes) const;
};

using MappedBytes = std::unique_ptr<std::uint8_t, UnmapBytes>;

// `capacity` bytes (at least one), or an empty pointer when the system has none to give.
MappedBytes AllocateBytes(std::size_t capacity);

// Gives `bytes` a new capacity (at least one byte), keeping its contents up to the
// smaller size; the buffer may move. False when the system has no memory for it:
// `bytes` then stays as it was.
bool ResizeBytes(MappedBytes& bytes, std::size_t capacity);

} // namespace folivo
