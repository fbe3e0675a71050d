#include "mapped_bytes.h"

#include <sys/mman.h>

namespace folivo {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

void adviseHugePages(void* p, std::size_t length) {
    if (length >= kHugePage)
        madvise(p, length, MADV_HUGEPAGE); // only advice: without it, small pages serve
}

} // namespace

void UnmapBytes::operator()(std::uint8_t* bytes) const {
    if (bytes)
        munmap(bytes, length);
}

MappedBytes AllocateBytes(std::size_t capacity) {
    const std::size_t length = capacity == 0 ? 1 : capacity;
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return MappedBytes(nullptr, UnmapBytes{0});
    adviseHugePages(p, length);
    return MappedBytes(static_cast<std::uint8_t*>(p), UnmapBytes{length});
}

bool ResizeBytes(MappedBytes& bytes, std::size_t capacity) {
    const std::size_t length = capacity == 0 ? 1 : capacity;
    if (!bytes) {
        bytes = AllocateBytes(length);
        return bool(bytes);
    }
    void* p = mremap(bytes.get(), bytes.get_deleter().length, length, MREMAP_MAYMOVE);
    if (p == MAP_FAILED)
        return false;
    bytes.release();
    bytes = MappedBytes(static_cast<std::uint8_t*>(p), UnmapBytes{length});
    adviseHugePages(p, length);
    return true;
}

} // namespace folivo
