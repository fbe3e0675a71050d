// Prints how long zkButton takes to compose and show its face: a full redraw (caption,
// masked picture, border, four surface copies) of a toolbar-sized and a
// larger button, and a save and a load through an in-memory bag.
#include "zk_memory_bag.h"
#include "zkbutton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {
zkPictureRef picture() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(0xFF2E6FD0);
    image.setPixel(0, 0, 0xFFFF00FF);
    return zkPictureRef::create(image);
}

double perCall(int n, const std::function<void(int)>& body) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i)
        body(i);
    return static_cast<double>(timer.nsecsElapsed()) / n / 1000.0;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const QSize size : {QSize(25, 25), QSize(120, 40)}) {
        zkButton button;
        button.resize(size);
        button.setPicture(picture());
        button.setUseMaskColor(true);
        button.setCaption(QStringLiteral("&Scan"));
        const int n = 5000;
        const double us =
            perCall(n, [&](int i) { button.setCaptionAlign(zkButton::CaptionAlignEnum(i % 9)); });
        std::printf("redraw %dx%d: %.1f us per property change (%d copies)\n", size.width(),
                    size.height(), us, button.surfaceCopyCount());
    }
    zkButton button;
    button.resize(25, 25);
    zkMemoryPropertyBag bag;
    button.setCaption(QStringLiteral("x"));
    const double save = perCall(2000, [&](int) { button.WriteProperties(bag); });
    const double load = perCall(2000, [&](int) { button.ReadProperties(bag); });
    std::printf("save %.1f us, load (with redraw) %.1f us\n", save, load);
    return 0;
}
