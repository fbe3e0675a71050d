#include "pdf_job_queue.h"

namespace folivo {

PdfJobQueue::PdfJobQueue(std::vector<Job> jobs, int workers, std::size_t window)
    : m_jobs(std::move(jobs)), m_states(m_jobs.size(), State::Waiting), m_results(m_jobs.size()),
      m_window(window) {
    for (int i = 0; i < workers && std::size_t(i) < m_jobs.size(); ++i)
        m_workers.emplace_back([this] { work(); });
}

PdfJobQueue::~PdfJobQueue() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (auto& worker : m_workers)
        worker.join();
}

std::size_t PdfJobQueue::lowestNotTaken() const {
    std::size_t i = 0;
    while (i < m_states.size() && m_states[i] == State::Taken)
        ++i;
    return i;
}

bool PdfJobQueue::runnable(std::size_t index) const {
    return m_states[index] == State::Waiting && index < lowestNotTaken() + m_window;
}

void PdfJobQueue::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::size_t next = m_jobs.size();
        m_changed.wait(lock, [&] {
            if (m_stopping)
                return true;
            for (std::size_t i = lowestNotTaken(); i < m_jobs.size(); ++i) {
                if (runnable(i)) {
                    next = i;
                    return true;
                }
            }
            return false;
        });
        if (m_stopping)
            return;
        m_states[next] = State::Running;
        lock.unlock();
        JobResult result = m_jobs[next]();
        lock.lock();
        m_results[next] = std::move(result);
        m_states[next] = State::Done;
        m_changed.notify_all();
    }
}

JobResult PdfJobQueue::take(std::size_t index) {
    std::unique_lock lock(m_mutex);
    if (index >= m_jobs.size())
        return {std::nullopt, JobError::Unreadable};
    if (m_states[index] == State::Waiting || m_states[index] == State::Taken) {
        // Nobody is on it (or its result is gone): do it here.
        const State before = m_states[index];
        m_states[index] = State::Running;
        lock.unlock();
        JobResult result = m_jobs[index]();
        lock.lock();
        m_states[index] = before == State::Taken ? State::Taken : State::Done;
        if (before == State::Taken)
            return result;
        m_results[index] = std::move(result);
    }
    m_changed.wait(lock, [&] { return m_states[index] == State::Done; });
    JobResult result = std::move(m_results[index]);
    m_results[index] = {};
    m_states[index] = State::Taken;
    lock.unlock();
    m_changed.notify_all();
    return result;
}

} // namespace folivo
