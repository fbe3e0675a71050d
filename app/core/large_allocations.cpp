#include "large_allocations.h"

#include <malloc.h>

namespace folivo {

// Below a scanned page's size (an A4 colour page at 150 dpi is 6 MB), above the
// buffers of everyday work.
constexpr int kMappedFrom = 4 << 20;

void KeepLargeAllocationsMapped() {
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
}

} // namespace folivo
