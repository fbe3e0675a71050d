#pragma once
// Runs a write in a child process whose files may not grow past a size limit, as on a
// full disk: writes past it fail with EFBIG (SIGXFSZ is ignored there).
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace folivo::test {

inline constexpr rlim_t kSmallFileLimit = 1024;

// The child's answer of `write` (true: the writer reported the failure); false also when
// the child did not end normally.
inline bool ReportsFailureUnderSizeLimit(const std::function<bool()>& write,
                                         rlim_t bytes = kSmallFileLimit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, bytes};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(2);
        _exit(write() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace folivo::test
