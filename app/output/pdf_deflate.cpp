#include "pdf_deflate.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <libdeflate.h>
#include <new>
#include <thread>
#include <vector>
#include <zlib.h>

namespace folivo {
namespace {

// libdeflate's level for clean data, by measurement: from 6 up, sizes shrink by a few
// per cent while the time grows several times (level 9 is 5-12 times slower).
constexpr int kCleanLevel = 6;
constexpr std::size_t kBandBytes = 1 << 20; // one unit of parallel work
constexpr double kCleanShare = 0.6;         // this share of repeated bytes counts as clean
constexpr unsigned char kZlibHeader[2] = {0x78, 0x01};

std::optional<StreamBytes> deflateClean(const std::uint8_t* data, std::size_t size) {
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(kCleanLevel);
    if (!compressor)
        return std::nullopt;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, size);
    StreamBytes out{AllocateBytes(bound), 0};
    if (out.data)
        out.size = libdeflate_zlib_compress(compressor, data, size, out.data.get(), bound);
    libdeflate_free_compressor(compressor);
    if (!out.data || out.size == 0)
        return std::nullopt;
    return out;
}

// One band as raw deflate data; every band but the last ends on a sync point.
bool deflateBand(const std::uint8_t* data, std::size_t size, bool last, StreamBytes& out) {
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 9, Z_RLE) != Z_OK)
        return false;
    const std::size_t capacity = deflateBound(&z, uLong(size)) + 16; // + the sync marker
    out.data = AllocateBytes(capacity);
    bool ok = false;
    if (out.data) {
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = uInt(size);
        z.next_out = out.data.get();
        z.avail_out = uInt(capacity);
        const int status = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
        ok = last ? status == Z_STREAM_END : status == Z_OK && z.avail_in == 0;
        out.size = z.total_out;
    }
    deflateEnd(&z);
    return ok;
}

std::optional<StreamBytes> deflateNoisy(StreamBytes input) {
    const std::uint8_t* data = input.data.get();
    const std::size_t size = input.size;
    const std::uint32_t adler = libdeflate_adler32(1, data, size);
    const std::size_t count = std::max<std::size_t>(1, (size + kBandBytes - 1) / kBandBytes);
    std::vector<StreamBytes> bands(count);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        try {
            for (std::size_t i = next++; i < count; i = next++) {
                const std::size_t begin = i * kBandBytes;
                const std::size_t length = std::min(kBandBytes, size - begin);
                if (!deflateBand(data + begin, length, i + 1 == count, bands[i]))
                    failed = true;
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    };
    // Every core takes bands; the calling thread is one of them.
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < std::min(cores, count); ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    input = {}; // the bands are all that is needed from here on
    if (failed)
        return std::nullopt;
    std::size_t total = sizeof kZlibHeader + 4;
    for (const auto& band : bands)
        total += band.size;
    StreamBytes out{AllocateBytes(total), total};
    if (!out.data)
        return std::nullopt;
    std::uint8_t* p = out.data.get();
    std::memcpy(p, kZlibHeader, sizeof kZlibHeader);
    p += sizeof kZlibHeader;
    for (const auto& band : bands) {
        std::memcpy(p, band.data.get(), band.size);
        p += band.size;
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        *p++ = std::uint8_t(adler >> shift);
    return out;
}

} // namespace

std::optional<StreamBytes> DeflateImageData(StreamBytes data, std::size_t repeats) {
    if (data.size == 0 || double(repeats) >= kCleanShare * double(data.size))
        return deflateClean(data.data.get(), data.size);
    return deflateNoisy(std::move(data));
}

} // namespace folivo
