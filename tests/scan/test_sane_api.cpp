// Loading SANE at run time: a library that is not there, or that fails to start, means
// no scanner, and the layer then behaves as absent without crashing. And waiting on it: a
// call that blocks never holds the window, and one that never returns is given up.
#include "null_scanner_library.h"
#include "scan_test_support.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <map>
#include <set>
#include <string>
#include <thread>

using namespace folivo;

namespace {

// A loader over a fake library: symbols are whatever the test puts in.
struct FakeLibrary {
    bool loadable = true;
    std::map<std::string, void*> symbols;
    std::vector<std::string> lookups;
    int opened = 0;
    int closed = 0;
};

class FakeLoader final : public LibraryLoader {
public:
    explicit FakeLoader(FakeLibrary& lib) : m_lib(lib) {}
    void* open(const char*) override {
        if (!m_lib.loadable)
            return nullptr;
        ++m_lib.opened;
        return &m_lib;
    }
    void* symbol(void*, const char* name) override {
        m_lib.lookups.emplace_back(name);
        const auto it = m_lib.symbols.find(name);
        return it == m_lib.symbols.end() ? nullptr : it->second;
    }
    void close(void*) override { ++m_lib.closed; }

private:
    FakeLibrary& m_lib;
};

int g_exits = 0;
std::vector<std::thread::id> g_callers; // threads that made the fake SANE calls
SANE_Status InitFails(SANE_Int*, SANE_Auth_Callback) {
    return SANE_STATUS_IO_ERROR;
}
SANE_Status InitWorks(SANE_Int* v, SANE_Auth_Callback) {
    g_callers.push_back(std::this_thread::get_id());
    *v = SANE_VERSION_CODE(1, 0, 0);
    return SANE_STATUS_GOOD;
}
void Exit() {
    g_callers.push_back(std::this_thread::get_id());
    ++g_exits;
}
SANE_Status NoDevices(const SANE_Device*** list, SANE_Bool) {
    g_callers.push_back(std::this_thread::get_id());
    static const SANE_Device* none[] = {nullptr};
    *list = none;
    return SANE_STATUS_GOOD;
}

std::unique_ptr<SaneScannerLibrary> Layer(FakeLibrary& lib, const QTemporaryDir& dir,
                                          test::FakePrompts** prompts = nullptr,
                                          SaneApi** api = nullptr) {
    auto owned = std::make_unique<test::FakePrompts>();
    if (prompts)
        *prompts = owned.get();
    auto calls = std::make_unique<SaneApi>(std::make_unique<FakeLoader>(lib));
    if (api)
        *api = calls.get();
    return std::make_unique<SaneScannerLibrary>(std::move(calls), std::move(owned),
                                                DeviceSettingsStore(dir.filePath("scanner.ini")));
}

// What the program sees of an absent scanner: every operation fails quietly.
void ExpectAbsent(ScannerLibrary& layer, const QTemporaryDir& dir) {
    EXPECT_EQ(layer.TWAIN_IsAvailable(), 0);
    EXPECT_EQ(layer.TWAIN_OpenDefaultSource(), -1);
    EXPECT_EQ(layer.TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_EQ(layer.TWAIN_SelectImageSource(nullptr), 0);
    EXPECT_EQ(layer.TWAIN_AcquireToClipboard(nullptr, 0), 0);
    EXPECT_EQ(layer.TWAIN_CreateDibPalette(0), 0u);
    EXPECT_EQ(layer.TWAIN_DibWidth(0), 0);
    EXPECT_NE(layer.TWAIN_WriteNativeToFilename(0, dir.filePath("x.bmp")), 0);
    layer.TWAIN_FreeNative(0);
}

TEST(SaneLoading, ALibraryThatCannotBeLoadedOrStartedMeansNoScanner) {
    QTemporaryDir dir;
    FakeLibrary unloadable, noInit, failing;
    unloadable.loadable = false;
    failing.symbols["sane_init"] = reinterpret_cast<void*>(&InitFails);
    failing.symbols["sane_exit"] = reinterpret_cast<void*>(&Exit);
    g_exits = 0;
    for (FakeLibrary* lib : {&unloadable, &noInit, &failing})
        ExpectAbsent(*Layer(*lib, dir), dir);
    EXPECT_TRUE(unloadable.lookups.empty());
    EXPECT_EQ(noInit.closed, noInit.opened);
    EXPECT_EQ(failing.closed, 1);
    EXPECT_EQ(g_exits, 0) << "no sane_exit without a successful sane_init";

    SaneScannerLibrary missing(
        std::make_unique<SaneApi>(CreateDlLoader(), "libsane-that-is-not-installed.so.1"),
        std::make_unique<test::FakePrompts>(), DeviceSettingsStore(dir.filePath("scanner.ini")));
    ExpectAbsent(missing, dir);
    qputenv("FOLIVO_SCANNER", "none");
    const std::unique_ptr<ScannerLibrary> none = CreateScannerLibrary();
    qunsetenv("FOLIVO_SCANNER");
    EXPECT_NE(dynamic_cast<NullScannerLibrary*>(none.get()), nullptr);
    ExpectAbsent(*none, dir);
    EXPECT_NE(dynamic_cast<SaneScannerLibrary*>(CreateScannerLibrary().get()), nullptr);
}

TEST(SaneLoading, EveryFunctionIsBoundWhenTheLibraryStartsAndCalledOffTheWindowThread) {
    FakeLibrary lib;
    lib.symbols["sane_init"] = reinterpret_cast<void*>(&InitWorks);
    lib.symbols["sane_exit"] = reinterpret_cast<void*>(&Exit);
    lib.symbols["sane_get_devices"] = reinterpret_cast<void*>(&NoDevices);
    QTemporaryDir dir;
    g_exits = 0;
    g_callers.clear();
    auto layer = Layer(lib, dir);
    EXPECT_EQ(layer->TWAIN_IsAvailable(), 1);
    const std::set<std::string> bound(lib.lookups.begin(), lib.lookups.end());
    EXPECT_EQ(bound.size(), 11u);
    EXPECT_TRUE(bound.count("sane_close") && bound.count("sane_cancel") &&
                bound.count("sane_read"));
    const std::size_t lookups = lib.lookups.size();
    EXPECT_TRUE(layer->devices().empty());
    // No device: the default source cannot be opened, and sane_open (missing) is no crash.
    EXPECT_EQ(layer->TWAIN_OpenDefaultSource(), -1);
    layer->store().setDefaultDevice(QStringLiteral("test:0"));
    EXPECT_EQ(layer->TWAIN_OpenDefaultSource(), -1);
    layer.reset();
    EXPECT_EQ(lib.lookups.size(), lookups);
    EXPECT_EQ(g_exits, 1);
    EXPECT_EQ(lib.closed, 1);
    ASSERT_EQ(g_callers.size(), 4u); // init, two listings, exit
    for (std::thread::id caller : g_callers)
        EXPECT_NE(caller, std::this_thread::get_id());
}

// A device that takes its time: listing is slow, and opening blocks until released.
std::atomic<bool> g_openReleased{true};
std::atomic<int> g_opens{0};
std::atomic<int> g_closes{0};
SANE_Status SlowListing(const SANE_Device*** list, SANE_Bool) {
    static const SANE_Device device{"fake:0", "Folivo", "Slow", "flatbed scanner"};
    static const SANE_Device* one[] = {&device, nullptr};
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    *list = one;
    return SANE_STATUS_GOOD;
}
SANE_Status BlockingOpen(SANE_String_Const, SANE_Handle* handle) {
    ++g_opens;
    while (!g_openReleased)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    *handle = &g_opens;
    return SANE_STATUS_GOOD;
}
void CountClose(SANE_Handle) {
    ++g_closes;
}

class SlowDevice : public ::testing::Test {
protected:
    SlowDevice() {
        lib.symbols["sane_init"] = reinterpret_cast<void*>(&InitWorks);
        lib.symbols["sane_get_devices"] = reinterpret_cast<void*>(&SlowListing);
        lib.symbols["sane_open"] = reinterpret_cast<void*>(&BlockingOpen);
        lib.symbols["sane_close"] = reinterpret_cast<void*>(&CountClose);
        layer = Layer(lib, dir, &prompts, &api);
        layer->setLimits({std::chrono::milliseconds(1000), std::chrono::seconds(60),
                          std::chrono::milliseconds(50)});
        g_opens = 0;
        g_closes = 0;
        window.show();
    }
    ~SlowDevice() override { g_openReleased = true; }

    // The label of the wait dialog once it shows, read by a timer while the call runs: the
    // window answers meanwhile. Cancel is clicked then when asked.
    std::shared_ptr<QString> whenWaitShown(bool cancel) {
        auto label = std::make_shared<QString>();
        test::WhenShown<QProgressDialog>([label, cancel](QProgressDialog* dialog) {
            *label = dialog->findChild<QLabel*>()->text();
            if (cancel)
                dialog->findChild<QPushButton*>()->click();
        });
        return label;
    }

    FakeLibrary lib;
    QTemporaryDir dir;
    test::FakePrompts* prompts = nullptr;
    SaneApi* api = nullptr;
    std::unique_ptr<SaneScannerLibrary> layer;
    QWidget window;
};

TEST_F(SlowDevice, CallThatNeverReturnsIsGivenUpThenOpenedAfreshOnceItReturns) {
    layer->store().setDefaultDevice(QStringLiteral("fake:0"));
    ASSERT_EQ(layer->TWAIN_IsAvailable(), 1);
    g_openReleased = false;
    std::shared_ptr<QString> label = whenWaitShown(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(layer->TWAIN_AcquireNative(&window, 0), 0u);
    EXPECT_LT(clock.elapsed(), 10000) << "not given up";
    EXPECT_EQ(*label, QStringLiteral("スキャナーの応答を待っています…"));
    const std::vector<ScanFailure> told{ScanFailure::NotAnswering};
    EXPECT_EQ(prompts->errors, told);

    // Still blocked: nothing is called, and the user is told to restart.
    EXPECT_EQ(layer->TWAIN_OpenDefaultSource(), -1);
    EXPECT_EQ(prompts->errors.back(), ScanFailure::RestartNeeded);
    EXPECT_EQ(g_opens, 1);

    // Once the call comes back, the device it opened is closed and opened afresh. Until
    // the scanner thread is idle the layer rightly still says "restart".
    g_openReleased = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !api->isStuck(); }, 5000));
    EXPECT_EQ(g_closes, 1);
    EXPECT_EQ(layer->TWAIN_OpenDefaultSource(), 1);
    EXPECT_EQ(g_opens, 2);
    // The whole list, so that an extra message shows which one it was.
    const std::vector<ScanFailure> all{ScanFailure::NotAnswering, ScanFailure::RestartNeeded};
    EXPECT_EQ(prompts->errors, all);
}

TEST_F(SlowDevice, LayerWithACallThatNeverReturnsEndsWithoutWaitingForIt) {
    layer->store().setDefaultDevice(QStringLiteral("fake:0"));
    ASSERT_EQ(layer->TWAIN_IsAvailable(), 1);
    g_openReleased = false;
    whenWaitShown(true);
    EXPECT_EQ(layer->TWAIN_OpenDefaultSource(), -1);
    QElapsedTimer clock;
    clock.start();
    layer.reset();
    EXPECT_LT(clock.elapsed(), 10000) << "waited for the call that never returns";
}

} // namespace
