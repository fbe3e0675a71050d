// Parts of the PDF exporter that the small pictures of the export tests do not reach:
// multi-band compression of page-sized data, and the job queue's ordering rules.
#include "pdf_deflate.h"
#include "pdf_job_queue.h"

#include <QTest>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

namespace folivo {
namespace {

StreamBytes bytesOf(const std::vector<std::uint8_t>& v) {
    StreamBytes b{AllocateBytes(v.size()), v.size()};
    std::memcpy(b.data.get(), v.data(), v.size());
    return b;
}

std::vector<std::uint8_t> inflateAll(const StreamBytes& z, std::size_t expected) {
    std::vector<std::uint8_t> out(expected + 16);
    uLongf length = uLongf(out.size());
    if (uncompress(out.data(), &length, z.data.get(), uLong(z.size)) != Z_OK)
        return {};
    out.resize(length);
    return out;
}

std::size_t repeatsOf(const std::vector<std::uint8_t>& v) {
    std::size_t n = 0;
    for (std::size_t i = 1; i < v.size(); ++i)
        n += v[i] == v[i - 1];
    return n;
}

// Noisy page-sized data is split into bands and still one valid zlib stream.
TEST(PdfDeflate, PageSizedAndTinyDataRoundTripAsOneZlibStream) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> noisy(3'500'000 + 123); // several bands and a short last one
    for (auto& b : noisy)
        b = std::uint8_t(240 + random() % 5);
    std::vector<std::uint8_t> clean(2'000'000, 0xFF);
    for (std::size_t i = 0; i < clean.size(); i += 997)
        clean[i] = 0;
    ASSERT_LT(repeatsOf(noisy), noisy.size() / 2);
    // Five values a byte pack well under half; clean pages far better.
    for (const auto& [data, ratio] : {std::pair{noisy, 2u}, {clean, 50u}, {{42}, 0u}}) {
        const auto z = DeflateImageData(bytesOf(data), repeatsOf(data));
        ASSERT_TRUE(z.has_value());
        if (ratio) {
            EXPECT_LT(z->size, data.size() / ratio);
        }
        EXPECT_EQ(inflateAll(*z, data.size()), data);
    }
}

JobResult resultOf(std::uint8_t value) {
    StreamBytes b{AllocateBytes(1), 1};
    b.data.get()[0] = value;
    return {std::move(b), JobError::None};
}

TEST(PdfJobQueue, EveryJobIsHandedOverInAnyOrderAndAgainWhenAskedTwice) {
    std::atomic<int> runs{0};
    std::vector<PdfJobQueue::Job> jobs;
    for (int i = 0; i < 12; ++i)
        jobs.push_back([i, &runs] {
            ++runs;
            return resultOf(std::uint8_t(i));
        });
    PdfJobQueue queue(std::move(jobs), 2, 2);
    for (const std::size_t i : {0u, 1u, 5u, 2u, 3u, 4u, 11u, 6u, 7u, 8u, 9u, 10u}) {
        const JobResult r = queue.take(i);
        ASSERT_TRUE(r.bytes.has_value()) << i;
        EXPECT_EQ(r.bytes->data.get()[0], i);
    }
    EXPECT_EQ(runs.load(), 12);
    const JobResult again = queue.take(3); // a writer asking twice gets the same bytes
    ASSERT_TRUE(again.bytes.has_value());
    EXPECT_EQ(again.bytes->data.get()[0], 3);
    EXPECT_EQ(queue.take(12).error, JobError::Unreadable);
}

TEST(PdfJobQueue, WorkersStayWithinTheWindowAheadOfTheWriter) {
    std::atomic<int> started{0};
    std::vector<PdfJobQueue::Job> jobs;
    for (int i = 0; i < 10; ++i)
        jobs.push_back([i, &started] {
            ++started;
            return resultOf(std::uint8_t(i));
        });
    PdfJobQueue queue(std::move(jobs), 2, 2);
    ASSERT_TRUE(queue.take(0).bytes.has_value());
    // Nothing is taken beyond job 0, so at most jobs 1 and 2 may have run by now.
    // Give the workers every chance to overrun; they must stop at the window.
    EXPECT_FALSE(QTest::qWaitFor([&] { return started.load() > 3; }, 200));
    EXPECT_LE(started.load(), 3);
}

} // namespace
} // namespace folivo
