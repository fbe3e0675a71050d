#pragma once
// A scanner layer without a scanner: not available, every acquisition gives 0.
#include "scanner_library.h"

namespace folivo {

class NullScannerLibrary final : public ScannerLibrary {
public:
    int TWAIN_IsAvailable() override { return 0; }
    void TWAIN_SetHideUI(int) override {}
    int TWAIN_SelectImageSource(QWidget*) override { return 0; }
    int TWAIN_OpenDefaultSource() override { return -1; }
    NativeHandle TWAIN_AcquireNative(QWidget*, int) override { return 0; }
    NativeHandle TWAIN_CreateDibPalette(NativeHandle) override { return 0; }
    int TWAIN_DibWidth(NativeHandle) override { return 0; }
    int TWAIN_DibHeight(NativeHandle) override { return 0; }
    int TWAIN_WriteNativeToFilename(NativeHandle, const QString&) override { return 1; }
    void TWAIN_FreeNative(NativeHandle) override {}
    int TWAIN_AcquireToClipboard(QWidget*, int) override { return 0; }
};

} // namespace folivo
