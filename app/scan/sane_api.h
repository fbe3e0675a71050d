#pragma once
// The SANE library, loaded at run time, and the scanner thread that makes its calls.
//
// Contract:
// - initialise() loads the library, binds every entry point and calls sane_init. It
//   answers false (and keeps answering false) when the library cannot be loaded, lacks
//   sane_init, or sane_init fails: the scanner is then absent and the program runs on. A
//   missing entry point answers SANE_STATUS_UNSUPPORTED (or nothing) instead of crashing.
//   Everything is bound at once because a backend's cancelled reader thread can leave the
//   dynamic loader's lock taken, and a lookup made after that waits forever.
// - Every SANE call can block, so each runs on the scanner thread (scanner_thread.h):
//   call() runs a job there and waits for it through the CallWaiter (nullptr: a plain
//   wait of at most the no-answer limit); called on the scanner thread, it runs the job
//   at once. Jobs use SaneEntries copies and values only, never the SaneApi.
// - When a wait is given up, the job is left behind, call() answers its `failed` value,
//   and the API is stuck until that job returns: calls fail at once, and handles closed
//   meanwhile are closed when the thread is free again. takeGivenUp() tells once that a
//   wait was given up; isStuck() whether the left job still runs.
// - interrupt() is sane_cancel for a read in progress, sent from a short-lived thread of
//   its own: it is the one call SANE lets in while another blocks, and the window's
//   thread must not wait on it.
// - The destructor calls sane_exit when sane_init succeeded and unloads the library, on
//   the scanner thread and only when it is free; a stuck library is left loaded.
#include "scanner_thread.h"

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <sane/sane.h>
#include <string>
#include <type_traits>
#include <vector>

namespace folivo {

// How a shared library is reached: dlopen in the program, fakes in tests.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    virtual void* open(const char* name) = 0; // nullptr when it cannot be loaded
    virtual void* symbol(void* library, const char* name) = 0;
    virtual void close(void* library) = 0;
};

std::unique_ptr<LibraryLoader> CreateDlLoader();

// The entry points, bound once; each call checks that its function exists.
struct SaneEntries {
    decltype(&::sane_init) init = nullptr;
    decltype(&::sane_exit) exit = nullptr;
    decltype(&::sane_get_devices) getDevices = nullptr;
    decltype(&::sane_open) open = nullptr;
    decltype(&::sane_close) close = nullptr;
    decltype(&::sane_get_option_descriptor) optionDescriptor = nullptr;
    decltype(&::sane_control_option) controlOption = nullptr;
    decltype(&::sane_get_parameters) parameters = nullptr;
    decltype(&::sane_start) start = nullptr;
    decltype(&::sane_read) read = nullptr;
    decltype(&::sane_cancel) cancel = nullptr;

    void bindAll(LibraryLoader& loader, void* library);
    SANE_Status control(SANE_Handle h, SANE_Int option, SANE_Action action, void* value,
                        SANE_Int* info) const;
    const SANE_Option_Descriptor* describe(SANE_Handle h, SANE_Int option) const;
    SANE_Status startFrame(SANE_Handle h) const;
    SANE_Status frameParameters(SANE_Handle h, SANE_Parameters* p) const;
    SANE_Status readData(SANE_Handle h, SANE_Byte* data, SANE_Int max, SANE_Int* length) const;
    void cancelScan(SANE_Handle h) const;
};

struct DeviceEntry {
    QString name;
    QString vendor;
    QString model;
    QString type;
};

// Lets an interrupt through only while the read it is meant for runs: once the read has
// ended, the device may be closed, and a late sane_cancel would reach a freed handle.
struct ReadGate {
    std::mutex mutex;
    bool open = true;
    void close() {
        std::lock_guard lock(mutex);
        open = false;
    }
};

// What the user is told while a call takes long.
enum class ScannerWait { Answer, Listing };

class CallWaiter {
public:
    virtual ~CallWaiter() = default;
    // True when the call finished; false when the wait was given up.
    virtual bool wait(const ScannerCall& call, ScannerWait what, const ScannerLimits& limits) = 0;
};

class SaneApi {
public:
    explicit SaneApi(std::unique_ptr<LibraryLoader> loader,
                     std::string libraryName = "libsane.so.1");
    ~SaneApi();
    SaneApi(const SaneApi&) = delete;
    SaneApi& operator=(const SaneApi&) = delete;

    void setWaiter(CallWaiter* waiter) { m_waiter = waiter; }
    void setLimits(const ScannerLimits& limits) { m_limits = limits; }
    const ScannerLimits& limits() const { return m_limits; }

    bool initialise();
    bool isReady() const { return m_ready; }
    const SaneEntries& entries() const { return m_entries; }

    std::optional<std::vector<DeviceEntry>> devices(); // nullopt when listing failed
    SANE_Status open(const QString& name, SANE_Handle* handle);
    void close(SANE_Handle handle);
    // Both wait on the scanner's side until `notBefore` (see ReadProgress).
    using TimePoint = std::chrono::steady_clock::time_point;
    void cancel(SANE_Handle handle, TimePoint notBefore = {});
    void interrupt(SANE_Handle handle, TimePoint notBefore, std::shared_ptr<ReadGate> gate);

    template <typename F>
    std::invoke_result_t<F> call(F job, std::invoke_result_t<F> failed,
                                 ScannerWait what = ScannerWait::Answer);
    // For a job whose caller waits in its own way; nullptr while stuck or waiting.
    std::shared_ptr<ScannerCall> post(std::function<void()> job);
    void giveUp(); // the caller gave up waiting on the job it posted

    bool isStuck();
    bool hasGivenUp() const { return m_givenUp; }
    bool takeGivenUp();

private:
    bool admit();
    bool wait(const ScannerCall& call, ScannerWait what);

    std::shared_ptr<LibraryLoader> m_loader;
    std::string m_libraryName;
    std::unique_ptr<ScannerThread> m_thread;
    CallWaiter* m_waiter = nullptr;
    ScannerLimits m_limits;
    void* m_library = nullptr;
    SaneEntries m_entries;
    bool m_tried = false;
    bool m_ready = false;
    bool m_waiting = false;
    bool m_stuck = false;
    bool m_givenUp = false;
    std::vector<SANE_Handle> m_orphans;
    std::shared_ptr<std::atomic<int>> m_interrupts = std::make_shared<std::atomic<int>>(0);
};

template <typename F>
std::invoke_result_t<F> SaneApi::call(F job, std::invoke_result_t<F> failed, ScannerWait what) {
    using Result = std::invoke_result_t<F>;
    if (m_thread->isCurrent())
        return job();
    if (!admit())
        return failed;
    auto result = std::make_shared<std::optional<Result>>();
    const std::shared_ptr<ScannerCall> pending =
        m_thread->post([job = std::move(job), result]() mutable { *result = job(); });
    if (!wait(*pending, what))
        return failed;
    return std::move(**result);
}

} // namespace folivo
