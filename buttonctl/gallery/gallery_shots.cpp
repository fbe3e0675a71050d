#include "gallery_shots.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QMouseEvent>

namespace gallery {

namespace {
// The cursor the hover timer reads, placed inside the button for the hover pose.
class FixedCursor : public zkCursorSource {
public:
    explicit FixedCursor(QPoint p) : m_p(p) {}
    QPoint cursorPos() const override { return m_p; }

private:
    QPoint m_p;
};
} // namespace

zkPictureRef samplePicture(QRgb colour) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    for (int i = 0; i < 16; ++i)
        image.setPixel(i, 15 - i, 0xFFFFFFFF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, 0xFFFF00FF);
    return zkPictureRef::create(image);
}

QImage shoot(const Look& look, Pose pose) {
    zkButton button;
    button.resize(look.size);
    button.setButtonStyle(look.style);
    button.setAppearance(look.appearance);
    button.setValue(look.value);
    button.setCaptionAlign(zkButton::CaptionAlignEnum(look.captionAlign));
    button.setPictureAlign(zkButton::PictureAlignEnum(look.pictureAlign));
    button.setPicture(samplePicture(0xFF2E6FD0));
    button.setDownPicture(samplePicture(0xFF2EA040));
    button.setSelectPicture(samplePicture(0xFFD08020));
    button.setUseMaskColor(true);
    button.setCaption(look.caption);
    switch (pose) {
    case Pose::Hover:
        button.setCursorSource(std::make_shared<FixedCursor>(button.mapToGlobal(QPoint(4, 4))));
        button.hoverTick();
        break;
    case Pose::Pushed: {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4),
                          button.mapToGlobal(QPointF(4, 4)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &press);
        break;
    }
    case Pose::Focused: {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&button, &in);
        break;
    }
    case Pose::Disabled:
        button.setButtonEnabled(false);
        break;
    case Pose::Normal:
        break;
    }
    return button.visibleSurface().copy();
}

QString poseName(Pose pose) {
    switch (pose) {
    case Pose::Normal:
        return QStringLiteral("normal");
    case Pose::Hover:
        return QStringLiteral("pointer over");
    case Pose::Pushed:
        return QStringLiteral("pushed");
    case Pose::Focused:
        return QStringLiteral("focused");
    case Pose::Disabled:
        return QStringLiteral("disabled");
    }
    return {};
}

} // namespace gallery
