#pragma once
// Helpers of the zkButton tests: a scripted ambient host, a palette whose system colours
// are all different, a fixed font, events delivered as the platform would, pixel helpers.
#include "zk_colors.h"
#include "zk_fakes.h"
#include "zk_host.h"
#include "zk_memory_bag.h"
#include "zkbutton.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

namespace zktest {

// Colours the tests recognise by value.
inline constexpr QRgb kHighlight = 0xFFF0F0A0, kDarkShadow = 0xFF101040, kShadow = 0xFF808020,
                      kFace = 0xFFC0C0C8, kBack = 0xFFD0E0F0, kFore = 0xFF800000, kRed = 0xFFFF0000;
inline constexpr quint32 kBackOle = 0x00F0E0D0, kForeOle = 0x00000080, kRedOle = 0x000000FF;

class FakeHost : public zkAmbientHost {
public:
    QString name = QStringLiteral("zkButton1");
    bool user = true;
    quint32 back = kBackOle;
    bool fillFails = false;

    quint32 backColor() const override { return back; }
    quint32 foreColor() const override { return kForeOle; }
    zkFontRef font() const override { return zkFontRef::create(QStringLiteral("DejaVu Sans"), 9); }
    QString displayName() const override { return name; }
    bool userMode() const override { return user; }
    zkColorAnswer containerFillColor() const override {
        if (fillFails)
            return {0, {438, QStringLiteral("Object doesn't support this property")}};
        return {0x00123456, {}};
    }
};

inline QPalette testPalette() {
    QPalette p;
    p.setColor(QPalette::Light, QColor::fromRgb(kHighlight));
    p.setColor(QPalette::Shadow, QColor::fromRgb(kDarkShadow));
    p.setColor(QPalette::Dark, QColor::fromRgb(kShadow));
    p.setColor(QPalette::Button, QColor::fromRgb(kFace));
    return p;
}

inline void setUp(zkButton* b, const std::shared_ptr<FakeCursor>& cursor) {
    b->setPalette(testPalette());
    b->setCursorSource(cursor);
}

// A button of the given size with the fake host, the test palette and a fixed font.
struct Rig {
    std::shared_ptr<FakeHost> host = std::make_shared<FakeHost>();
    std::shared_ptr<FakeCursor> cursor = std::make_shared<FakeCursor>();
    std::unique_ptr<zkButton> button;

    explicit Rig(int w = 40, int h = 20) {
        button = std::make_unique<zkButton>(nullptr, host);
        setUp(button.get(), cursor);
        button->InitProperties();
        button->resize(w, h);
        button->setCaption(QString());
    }
    zkButton* operator->() const { return button.get(); }
    QRgb px(int x, int y) const { return button->visibleSurface().pixel(x, y); }
    // The first n pixels of row y as letters: L highlight, D dark shadow, S shadow, F face,
    // b background, f foreground, # red, ? anything else.
    QString row(int y, int n) const {
        const std::pair<QRgb, char> letters[] = {
            {kHighlight, 'L'}, {kDarkShadow, 'D'}, {kShadow, 'S'}, {kFace, 'F'},
            {kBack, 'b'},      {kFore, 'f'},       {kRed, '#'}};
        QString out(n, u'?');
        for (int x = 0; x < n; ++x)
            for (const auto& [c, letter] : letters)
                if ((px(x, y) | 0xFF000000u) == c)
                    out[x] = QLatin1Char(letter);
        return out;
    }
};

inline void mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton b = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : b;
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : b,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
inline void clickAt(QWidget* w, QPointF pos) {
    mouse(w, QEvent::MouseButtonPress, pos);
    mouse(w, QEvent::MouseButtonRelease, pos);
}
inline void key(QWidget* w, QEvent::Type type, int k, const QString& text = {}) {
    QKeyEvent e(type, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}
inline void focus(QWidget* w, bool in) {
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

// How many pixels have colour c, and their bounding box.
struct Coverage {
    int count = 0;
    QRect box;
};
inline Coverage coverage(const QImage& img, QRgb c) {
    Coverage out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u)) {
                ++out.count;
                out.box |= QRect(x, y, 1, 1);
            }
    return out;
}

} // namespace zktest
