#include "pdf_stream_encoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <new>

namespace folivo {
namespace {

// libdeflate's level 6 beats zlib's default in both size and speed on scans.
constexpr int kDeflateLevel = 6;

enum Filter : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kPaeth = 4 };
constexpr Filter kFilters[] = {kNone, kSub, kUp, kPaeth};

std::uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Writes the filtered row to `out` and answers its cost: the sum of the residuals read
// as signed bytes, the usual estimate of how well a row will compress.
std::uint64_t applyFilter(Filter filter, const std::uint8_t* row, const std::uint8_t* up,
                          std::size_t n, std::size_t bpp, std::uint8_t* out) {
    std::uint64_t cost = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0;
        const int c = i >= bpp ? up[i - bpp] : 0;
        int predicted = 0;
        switch (filter) {
        case kNone:
            break;
        case kSub:
            predicted = a;
            break;
        case kUp:
            predicted = up[i];
            break;
        case kPaeth:
            predicted = paeth(a, up[i], c);
            break;
        }
        const auto residual = static_cast<std::uint8_t>(row[i] - predicted);
        out[i] = residual;
        cost += static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(residual)));
    }
    return cost;
}

std::unique_ptr<std::uint8_t[]> allocate(std::size_t n) {
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[n]);
}

} // namespace

std::optional<ImageStreamEncoder> ImageStreamEncoder::create(const PdfImageFormat& format,
                                                             bool compress) {
    ImageStreamEncoder encoder;
    encoder.m_rowBytes = format.rowBytes();
    encoder.m_pixelBytes =
        std::max<std::size_t>(1, std::size_t(format.components() * format.bitsPerComponent) / 8);
    encoder.m_height = format.height;
    encoder.m_compress = compress;
    const std::size_t stored = encoder.m_rowBytes + (compress ? 1 : 0);
    encoder.m_buffer.data = allocate(stored * std::size_t(format.height));
    if (compress) {
        encoder.m_previous = allocate(encoder.m_rowBytes);
        encoder.m_scratch = allocate(encoder.m_rowBytes * 2);
        if (encoder.m_previous)
            std::memset(encoder.m_previous.get(), 0, encoder.m_rowBytes);
    }
    if (!encoder.m_buffer.data || (compress && (!encoder.m_previous || !encoder.m_scratch)))
        return std::nullopt;
    return encoder;
}

void ImageStreamEncoder::addRow(const std::uint8_t* samples) {
    if (m_rows >= m_height)
        return;
    ++m_rows;
    std::uint8_t* out = m_buffer.data.get() + m_buffer.size;
    if (!m_compress) {
        std::memcpy(out, samples, m_rowBytes);
        m_buffer.size += m_rowBytes;
        return;
    }
    // Try each filter into scratch; keep the cheapest in the output buffer.
    std::uint8_t* candidate = m_scratch.get();
    std::uint8_t* best = m_scratch.get() + m_rowBytes;
    Filter bestFilter = kNone;
    std::uint64_t bestCost = ~std::uint64_t(0);
    for (const Filter f : kFilters) {
        const std::uint64_t cost =
            applyFilter(f, samples, m_previous.get(), m_rowBytes, m_pixelBytes, candidate);
        if (cost < bestCost) {
            bestCost = cost;
            bestFilter = f;
            std::swap(candidate, best);
        }
    }
    out[0] = bestFilter;
    std::memcpy(out + 1, best, m_rowBytes);
    std::memcpy(m_previous.get(), samples, m_rowBytes);
    m_buffer.size += m_rowBytes + 1;
}

std::optional<StreamBytes> ImageStreamEncoder::finish() {
    if (m_rows != m_height)
        return std::nullopt;
    if (!m_compress)
        return std::move(m_buffer);
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(kDeflateLevel);
    if (!compressor)
        return std::nullopt;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, m_buffer.size);
    // Untouched pages of this buffer cost no memory: only the written part is resident.
    StreamBytes out{allocate(bound), 0};
    if (out.data)
        out.size = libdeflate_zlib_compress(compressor, m_buffer.data.get(), m_buffer.size,
                                            out.data.get(), bound);
    libdeflate_free_compressor(compressor);
    m_buffer = {};
    if (!out.data || out.size == 0)
        return std::nullopt;
    return out;
}

} // namespace folivo
