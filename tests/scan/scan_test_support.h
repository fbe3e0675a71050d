#pragma once
// Shared pieces of the scan tests: prompts that answer themselves, and a scanner layer on
// SANE's test device with options chosen by the test.
#include "device_settings_store.h"
#include "sane_api.h"
#include "sane_device.h"
#include "sane_scanner_library.h"
#include "scan_errors.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace folivo::test {

// The layer unloads libsane, and libsane its backends, after which leak reports cannot
// name their frames. Pinning both keeps them mapped, so the leak suppressions of
// data/lsan.supp can tell SANE's own leaks from ours.
inline const bool kSanePinned = [] {
    void* sane = dlopen("libsane.so.1", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!sane)
        return false;
    bool pinned = false;
    Dl_info info{};
    if (void* init = dlsym(sane, "sane_init"); init && dladdr(init, &info) && info.dli_fname) {
        std::string folder = info.dli_fname;
        folder.resize(folder.rfind('/'));
        pinned = dlopen((folder + "/sane/libsane-test.so.1").c_str(),
                        RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) != nullptr;
    }
    dlclose(sane);
    return pinned;
}();

class FakePrompts final : public ScanPrompts {
public:
    void showError(ScanFailure failure, const ScanErrorText& text) override {
        errors.push_back(failure);
        texts.push_back(text);
    }
    bool waitForRetry(int attempt, int attempts, int) override {
        retries.push_back({attempt, attempts});
        return keepTrying;
    }
    std::vector<ScanFailure> errors;
    std::vector<ScanErrorText> texts;
    std::vector<std::pair<int, int>> retries;
    bool keepTrying = true;
};

using Settings = std::vector<std::pair<QString, QVariant>>;

// A 30 x 10 mm page at 254 dpi: 300 x 100 pixels, 10 mm squares of 100 pixels.
inline Settings WidePage(const QString& mode, int depth, const QString& picture) {
    return {{"mode", mode}, {"depth", depth}, {"resolution", 254}, {"test-picture", picture},
            {"tl-x", 0.0},  {"tl-y", 0.0},    {"br-x", 30.0},      {"br-y", 10.0}};
}

// Options for a device, set on the device itself (so its own rules apply) and then kept
// in the layer's settings file as the device's last used options.
inline void Remember(DeviceSettingsStore& store, const QString& device, const Settings& settings) {
    SaneApi api(CreateDlLoader());
    ASSERT_TRUE(api.initialise()) << "SANE test backend not reachable";
    SANE_Status status = SANE_STATUS_GOOD;
    std::unique_ptr<SaneDevice> dev = SaneDevice::open(api, device, &status);
    ASSERT_TRUE(dev) << "cannot open " << device.toStdString();
    for (const auto& [name, value] : settings) {
        const bool ok = value.typeId() == QMetaType::QString
                            ? dev->setText(name, value.toString())
                            : dev->setNumber(name, value.toDouble());
        ASSERT_TRUE(ok) << "option " << name.toStdString();
    }
    store.setOptions(device, CaptureOptions(*dev));
}

class TestScanner {
public:
    TestScanner() : store(dir.filePath(QStringLiteral("scanner.ini"))) {}

    std::unique_ptr<SaneScannerLibrary> make(bool hideUi = true) {
        auto owned = std::make_unique<FakePrompts>();
        prompts = owned.get();
        auto lib = std::make_unique<SaneScannerLibrary>(std::make_unique<SaneApi>(CreateDlLoader()),
                                                        std::move(owned), store);
        lib->TWAIN_SetHideUI(hideUi ? 1 : 0);
        return lib;
    }

    QTemporaryDir dir;
    DeviceSettingsStore store;
    FakePrompts* prompts = nullptr;
};

// Runs `act` on the first visible top-level widget of type T once it appears (modal
// dialogs are found the way a user sees them: on screen); gives up after timeoutMs.
template <typename T> void WhenShown(std::function<void(T*)> act, int timeoutMs = 20000) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act, left = QDeadlineTimer(timeoutMs)] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
                timer->stop(); // act may run a modal loop of its own
                timer->deleteLater();
                act(t);
                return;
            }
        if (left.hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

} // namespace folivo::test
