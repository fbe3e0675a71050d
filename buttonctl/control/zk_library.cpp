#include "zk_library.h"

#include "zk_accessible.h"

#include <QAtomicInt>
#include <QColor>
#include <cstring>

namespace zk {

const char* typeLibGuid(const char* name) {
    for (const TypeLibEntry& entry : kTypeLibEntries)
        if (std::strcmp(entry.name, name) == 0)
            return entry.guid;
    return nullptr;
}

QString versionString(const char* key) {
    for (const auto& [name, value] : kVersionInfo)
        if (std::strcmp(name, key) == 0)
            return QString::fromLatin1(value);
    return {};
}

QImage toolboxBitmap() {
    // A small raised button face with a picture square, drawn once in code so the image
    // needs no resource file.
    QImage image(16, 15, QImage::Format_RGB888);
    image.fill(QColor(192, 192, 192));
    for (int x = 0; x < 16; ++x) {
        image.setPixelColor(x, 0, Qt::white);
        image.setPixelColor(x, 14, Qt::black);
        image.setPixelColor(x, 13, QColor(128, 128, 128));
    }
    for (int y = 0; y < 15; ++y) {
        image.setPixelColor(0, y, Qt::white);
        image.setPixelColor(15, y, Qt::black);
        if (y > 0 && y < 14)
            image.setPixelColor(14, y, QColor(128, 128, 128));
    }
    for (int y = 4; y < 10; ++y)
        for (int x = 5; x < 11; ++x)
            image.setPixelColor(x, y, QColor(0, 0, 128));
    image.setPixelColor(15, 0, Qt::black);
    image.setPixelColor(0, 14, Qt::black);
    return image;
}

QString errorString(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("ピクチャが指定されていません。");
    case 2:
        return QStringLiteral("ビットマップ画像(BMP/JPEG/GIF形式)の形式が指定されています。");
    default:
        return {};
    }
}

QString aboutTitle() {
    return QStringLiteral("About");
}

QString aboutText() {
    return QStringLiteral("zkButton Control2 Ver.1.00\n\n"
                          "Picture button control for Qt programs (libzkbutton2, version "
                          "1.00.0002).");
}

namespace {
QAtomicInt g_liveObjects(0);
}

void objectCreated() {
    g_liveObjects.fetchAndAddRelaxed(1);
}

void objectDestroyed() {
    int live = g_liveObjects.loadRelaxed();
    do {
        if (live == 0)
            return;
    } while (!g_liveObjects.testAndSetOrdered(live, live - 1, live));
    // The accessibility factory lives in this library: it goes with the last object, so
    // a library the host may unload leaves no function of its own registered.
    if (live == 1)
        removeAccessibleFactory();
}

int liveObjects() {
    return g_liveObjects.loadRelaxed();
}

} // namespace zk
