#pragma once
// The one thread on which the scanner layer makes its SANE calls.
//
// Contract: post() queues a job and answers its call; jobs run one at a time, in order.
// The caller waits on the call (ScannerCall::waitFor, or a CallWaiter that keeps the
// window answering) or leaves it behind. A job must capture only what outlives it: values,
// shared state, or objects that are never freed while a job of theirs may still run,
// because a backend can block a job for good. isBusy() tells whether a job is queued or
// running. The destructor waits at most `grace` for the thread to become free, and the
// thread then ends by itself; one still inside a job is left to it (a blocked backend
// cannot be stopped), with the state it shares.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace folivo {

// How long the layer waits on the scanner before it tells the user and gives the device up.
struct ScannerLimits {
    std::chrono::milliseconds afterCancel{10000}; // a call still running this long after Cancel
    std::chrono::milliseconds noAnswer{60000};    // a call without progress this long
    std::chrono::milliseconds showWaitAfter{300}; // a wait this long shows its dialog
};

class ScannerCall {
public:
    bool isDone() const;
    bool waitFor(std::chrono::milliseconds timeout) const; // true when done

private:
    friend class ScannerThread;
    void finish();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_done = false;
};

class ScannerThread {
public:
    ScannerThread();
    ~ScannerThread();
    ScannerThread(const ScannerThread&) = delete;
    ScannerThread& operator=(const ScannerThread&) = delete;

    std::shared_ptr<ScannerCall> post(std::function<void()> job);
    bool isCurrent() const;
    bool isBusy() const;
    void setGrace(std::chrono::milliseconds grace) { m_grace = grace; }

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::chrono::milliseconds m_grace{2000};
};

} // namespace folivo
