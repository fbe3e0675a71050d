#include "sane_scanner_library.h"

#include "acquisition.h"
#include "sane_device.h"
#include "scan_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <sane/saneopts.h>

namespace folivo {

SaneScannerLibrary::SaneScannerLibrary(std::unique_ptr<SaneApi> api,
                                       std::unique_ptr<ScanPrompts> prompts,
                                       DeviceSettingsStore store)
    : m_api(std::move(api)), m_prompts(std::move(prompts)), m_store(std::move(store)) {}

// The device closes before SANE exits.
SaneScannerLibrary::~SaneScannerLibrary() {
    m_device.reset();
}

int SaneScannerLibrary::TWAIN_IsAvailable() {
    return m_api->initialise() ? 1 : 0;
}

void SaneScannerLibrary::TWAIN_SetHideUI(int hide) {
    m_hideUi = hide != 0;
}

std::vector<DeviceEntry> SaneScannerLibrary::devices() {
    std::vector<DeviceEntry> found;
    const SANE_Device** list = nullptr;
    if (!m_api->initialise() || m_api->getDevices(&list, false) != SANE_STATUS_GOOD || !list)
        return found;
    for (const SANE_Device** d = list; *d; ++d) {
        const auto text = [](const char* s) { return QString::fromUtf8(s ? s : ""); };
        found.push_back(
            {text((*d)->name), text((*d)->vendor), text((*d)->model), text((*d)->type)});
    }
    return found;
}

int SaneScannerLibrary::TWAIN_SelectImageSource(QWidget* owner) {
    if (!m_api->initialise())
        return 0;
    SourceDialog dialog([this] { return devices(); }, m_store.defaultDevice(), owner);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return 0;
    if (m_device && m_device->name() != dialog.chosen())
        m_device.reset();
    m_store.setDefaultDevice(dialog.chosen());
    return 1;
}

bool SaneScannerLibrary::openDefault() {
    if (m_device)
        return true;
    if (!m_api->initialise())
        return false;
    QString name = m_store.defaultDevice();
    if (name.isEmpty()) {
        const std::vector<DeviceEntry> found = devices();
        if (found.empty())
            return false;
        name = found.front().name;
    }
    m_device = SaneDevice::open(*m_api, name, nullptr);
    return m_device != nullptr;
}

int SaneScannerLibrary::TWAIN_OpenDefaultSource() {
    return openDefault() ? 1 : -1;
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
    if (!openDefault()) {
        if (m_api->isReady())
            m_prompts->showError(ScanFailure::OpenFailed, ErrorTextFor(ScanFailure::OpenFailed));
        return 0;
    }
    std::unique_ptr<SaneDevice> device = std::move(m_device);
    const SavedOptions saved = m_store.options(device->name());
    if (saved.empty())
        presetFirstUse(*device);
    else
        ApplyOptions(*device, saved);
    if (!m_hideUi) {
        ScanDialog dialog(*device, owner);
        if (dialog.exec() != QDialog::Accepted)
            return 0;
    }
    const SavedOptions used = CaptureOptions(*device);
    if (used != saved)
        m_store.setOptions(device->name(), used);
    AcquireResult result = Acquisition(*m_prompts).run(*device, owner);
    if (!result.image)
        return 0;
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

int SaneScannerLibrary::TWAIN_AcquireToClipboard(QWidget* owner, int pixelTypes) {
    const NativeHandle handle = TWAIN_AcquireNative(owner, pixelTypes);
    const QImage* img = m_images.image(handle);
    if (img)
        QGuiApplication::clipboard()->setImage(*img);
    m_images.free(handle);
    return img ? 1 : 0;
}

} // namespace folivo
