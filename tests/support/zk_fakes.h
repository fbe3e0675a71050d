#pragma once
// Doubles shared by the zkButton tests: a driven cursor and solid pictures.
#include "zk_host.h"

#include <QImage>

namespace zktest {

class FakeCursor : public zkCursorSource {
public:
    QPoint pos{-1000, -1000};
    QPoint cursorPos() const override { return pos; }
};

inline zkPictureRef solidPicture(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return zkPictureRef::create(img);
}

} // namespace zktest
