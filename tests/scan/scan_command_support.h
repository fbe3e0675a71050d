#pragma once
// A main window stand-in for the scan-command tests: it records what the command asked.
#include "program_paths.h"
#include "scan_command.h"
#include "scanner_library.h"

#include <QDir>
#include <QStringList>
#include <functional>

namespace folivo::test {

class RecordingHost final : public ScanHost {
public:
    explicit RecordingHost(ScannerLibrary& scanner) : m_scanner(scanner) {}

    QWidget* ownerWindow() override { return nullptr; }
    void ReleaseImage() override {
        events << QStringLiteral("release");
        palette = 0;
        if (image != 0)
            m_scanner.TWAIN_FreeNative(image);
        image = 0;
        if (onRelease)
            onRelease();
    }
    void EnsureTempFolder() override {
        events << QStringLiteral("tmp");
        QDir().mkpath(TempFolder());
    }
    void setImageHandle(NativeHandle handle) override {
        events << QStringLiteral("image");
        image = handle;
    }
    void setPaletteHandle(NativeHandle handle) override {
        events << QStringLiteral("palette");
        palette = handle;
    }
    void layoutPreview() override { events << QStringLiteral("layout"); }
    void setSaveCommandsEnabled(bool enabled) override {
        events << (enabled ? QStringLiteral("save:on") : QStringLiteral("save:off"));
        saveCommandsEnabled = enabled;
    }

    QStringList events;
    NativeHandle image = 0;
    NativeHandle palette = 0;
    bool saveCommandsEnabled = false;
    std::function<void()> onRelease;

private:
    ScannerLibrary& m_scanner;
};

} // namespace folivo::test
