#pragma once
// Where the scan area sits on the preview, without a window: the mapping between widget
// pixels and the device's area unit (millimetres or pixels), the handles of the selected
// rectangle and what a drag does to it.
//
// The glass is the area the device allows (the limits of its tl-x/tl-y/br-x/br-y options),
// drawn in `view` with its proportions kept and centred. Areas are rectangles in device
// units, left/top = tl-x/tl-y, right/bottom = br-x/br-y. Every area this class answers is
// inside the glass, on the device's steps and at least one step wide and high.
#include <QPointF>
#include <QRectF>
#include <array>
#include <utility>

namespace folivo {

class PreviewGeometry {
public:
    enum class Grip {
        None,
        Move,
        Left,
        Top,
        Right,
        Bottom,
        TopLeft,
        TopRight,
        BottomLeft,
        BottomRight
    };
    static constexpr double kGripRadius = 6.0; // widget pixels around a handle or an edge

    void setGlass(const QRectF& glass, double stepX = 0, double stepY = 0);
    void setView(const QRectF& widgetRect);

    const QRectF& glass() const { return m_glass; }
    QRectF glassInView() const { return m_drawn; }
    QPointF toView(const QPointF& unit) const;
    QPointF toUnit(const QPointF& pixel) const;
    QRectF toView(const QRectF& area) const;
    double unitsPerPixel() const;

    // The handle (or the inside) under a widget pixel; None outside the area.
    Grip gripAt(const QRectF& area, const QPointF& pixel) const;
    // The eight handle squares, corners first, in widget pixels.
    std::array<QRectF, 8> handles(const QRectF& area) const;
    // The area after dragging `grip` of `start` from pixel `from` to `to`; None draws a new
    // area between the two points. Dragging an edge past the other turns the area over.
    QRectF dragged(Grip grip, const QRectF& start, const QPointF& from, const QPointF& to) const;
    // The area moved (grow false) or its bottom-right corner moved (grow true) by whole
    // steps, for the keyboard.
    QRectF nudged(const QRectF& area, int dx, int dy, bool grow) const;
    QRectF snapped(const QRectF& area) const;

private:
    static std::pair<double, double> snapSpan(double lo, double hi, double min, double max,
                                              double step, double least);
    double stepX() const;
    double stepY() const;

    QRectF m_glass{0, 0, 1, 1};
    double m_stepX = 0;
    double m_stepY = 0;
    QRectF m_view{0, 0, 1, 1};
    QRectF m_drawn{0, 0, 1, 1};
};

} // namespace folivo
