#pragma once
// Shared pieces of the scan-command tests: a main window stand-in that records what the
// command asked of it, and the JPEG quantisation tables a file holds next to the ones
// libjpeg makes for a quality.
#include "program_paths.h"
#include "scan_command.h"
#include "scanner_library.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

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

using QuantTable = std::array<int, 64>;

// The DQT tables of a JPEG file in file (zig-zag) order, in the order they appear.
inline std::vector<QuantTable> JpegQuantTables(const QByteArray& jpeg) {
    std::vector<QuantTable> tables;
    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(jpeg.at(i)); };
    qsizetype p = 2;
    while (p + 4 <= jpeg.size() && byte(p) == 0xFF) {
        const int marker = byte(p + 1);
        const qsizetype length = byte(p + 2) * 256 + byte(p + 3);
        if (marker == 0xDA || p + 2 + length > jpeg.size())
            break;
        if (marker == 0xDB) {
            for (qsizetype q = p + 4; q + 65 <= p + 2 + length;) {
                const bool wide = (byte(q) >> 4) != 0;
                QuantTable table{};
                for (int i = 0; i < 64; ++i)
                    table[i] =
                        wide ? byte(q + 1 + 2 * i) * 256 + byte(q + 2 + 2 * i) : byte(q + 1 + i);
                tables.push_back(table);
                q += 1 + (wide ? 128 : 64);
            }
        }
        p += 2 + length;
    }
    return tables;
}

// The luminance and chrominance tables libjpeg makes for a quality, in zig-zag order.
inline std::vector<QuantTable> LibjpegQuantTables(int quality) {
    // Position in natural order of each zig-zag index.
    static constexpr std::array<int, 64> kZigZag = {
        0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
        41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
        30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::vector<QuantTable> tables;
    for (int t = 0; t < 2; ++t) {
        QuantTable table{};
        for (int i = 0; i < 64; ++i)
            table[i] = cinfo.quant_tbl_ptrs[t]->quantval[kZigZag[i]];
        tables.push_back(table);
    }
    jpeg_destroy_compress(&cinfo);
    return tables;
}

// The first start-of-frame marker (0xC0 baseline, 0xC2 progressive), 0 when none.
inline int JpegFrameMarker(const QByteArray& jpeg) {
    for (qsizetype p = 2; p + 4 <= jpeg.size();) {
        const auto at = [&](qsizetype i) { return static_cast<unsigned char>(jpeg.at(i)); };
        if (at(p) != 0xFF)
            return 0;
        const int marker = at(p + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        p += 2 + at(p + 2) * 256 + at(p + 3);
    }
    return 0;
}

} // namespace folivo::test
