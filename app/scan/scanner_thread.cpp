#include "scanner_thread.h"

#include <deque>
#include <thread>

namespace folivo {

bool ScannerCall::isDone() const {
    std::lock_guard lock(m_mutex);
    return m_done;
}

bool ScannerCall::waitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_done; });
}

void ScannerCall::finish() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
}

// Shared with the thread, so that a thread left inside a blocked job still has it.
struct ScannerThread::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<std::function<void()>, std::shared_ptr<ScannerCall>>> jobs;
    bool running = false; // a job is in progress
    bool stopping = false;
    std::thread::id id;
};

ScannerThread::ScannerThread() : m_state(std::make_shared<State>()) {
    std::thread worker([state = m_state] {
        std::unique_lock lock(state->mutex);
        for (;;) {
            state->changed.wait(lock, [&] { return state->stopping || !state->jobs.empty(); });
            if (state->jobs.empty())
                break;
            auto [job, call] = std::move(state->jobs.front());
            state->jobs.pop_front();
            state->running = true;
            lock.unlock();
            job();
            job = nullptr; // its captures go before the caller hears it is done
            // Not busy before done: a caller that sees its call done finds the thread free.
            lock.lock();
            state->running = false;
            state->changed.notify_all();
            lock.unlock();
            call->finish();
            lock.lock();
        }
    });
    {
        std::lock_guard lock(m_state->mutex);
        m_state->id = worker.get_id();
    }
    worker.detach();
}

ScannerThread::~ScannerThread() {
    std::unique_lock lock(m_state->mutex);
    m_state->stopping = true;
    m_state->changed.notify_all();
    // The worker holds its own reference to the state; once idle it ends by itself.
    m_state->changed.wait_for(lock, m_grace,
                              [&] { return !m_state->running && m_state->jobs.empty(); });
}

std::shared_ptr<ScannerCall> ScannerThread::post(std::function<void()> job) {
    auto call = std::make_shared<ScannerCall>();
    {
        std::lock_guard lock(m_state->mutex);
        m_state->jobs.emplace_back(std::move(job), call);
    }
    m_state->changed.notify_all();
    return call;
}

bool ScannerThread::isCurrent() const {
    std::lock_guard lock(m_state->mutex);
    return std::this_thread::get_id() == m_state->id;
}

bool ScannerThread::isBusy() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->running || !m_state->jobs.empty();
}

} // namespace folivo
