#pragma once
// A scanner layer for tests: no device, no person. An acquisition hands out the next
// queued image (none queued: 0, like a cancelled scan); calls are counted; writeResult
// other than 0 makes TWAIN_WriteNativeToFilename fail with it. Needs folivo_scan.
#include "scanner_library.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <deque>
#include <map>
#include <vector>

namespace folivo::test {

class FakeScannerLibrary final : public ScannerLibrary {
public:
    explicit FakeScannerLibrary(bool isAvailable = true) : available(isAvailable) {}

    bool available = true;
    int openResult = 1;
    int writeResult = 0;
    std::vector<int> hideUiCalls;
    int acquisitions = 0;
    std::vector<NativeHandle> freed;

    void queueImage(const QImage& image) { m_queue.push_back(image); }
    QImage image(NativeHandle handle) const {
        const auto it = m_images.find(handle);
        return it == m_images.end() ? QImage() : it->second;
    }

    int TWAIN_IsAvailable() override { return available ? 1 : 0; }
    void TWAIN_SetHideUI(int hide) override { hideUiCalls.push_back(hide); }
    int TWAIN_SelectImageSource(QWidget*) override { return 0; }
    int TWAIN_OpenDefaultSource() override { return openResult; }
    NativeHandle TWAIN_AcquireNative(QWidget*, int) override {
        ++acquisitions;
        if (m_queue.empty())
            return 0;
        const NativeHandle handle = m_nextHandle++;
        m_images[handle] = m_queue.front();
        m_queue.pop_front();
        return handle;
    }
    NativeHandle TWAIN_CreateDibPalette(NativeHandle image) override {
        return m_images.count(image) ? image + 0x10000 : 0;
    }
    int TWAIN_DibWidth(NativeHandle image) override { return this->image(image).width(); }
    int TWAIN_DibHeight(NativeHandle image) override { return this->image(image).height(); }
    int TWAIN_WriteNativeToFilename(NativeHandle image, const QString& path) override {
        if (writeResult != 0)
            return writeResult;
        const QImage picture = this->image(image);
        return !picture.isNull() && picture.save(path, "BMP") ? 0 : -1;
    }
    void TWAIN_FreeNative(NativeHandle image) override {
        freed.push_back(image);
        m_images.erase(image);
    }
    QImage nativeImage(NativeHandle handle) const override { return image(handle); }
    int TWAIN_AcquireToClipboard(QWidget*, int) override {
        if (m_queue.empty())
            return 0;
        QGuiApplication::clipboard()->setImage(m_queue.front());
        m_queue.pop_front();
        return 1;
    }

private:
    std::deque<QImage> m_queue;
    std::map<NativeHandle, QImage> m_images;
    NativeHandle m_nextHandle = 0x100;
};

} // namespace folivo::test
