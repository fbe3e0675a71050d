#pragma once
// How the process gets memory for page-size buffers.
//
// glibc serves a large block from a mapping of its own only until the first such block
// is freed; it then raises that limit, and later page-size buffers (image rows, qpdf's
// stream buffers) come from the heap, whose freed parts stay resident. An export's
// memory would then grow with its page count. A fixed limit keeps every large buffer in
// its own mapping, given back to the system when it is freed. Call first in main().
namespace folivo {

void KeepLargeAllocationsMapped();

} // namespace folivo
