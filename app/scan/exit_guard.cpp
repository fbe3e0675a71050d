#include "exit_guard.h"

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace folivo {

namespace {

// Leak checks at the end of a sanitizer build take their time.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kGraceFactor = 10;
#else
constexpr int kGraceFactor = 1;
#endif

int g_armFd = -1;
std::once_flag g_prepared;

void Guard(int readFd) {
    std::int32_t graceMs = 0;
    ssize_t got = 0;
    do
        got = read(readFd, &graceMs, sizeof graceMs);
    while (got < 0 && errno == EINTR);
    if (got != sizeof graceMs)
        return;
    // poll without descriptors is a plain sleep that takes no lock.
    while (poll(nullptr, 0, graceMs) < 0 && errno == EINTR) {
    }
    _exit(0);
}

} // namespace

void PrepareExitGuard() {
    std::call_once(g_prepared, [] {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::thread(Guard, fds[0]).detach();
        g_armFd = fds[1];
    });
}

void ArmExitGuard(std::chrono::milliseconds grace) {
    if (g_armFd < 0)
        return;
    const std::int32_t graceMs = static_cast<std::int32_t>(grace.count() * kGraceFactor);
    [[maybe_unused]] const ssize_t written = write(g_armFd, &graceMs, sizeof graceMs);
    close(g_armFd);
    g_armFd = -1;
}

} // namespace folivo
