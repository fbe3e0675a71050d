#pragma once
// zlib-format compression of a PDF image stream's data (internal to app/output).
//
// Scanned pages are mostly sensor noise on paper, where LZ77 matches barely pay and
// cost time; their bytes compress best and fastest by Huffman coding with runs only.
// So: clean data (mostly runs of one byte value: line art, drawings) goes through
// libdeflate in one piece; noisy data is cut into bands that every core
// compresses at once (zlib run-length strategy), joined into one valid zlib stream by
// ending every band but the last on a byte-aligned sync point.
#include "stream_bytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace folivo {

// `repeats` counts the bytes of `data` equal to the byte before them. `data` is
// released as soon as it is no longer needed, to keep the peak low.
std::optional<StreamBytes> DeflateImageData(StreamBytes data, std::size_t repeats);

} // namespace folivo
