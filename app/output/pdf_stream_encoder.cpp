#include "pdf_stream_encoder.h"

#include "pdf_deflate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace folivo {
namespace {

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

template <Filter F>
void filterRow(const std::uint8_t* row, const std::uint8_t* up, std::size_t n, std::size_t bpp,
               std::uint8_t* out) {
    for (std::size_t i = 0; i < n; ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0;
        int predicted = 0;
        if constexpr (F == kSub)
            predicted = a;
        else if constexpr (F == kUp)
            predicted = up[i];
        else if constexpr (F == kPaeth)
            predicted = paeth(a, up[i], i >= bpp ? up[i - bpp] : 0);
        out[i] = static_cast<std::uint8_t>(row[i] - predicted);
    }
}

void applyFilter(Filter filter, const std::uint8_t* row, const std::uint8_t* up, std::size_t n,
                 std::size_t bpp, std::uint8_t* out) {
    switch (filter) {
    case kNone:
        std::memcpy(out, row, n);
        return;
    case kSub:
        filterRow<kSub>(row, up, n, bpp, out);
        return;
    case kUp:
        filterRow<kUp>(row, up, n, bpp, out);
        return;
    case kPaeth:
        filterRow<kPaeth>(row, up, n, bpp, out);
        return;
    }
}

// How well a filtered row will compress: the row's Shannon entropy estimate, as
// n log n - sum(c log c) over its byte histogram (lower is better). Scans are noisy
// paper with smooth regions; the usual "smallest signed sum" choice favours the
// difference filters even on flat noise, where the raw bytes compress far better.
double entropyCost(const std::uint8_t* row, std::size_t n, const std::vector<float>& cLogC) {
    std::uint32_t histogram[256] = {};
    for (std::size_t i = 0; i < n; ++i)
        ++histogram[row[i]];
    double sum = 0.0;
    for (const std::uint32_t count : histogram)
        sum += double(cLogC[count]);
    return double(cLogC[n]) - sum;
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
    // Below 8 bits or with a palette, neighbouring bytes are not neighbouring values:
    // differences only scramble the patterns LZ77 would find. PNG encoders agree.
    encoder.m_adaptive = format.bitsPerComponent >= 8 && format.space != PdfColourSpace::Indexed;
    const std::size_t stored = encoder.m_rowBytes + (compress ? 1 : 0);
    encoder.m_buffer.data = AllocateBytes(stored * std::size_t(format.height));
    if (compress) {
        encoder.m_previous = AllocateBytes(encoder.m_rowBytes);
        encoder.m_scratch = AllocateBytes(encoder.m_rowBytes * 2);
        encoder.m_cLogC.resize(encoder.m_rowBytes + 1);
        for (std::size_t c = 1; c <= encoder.m_rowBytes; ++c)
            encoder.m_cLogC[c] = float(double(c) * std::log2(double(c)));
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
    double bestCost = 0.0;
    for (const Filter f : kFilters) {
        if (f != kNone && !m_adaptive)
            break;
        applyFilter(f, samples, m_previous.get(), m_rowBytes, m_pixelBytes, candidate);
        const double cost = entropyCost(candidate, m_rowBytes, m_cLogC);
        if (f == kNone || cost < bestCost) {
            bestCost = cost;
            bestFilter = f;
            std::swap(candidate, best);
        }
    }
    out[0] = bestFilter;
    std::memcpy(out + 1, best, m_rowBytes);
    for (std::size_t i = 1; i < m_rowBytes; ++i)
        m_repeats += best[i] == best[i - 1] ? 1 : 0;
    std::memcpy(m_previous.get(), samples, m_rowBytes);
    m_buffer.size += m_rowBytes + 1;
}

std::optional<StreamBytes> ImageStreamEncoder::finish() {
    if (m_rows != m_height)
        return std::nullopt;
    if (!m_compress)
        return std::move(m_buffer);
    return DeflateImageData(std::move(m_buffer), m_repeats);
}

} // namespace folivo
