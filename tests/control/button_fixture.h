#pragma once
// Helpers of the zkButton tests: a scripted ambient host, a palette whose system colours
// are all different, a fixed font, and pixel helpers.
#include "zk_colors.h"
#include "zk_host.h"
#include "zk_memory_bag.h"
#include "zk_fakes.h"
#include "zkbutton.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QStringList>
#include <memory>

namespace zktest {

// Colours the tests recognise by value.
inline constexpr QRgb kHighlight = 0xFFF0F0A0, kDarkShadow = 0xFF101040, kShadow = 0xFF808020,
                      kFace = 0xFFC0C0C8;
inline constexpr quint32 kBackOle = 0x00F0E0D0; // RGB D0,E0,F0
inline constexpr quint32 kForeOle = 0x00000080; // RGB 80,00,00
inline constexpr QRgb kBack = 0xFFD0E0F0, kFore = 0xFF800000;

class FakeHost : public zkAmbientHost {
public:
    quint32 back = kBackOle;
    quint32 fore = kForeOle;
    QString fontName = QStringLiteral("DejaVu Sans");
    double fontSize = 9;
    QString name = QStringLiteral("zkButton1");
    bool user = true;
    quint32 fill = 0x00123456;
    bool fillFails = false;

    quint32 backColor() const override { return back; }
    quint32 foreColor() const override { return fore; }
    zkFontRef font() const override { return zkFontRef::create(fontName, fontSize); }
    QString displayName() const override { return name; }
    bool userMode() const override { return user; }
    zkColorAnswer containerFillColor() const override {
        if (fillFails)
            return {0, {438, QStringLiteral("Object doesn't support this property")}};
        return {fill, {}};
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

// A button of the given size with the fake host, the test palette and a fixed font,
// loaded from an empty bag (so hover state is -1 and the timer runs).
struct Rig {
    std::shared_ptr<FakeHost> host = std::make_shared<FakeHost>();
    std::shared_ptr<FakeCursor> cursor = std::make_shared<FakeCursor>();
    std::unique_ptr<zkButton> button;

    explicit Rig(int w = 40, int h = 20, QWidget* parent = nullptr) {
        button = std::make_unique<zkButton>(parent, host);
        button->setPalette(testPalette());
        button->setCursorSource(cursor);
        button->InitProperties();
        button->resize(w, h);
        button->setCaption(QString());
    }
    zkButton* operator->() const { return button.get(); }
    QRgb px(int x, int y) const { return button->visibleSurface().pixel(x, y); }
    // Rows of the surface as letters: L highlight, D dark shadow, S shadow, F face,
    // b background, f foreground, ? anything else.
    QStringList rows() const;
};

inline char letterOf(QRgb c) {
    switch (c | 0xFF000000u) {
    case kHighlight:
        return 'L';
    case kDarkShadow:
        return 'D';
    case kShadow:
        return 'S';
    case kFace:
        return 'F';
    case kBack:
        return 'b';
    case kFore:
        return 'f';
    default:
        return '?';
    }
}

inline QStringList Rig::rows() const {
    QStringList out;
    const QImage& img = button->visibleSurface();
    for (int y = 0; y < img.height(); ++y) {
        QString row;
        for (int x = 0; x < img.width(); ++x)
            row.append(QLatin1Char(letterOf(img.pixel(x, y))));
        out.append(row);
    }
    return out;
}

// The pixels a text leaves when drawn at (0, 0) in `font` (no antialiasing).
inline QList<QPoint> inkOf(const QString& text, const QFont& font) {
    QImage img(400, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, 400, 100), Qt::AlignLeft | Qt::AlignTop, text);
    }
    QList<QPoint> ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != 0xFFFFFFFFu)
                ink.append({x, y});
    return ink;
}

// Every offset at which all ink pixels have colour `c` in the image.
inline QList<QPoint> locate(const QImage& img, const QList<QPoint>& ink, QRgb c) {
    QList<QPoint> hits;
    for (int oy = -20; oy < img.height(); ++oy) {
        for (int ox = -20; ox < img.width(); ++ox) {
            bool all = !ink.isEmpty();
            for (const QPoint& p : ink) {
                const int x = ox + p.x(), y = oy + p.y();
                if (x < 0 || y < 0 || x >= img.width() || y >= img.height() ||
                    (img.pixel(x, y) | 0xFF000000u) != (c | 0xFF000000u)) {
                    all = false;
                    break;
                }
            }
            if (all)
                hits.append({ox, oy});
        }
    }
    return hits;
}

// Bounding box of the pixels of colour c.
inline QRect boxOf(const QImage& img, QRgb c) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u))
                box |= QRect(x, y, 1, 1);
    return box;
}

inline int countOf(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u);
    return n;
}

} // namespace zktest
