#include "stream_bytes.h"

#include <sys/mman.h>

namespace folivo {

void UnmapBytes::operator()(std::uint8_t* bytes) const {
    if (bytes)
        munmap(bytes, length);
}

MappedBytes AllocateBytes(std::size_t capacity) {
    const std::size_t length = capacity == 0 ? 1 : capacity;
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return MappedBytes(nullptr, UnmapBytes{0});
    return MappedBytes(static_cast<std::uint8_t*>(p), UnmapBytes{length});
}

} // namespace folivo
