#include "pdf_stream_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace folivo {
namespace {

enum Filter : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kPaeth = 4 };
constexpr Filter kFilters[] = {kNone, kSub, kUp, kPaeth};

// The Paeth predictor without branches (p - a = b - c, p - b = a - c, p - c = a + b - 2c),
// so that the compiler can run it over many bytes at once.
std::uint8_t paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bOrC = pb <= pc ? b : c;
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : bOrC);
}

template <Filter F>
void filterRow(const std::uint8_t* row, const std::uint8_t* up, std::size_t n, std::size_t bpp,
               std::uint8_t* out) {
    // The first pixel has no left neighbour: Sub keeps it, Up and Paeth predict from above.
    const std::size_t head = std::min(bpp, n);
    for (std::size_t i = 0; i < head; ++i)
        out[i] = static_cast<std::uint8_t>(row[i] - (F == kSub ? 0 : up[i]));
    for (std::size_t i = head; i < n; ++i) {
        if constexpr (F == kSub)
            out[i] = static_cast<std::uint8_t>(row[i] - row[i - bpp]);
        else if constexpr (F == kUp)
            out[i] = static_cast<std::uint8_t>(row[i] - up[i]);
        else
            out[i] = static_cast<std::uint8_t>(row[i] - paeth(row[i - bpp], up[i], up[i - bpp]));
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
    // Four histograms, so that runs of equal bytes do not wait on one counter.
    std::uint32_t histogram[4][256] = {};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        ++histogram[0][row[i]];
        ++histogram[1][row[i + 1]];
        ++histogram[2][row[i + 2]];
        ++histogram[3][row[i + 3]];
    }
    for (; i < n; ++i)
        ++histogram[0][row[i]];
    double sum = 0.0;
    for (int v = 0; v < 256; ++v)
        sum += double(cLogC[histogram[0][v] + histogram[1][v] + histogram[2][v] + histogram[3][v]]);
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
    if (compress) {
        encoder.m_deflate.reset(new (std::nothrow) StreamDeflater);
        encoder.m_previous = AllocateBytes(encoder.m_rowBytes);
        // Candidate rows; the chosen one keeps its filter byte in front of it.
        encoder.m_scratch = AllocateBytes(encoder.m_rowBytes * 2 + 2);
        encoder.m_cLogC.resize(encoder.m_rowBytes + 1);
        for (std::size_t c = 1; c <= encoder.m_rowBytes; ++c)
            encoder.m_cLogC[c] = float(double(c) * std::log2(double(c)));
        if (!encoder.m_deflate || !encoder.m_previous || !encoder.m_scratch)
            return std::nullopt;
    } else {
        encoder.m_buffer.data = AllocateBytes(encoder.m_rowBytes * std::size_t(format.height));
        if (!encoder.m_buffer.data)
            return std::nullopt;
    }
    return encoder;
}

void ImageStreamEncoder::addRow(const std::uint8_t* samples) {
    if (m_rows >= m_height)
        return;
    ++m_rows;
    if (!m_compress) {
        std::memcpy(m_buffer.data.get() + m_buffer.size, samples, m_rowBytes);
        m_buffer.size += m_rowBytes;
        return;
    }
    // Try each filter into scratch, each candidate a byte in, so that the best one goes
    // to the stream with its filter byte in front in one piece.
    std::uint8_t* candidate = m_scratch.get();
    std::uint8_t* best = m_scratch.get() + m_rowBytes + 1;
    Filter bestFilter = kNone;
    double bestCost = 0.0;
    for (const Filter f : kFilters) {
        if (f != kNone && !m_adaptive)
            break;
        applyFilter(f, samples, m_previous.get(), m_rowBytes, m_pixelBytes, candidate + 1);
        const double cost = entropyCost(candidate + 1, m_rowBytes, m_cLogC);
        if (f == kNone || cost < bestCost) {
            bestCost = cost;
            bestFilter = f;
            std::swap(candidate, best);
        }
    }
    best[0] = bestFilter;
    if (!m_deflate->append(best, m_rowBytes + 1))
        m_failed = true;
    std::memcpy(m_previous.get(), samples, m_rowBytes);
}

std::optional<StreamBytes> ImageStreamEncoder::finish() {
    if (m_rows != m_height || m_failed)
        return std::nullopt;
    if (!m_compress)
        return std::move(m_buffer);
    return m_deflate->finish();
}

} // namespace folivo
