#pragma once
// zlib-format compression of a PDF image stream's data as it is made (internal to
// app/output).
//
// Scanned pages are mostly sensor noise on paper, where LZ77 matches barely pay and
// cost time; their bytes compress best and fastest by Huffman coding with runs only.
// The data is cut into bands as it arrives and every core compresses bands at once,
// each band the way that suits it: clean ones (mostly runs of one byte value: margins,
// line art, drawings) with LZ77 matching, noisy ones with runs only. Every band but the
// last ends on a byte-aligned sync point, so the bands join into one valid zlib stream.
// Only the compressed bands and a few raw ones are ever held, whatever the page size.
#include "stream_bytes.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace folivo {

class StreamDeflater {
public:
    StreamDeflater() = default;
    ~StreamDeflater(); // an unfinished stream is dropped
    StreamDeflater(const StreamDeflater&) = delete;
    StreamDeflater& operator=(const StreamDeflater&) = delete;

    // False once memory ran out; the stream is then lost and finish answers nothing.
    bool append(const std::uint8_t* data, std::size_t size);
    // The whole zlib stream; call once, after the last append.
    std::optional<StreamBytes> finish();

private:
    struct Band {
        MappedBytes data;
        std::size_t size = 0;
        std::size_t index = 0;
        bool last = false;
    };

    bool submit(bool last);
    void compressOne(std::unique_lock<std::mutex>& lock);
    void work();
    void stopHelpers(std::unique_lock<std::mutex>& lock);

    MappedBytes m_band; // the band being filled
    std::size_t m_fill = 0;
    std::uint32_t m_adler = 1;

    std::mutex m_mutex; // guards everything below
    std::condition_variable m_changed;
    std::deque<Band> m_pending;
    std::vector<StreamBytes> m_out; // compressed bands, in stream order
    std::vector<MappedBytes> m_spare;
    int m_running = 0;
    bool m_failed = false;
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

} // namespace folivo
