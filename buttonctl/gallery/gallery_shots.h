#pragma once
// Snapshots of zkButton faces in states a person cannot hold still (pushed, hovered,
// focused): an off-screen button is driven into the state and its surface is copied.
#include "zkbutton.h"

#include <QImage>
#include <QString>

namespace gallery {

enum class Pose { Normal, Hover, Pushed, Focused, Disabled };

struct Look {
    zkButton::StyleEnum style = zkButton::zbbButton;
    zkButton::AppearanceEnum appearance = zkButton::zba3D;
    zkButton::ValueEnum value = zkButton::zbvOff;
    int captionAlign = zkButton::zbcCenter;
    int pictureAlign = zkButton::zbpCaptionBottom;
    QString caption = QStringLiteral("&Scan");
    QSize size{88, 52};
};

// A small picture in the given colour with a magenta corner (shown through UseMaskColor).
zkPictureRef samplePicture(QRgb colour);
QImage shoot(const Look& look, Pose pose);
QString poseName(Pose pose);

} // namespace gallery
