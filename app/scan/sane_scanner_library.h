#pragma once
// The scanner-library layer over SANE.
//
// Sources are SANE devices. The default source and each device's last used options live
// in the layer's own settings file (DeviceSettingsStore); with no default, the first
// device found is used. TWAIN_OpenDefaultSource opens the default device (1) or answers
// -1; TWAIN_AcquireNative opens it itself when needed, applies the remembered options,
// shows the scan dialog unless SetHideUI(1), remembers the options and reads the page.
// After a page the device stays open in its batch, so a document feeder goes on with the
// next sheet; after a failure or a cancel it is closed. Device errors are told through
// ScanPrompts; every failure answers the 0 handle. A device found automatically is kept
// as the default, as one chosen by hand is.
//
// Every SANE call runs on the scanner thread (sane_api.h) while the window answers. A call
// that has not returned `afterCancel` after Cancel, or shows no progress for `noAnswer`, is
// given up with the device, and the user is told (NotAnswering); the next operation opens
// the device afresh, or, while that call has still not returned, tells that Folivo must
// be restarted (RestartNeeded). An operation asked for while another waits answers failure.
#include "device_settings_store.h"
#include "native_image.h"
#include "sane_api.h"
#include "scan_errors.h"
#include "scanner_library.h"
#include "scanner_wait.h"

#include <QImage>
#include <map>
#include <memory>

namespace folivo {

class SaneDevice;

class SaneScannerLibrary final : public ScannerLibrary {
public:
    SaneScannerLibrary(std::unique_ptr<SaneApi> api, std::unique_ptr<ScanPrompts> prompts,
                       DeviceSettingsStore store = DeviceSettingsStore());
    ~SaneScannerLibrary() override;

    int TWAIN_IsAvailable() override;
    void TWAIN_SetHideUI(int hide) override;
    int TWAIN_SelectImageSource(QWidget* owner) override;
    int TWAIN_OpenDefaultSource() override;
    NativeHandle TWAIN_AcquireNative(QWidget* owner, int pixelTypes) override;
    NativeHandle TWAIN_CreateDibPalette(NativeHandle image) override;
    int TWAIN_DibWidth(NativeHandle image) override;
    int TWAIN_DibHeight(NativeHandle image) override;
    int TWAIN_WriteNativeToFilename(NativeHandle image, const QString& path) override;
    void TWAIN_FreeNative(NativeHandle image) override;
    int TWAIN_AcquireToClipboard(QWidget* owner, int pixelTypes) override;
    QImage nativeImage(NativeHandle image) const override {
        const QImage* img = m_images.image(image);
        return img ? *img : QImage();
    }

    // Beyond the interface, for tests and the program's own checks.
    std::vector<DeviceEntry> devices();
    void setLimits(const ScannerLimits& limits);
    const NativeImageStore& images() const { return m_images; }
    DeviceSettingsStore& store() { return m_store; }

    // Time the rest of the shutdown gets once the event loop has ended.
    static constexpr std::chrono::milliseconds kShutdownGrace{3000};

private:
    template <typename R, typename F> R guarded(QWidget* owner, R failed, F op);
    void tell(ScanFailure failure);
    NativeHandle acquire(QWidget* owner);
    bool openDefault();
    void presetFirstUse(SaneDevice& device);

    QtCallWaiter m_waiter;
    std::unique_ptr<SaneApi> m_api;
    std::unique_ptr<ScanPrompts> m_prompts;
    DeviceSettingsStore m_store;
    NativeImageStore m_images;
    std::unique_ptr<SaneDevice> m_device;
    std::map<QString, QImage> m_previews; // the last preview of each device, this session
    bool m_hideUi = false;
    bool m_busy = false;
};

} // namespace folivo
