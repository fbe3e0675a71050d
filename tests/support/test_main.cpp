// Test entry point: GoogleTest inside a QApplication, so widget tests can create
// windows (on the offscreen platform under ctest) and drive the event loop.
#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define FOLIVO_TEST_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FOLIVO_TEST_LSAN 1
#endif
#endif
#ifdef FOLIVO_TEST_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// SANE's test device stops its reader thread by cancelling it, which can leave libc's
// locale lock taken; a system library's destructor then waits for that lock forever at
// exit, and so do Qt's own clean-ups. Tests that load SANE set
// FOLIVO_TEST_SKIP_LIBRARY_FINI: they end here, after the leak check, without running
// destructors (the font caches still alive then are suppressed as the system's).
[[noreturn]] void exitWithoutLibraryDestructors(int result) {
#ifdef FOLIVO_TEST_LSAN
    if (__lsan_do_recoverable_leak_check() != 0 && result == 0)
        result = 23;
#endif
    std::fflush(nullptr);
    _exit(result);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (qEnvironmentVariableIsSet("FOLIVO_TEST_SKIP_LIBRARY_FINI"))
        exitWithoutLibraryDestructors(result);
    return result;
}
