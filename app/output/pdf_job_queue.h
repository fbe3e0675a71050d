#pragma once
// Runs the image-stream jobs of an export ahead of the PDF writer (internal to app/output).
//
// Jobs are numbered in the order the writer will ask for them. Worker threads run at most
// `window` jobs beyond the lowest one not yet taken, so memory holds a few pages whatever
// the page count. take(i) blocks until job i is done and hands its result over; a job
// taken twice, or asked for before a worker reached it, runs on the calling thread.
#include "pdf_stream_encoder.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace folivo {

enum class JobError { None, Unreadable, OutOfMemory };

struct JobResult {
    std::optional<StreamBytes> bytes;
    JobError error = JobError::None;
};

class PdfJobQueue {
public:
    using Job = std::function<JobResult()>;

    PdfJobQueue(std::vector<Job> jobs, int workers, std::size_t window);
    ~PdfJobQueue();
    PdfJobQueue(const PdfJobQueue&) = delete;
    PdfJobQueue& operator=(const PdfJobQueue&) = delete;

    JobResult take(std::size_t index);

private:
    enum class State { Waiting, Running, Done, Taken };

    void work();
    bool runnable(std::size_t index) const;
    std::size_t lowestNotTaken() const;

    std::vector<Job> m_jobs;
    std::vector<State> m_states;
    std::vector<JobResult> m_results;
    std::size_t m_window;
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::thread> m_workers;
};

} // namespace folivo
