#pragma once
// The scanner-library layer: the only way the program reaches scanners.
//
// Contract (all calls on the user-interface thread; acquisitions are modal, and while the
// layer waits on a scanner the window keeps painting):
// - TWAIN_IsAvailable: nonzero when a scanner library is installed and initialised.
// - TWAIN_SetHideUI(0|1): whether later acquisitions show the source's own dialog.
// - TWAIN_SelectImageSource: shows the source-selection dialog; the chosen source
//   becomes the default. The result is not used by callers.
// - TWAIN_OpenDefaultSource: -1 when no source can be opened, otherwise any number.
// - TWAIN_AcquireNative: handle of one acquired page (a device-independent bitmap owned
//   by the layer until TWAIN_FreeNative), 0 when nothing was acquired (cancelled or
//   failed; the layer has shown its own error box where a device error occurred).
// - TWAIN_CreateDibPalette: palette handle, 0 on failure. TWAIN_DibWidth/Height: pixels.
// - TWAIN_WriteNativeToFilename: 0 when the image was written completely to the path as
//   a BMP file; any other value is a failure and leaves no partial file behind.
// - TWAIN_FreeNative: frees the image; 0 is ignored.
// - TWAIN_AcquireToClipboard: acquires one page onto the clipboard as an image.
// - nativeImage: a copy of the image behind a handle (null for an unknown handle), so a
//   page whose file cannot be written is still kept.
#include <QImage>
#include <QtGlobal>
#include <memory>

class QString;
class QWidget;

namespace folivo {

using NativeHandle = quintptr;

class ScannerLibrary {
public:
    virtual ~ScannerLibrary() = default;

    virtual int TWAIN_IsAvailable() = 0;
    virtual void TWAIN_SetHideUI(int hide) = 0;
    virtual int TWAIN_SelectImageSource(QWidget* owner) = 0;
    virtual int TWAIN_OpenDefaultSource() = 0;
    virtual NativeHandle TWAIN_AcquireNative(QWidget* owner, int pixelTypes) = 0;
    virtual NativeHandle TWAIN_CreateDibPalette(NativeHandle image) = 0;
    virtual int TWAIN_DibWidth(NativeHandle image) = 0;
    virtual int TWAIN_DibHeight(NativeHandle image) = 0;
    virtual int TWAIN_WriteNativeToFilename(NativeHandle image, const QString& path) = 0;
    virtual void TWAIN_FreeNative(NativeHandle image) = 0;
    virtual int TWAIN_AcquireToClipboard(QWidget* owner, int pixelTypes) = 0;
    virtual QImage nativeImage(NativeHandle) const { return {}; }
};

// The real layer (SANE). FOLIVO_SCANNER=none forces the null layer (no scanner).
std::unique_ptr<ScannerLibrary> CreateScannerLibrary();

} // namespace folivo
