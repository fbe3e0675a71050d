#include "sane_scanner_library.h"

#include "acquisition.h"
#include "exit_guard.h"
#include "preview_scan.h"
#include "preview_widget.h"
#include "sane_device.h"
#include "scan_dialog.h"
#include "source_dialog.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <sane/saneopts.h>

namespace folivo {

SaneScannerLibrary::SaneScannerLibrary(std::unique_ptr<SaneApi> api,
                                       std::unique_ptr<ScanPrompts> prompts,
                                       DeviceSettingsStore store)
    : m_api(std::move(api)), m_prompts(std::move(prompts)), m_store(std::move(store)) {
    m_api->setWaiter(&m_waiter);
    // Once the window is gone, nothing may keep the program from ending (exit_guard.h).
    if (QCoreApplication::instance())
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         [] { ArmExitGuard(kShutdownGrace); });
}

// The device closes before SANE exits.
SaneScannerLibrary::~SaneScannerLibrary() {
    m_device.reset();
}

void SaneScannerLibrary::setLimits(const ScannerLimits& limits) {
    m_api->setLimits(limits);
}

// One operation of the interface at a time: while the layer waits, the window answers,
// and nothing it does may start another one. A device that stopped answering is given
// up and the user told; while its call has not come back, SANE cannot be used at all.
template <typename R, typename F> R SaneScannerLibrary::guarded(QWidget* owner, R failed, F op) {
    if (m_busy)
        return failed;
    m_busy = true;
    m_waiter.setOwner(owner);
    R result = failed;
    if (m_api->isStuck()) {
        m_device.reset();
        tell(ScanFailure::RestartNeeded);
    } else {
        result = op();
        if (m_api->takeGivenUp()) {
            m_device.reset();
            tell(ScanFailure::NotAnswering);
        }
    }
    m_busy = false;
    return result;
}

void SaneScannerLibrary::tell(ScanFailure failure) {
    m_prompts->showError(failure, ErrorTextFor(failure));
}

int SaneScannerLibrary::TWAIN_IsAvailable() {
    return guarded(nullptr, 0, [this] { return m_api->initialise() ? 1 : 0; });
}

void SaneScannerLibrary::TWAIN_SetHideUI(int hide) {
    m_hideUi = hide != 0;
}

std::vector<DeviceEntry> SaneScannerLibrary::devices() {
    if (!m_api->initialise())
        return {};
    return m_api->devices().value_or(std::vector<DeviceEntry>{});
}

int SaneScannerLibrary::TWAIN_SelectImageSource(QWidget* owner) {
    return guarded(owner, 0, [&] {
        if (!m_api->initialise())
            return 0;
        SourceDialog dialog([this] { return devices(); }, m_store.defaultDevice(), owner);
        if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
            return 0;
        if (m_device && m_device->name() != dialog.chosen())
            m_device.reset();
        m_store.setDefaultDevice(dialog.chosen());
        return 1;
    });
}

bool SaneScannerLibrary::openDefault() {
    if (m_device)
        return true;
    if (!m_api->initialise())
        return false;
    QString name = m_store.defaultDevice();
    const bool picked = name.isEmpty();
    if (picked) {
        const std::vector<DeviceEntry> found = devices();
        if (found.empty())
            return false;
        name = found.front().name;
    }
    m_device = SaneDevice::open(*m_api, name, nullptr);
    // Kept like a choice made by hand, so that the devices are not looked for again.
    if (m_device && picked)
        m_store.setDefaultDevice(name);
    return m_device != nullptr;
}

int SaneScannerLibrary::TWAIN_OpenDefaultSource() {
    return guarded(nullptr, -1, [this] { return openDefault() ? 1 : -1; });
}

// SANE's test device starts with settings that scan a 1 x 1 black dot; a first try
// should look like a scan.
void SaneScannerLibrary::presetFirstUse(SaneDevice& device) {
    if (!device.name().startsWith(QStringLiteral("test")))
        return;
    device.setText(QStringLiteral(SANE_NAME_SCAN_MODE), QStringLiteral("Color"));
    device.setNumber(QStringLiteral(SANE_NAME_SCAN_RESOLUTION), 150);
    device.setText(QStringLiteral("test-picture"), QStringLiteral("Color pattern"));
}

NativeHandle SaneScannerLibrary::TWAIN_AcquireNative(QWidget* owner, int) {
    return guarded(owner, NativeHandle(0), [&] { return acquire(owner); });
}

NativeHandle SaneScannerLibrary::acquire(QWidget* owner) {
    if (!openDefault()) {
        if (m_api->isReady() && !m_api->hasGivenUp())
            tell(ScanFailure::OpenFailed);
        return 0;
    }
    std::unique_ptr<SaneDevice> device = std::move(m_device);
    const SavedOptions saved = m_store.options(device->name());
    if (saved.empty())
        presetFirstUse(*device);
    else
        ApplyOptions(*device, saved);
    if (!m_hideUi) {
        ScanDialog dialog(*device, owner, [this, &device](QWidget* dialogWindow) {
            std::optional<QImage> image = ScanPreview(*device, *m_prompts, dialogWindow);
            if (image)
                m_previews[device->name()] = *image;
            return image;
        });
        // The glass looks as it did at the last preview until the user asks again.
        if (const auto last = m_previews.find(device->name()); last != m_previews.end())
            dialog.preview()->setImage(last->second);
        if (dialog.exec() != QDialog::Accepted)
            return 0;
    }
    if (m_api->isStuck())
        return 0; // what the dialog shows may be stale: keep the remembered options
    const SavedOptions used = CaptureOptions(*device);
    if (used != saved)
        m_store.setOptions(device->name(), used);
    AcquireResult result = Acquisition(*m_prompts).run(*device, owner);
    if (!result.image)
        return 0; // the device closes, or waits to be closed once the thread is free
    m_device = std::move(device);
    return m_images.add(std::move(*result.image));
}

NativeHandle SaneScannerLibrary::TWAIN_CreateDibPalette(NativeHandle image) {
    return m_images.createPalette(image);
}

int SaneScannerLibrary::TWAIN_DibWidth(NativeHandle image) {
    const QImage* img = m_images.image(image);
    return img ? img->width() : 0;
}

int SaneScannerLibrary::TWAIN_DibHeight(NativeHandle image) {
    const QImage* img = m_images.image(image);
    return img ? img->height() : 0;
}

int SaneScannerLibrary::TWAIN_WriteNativeToFilename(NativeHandle image, const QString& path) {
    const QImage* img = m_images.image(image);
    return static_cast<int>(img ? WriteBmp(*img, path) : BmpWriteResult::NoImage);
}

void SaneScannerLibrary::TWAIN_FreeNative(NativeHandle image) {
    m_images.free(image);
}

int SaneScannerLibrary::TWAIN_AcquireToClipboard(QWidget* owner, int) {
    const NativeHandle handle = TWAIN_AcquireNative(owner, 0);
    const QImage* img = m_images.image(handle);
    if (img)
        QGuiApplication::clipboard()->setImage(*img);
    m_images.free(handle);
    return img ? 1 : 0;
}

} // namespace folivo
