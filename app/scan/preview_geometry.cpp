#include "preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace folivo {

void PreviewGeometry::setGlass(const QRectF& glass, double stepX, double stepY) {
    m_glass = glass.normalized();
    m_stepX = stepX;
    m_stepY = stepY;
    setView(m_view);
}

void PreviewGeometry::setView(const QRectF& widgetRect) {
    m_view = widgetRect;
    if (m_glass.isEmpty() || widgetRect.isEmpty()) {
        m_drawn = widgetRect;
        return;
    }
    const double scale =
        std::min(widgetRect.width() / m_glass.width(), widgetRect.height() / m_glass.height());
    QRectF drawn(0, 0, m_glass.width() * scale, m_glass.height() * scale);
    drawn.moveCenter(widgetRect.center());
    m_drawn = drawn;
}

double PreviewGeometry::unitsPerPixel() const {
    return m_drawn.width() > 0 ? m_glass.width() / m_drawn.width() : 0;
}

QPointF PreviewGeometry::toView(const QPointF& unit) const {
    if (m_glass.isEmpty())
        return m_drawn.topLeft();
    return {m_drawn.left() + (unit.x() - m_glass.left()) / m_glass.width() * m_drawn.width(),
            m_drawn.top() + (unit.y() - m_glass.top()) / m_glass.height() * m_drawn.height()};
}

QPointF PreviewGeometry::toUnit(const QPointF& pixel) const {
    if (m_drawn.isEmpty())
        return m_glass.topLeft();
    return {m_glass.left() + (pixel.x() - m_drawn.left()) / m_drawn.width() * m_glass.width(),
            m_glass.top() + (pixel.y() - m_drawn.top()) / m_drawn.height() * m_glass.height()};
}

QRectF PreviewGeometry::toView(const QRectF& area) const {
    return QRectF(toView(area.topLeft()), toView(area.bottomRight()));
}

std::array<QRectF, 8> PreviewGeometry::handles(const QRectF& area) const {
    const QRectF r = toView(area);
    const double s = kGripRadius;
    const auto at = [s](QPointF p) { return QRectF(p.x() - s / 2, p.y() - s / 2, s, s); };
    const QPointF mid = r.center();
    return {at(r.topLeft()),           at(r.topRight()),       at(r.bottomLeft()),
            at(r.bottomRight()),       at({mid.x(), r.top()}), at({r.right(), mid.y()}),
            at({mid.x(), r.bottom()}), at({r.left(), mid.y()})};
}

PreviewGeometry::Grip PreviewGeometry::gripAt(const QRectF& area, const QPointF& p) const {
    const QRectF r = toView(area);
    const double g = kGripRadius;
    if (!r.adjusted(-g, -g, g, g).contains(p))
        return Grip::None;
    const bool left = std::abs(p.x() - r.left()) <= g;
    const bool right = !left && std::abs(p.x() - r.right()) <= g;
    const bool top = std::abs(p.y() - r.top()) <= g;
    const bool bottom = !top && std::abs(p.y() - r.bottom()) <= g;
    if (top)
        return left ? Grip::TopLeft : right ? Grip::TopRight : Grip::Top;
    if (bottom)
        return left ? Grip::BottomLeft : right ? Grip::BottomRight : Grip::Bottom;
    return left ? Grip::Left : right ? Grip::Right : Grip::Move;
}

QRectF PreviewGeometry::dragged(Grip grip, const QRectF& start, const QPointF& from,
                                const QPointF& to) const {
    const QPointF d = toUnit(to) - toUnit(from);
    if (grip == Grip::None)
        return snapped(QRectF(toUnit(from), toUnit(to)));
    if (grip == Grip::Move) {
        // The whole area moves and stops at the glass's edges without shrinking.
        const double dx =
            std::clamp(d.x(), m_glass.left() - start.left(), m_glass.right() - start.right());
        const double dy =
            std::clamp(d.y(), m_glass.top() - start.top(), m_glass.bottom() - start.bottom());
        return snapped(start.translated(dx, dy));
    }
    // The edges each handle moves (left, top, right, bottom), in the order of Grip.
    static constexpr bool kMoves[][4] = {{},           {},           {1, 0, 0, 0}, {0, 1, 0, 0},
                                         {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 1, 0, 0}, {0, 1, 1, 0},
                                         {1, 0, 0, 1}, {0, 0, 1, 1}};
    const bool* m = kMoves[static_cast<int>(grip)];
    const double l = start.left() + (m[0] ? d.x() : 0), t = start.top() + (m[1] ? d.y() : 0);
    const double r = start.right() + (m[2] ? d.x() : 0), b = start.bottom() + (m[3] ? d.y() : 0);
    return snapped(QRectF(QPointF(l, t), QPointF(r, b)));
}

QRectF PreviewGeometry::nudged(const QRectF& area, int dx, int dy, bool grow) const {
    const double mx = dx * stepX();
    const double my = dy * stepY();
    if (grow)
        return snapped(area.adjusted(0, 0, mx, my));
    return dragged(Grip::Move, area, toView(area.topLeft()),
                   toView(area.topLeft() + QPointF(mx, my)));
}

double PreviewGeometry::stepX() const {
    return m_stepX > 0 ? m_stepX : m_glass.width() / 1000;
}

double PreviewGeometry::stepY() const {
    return m_stepY > 0 ? m_stepY : m_glass.height() / 1000;
}

// One side of an area on the device's steps, inside [min, max] and at least `least` long.
std::pair<double, double> PreviewGeometry::snapSpan(double lo, double hi, double min, double max,
                                                    double step, double least) {
    const auto snap = [&](double v) {
        v = std::clamp(v, min, max);
        return step > 0 ? std::min(max, min + std::round((v - min) / step) * step) : v;
    };
    lo = snap(lo);
    hi = snap(hi);
    if (hi - lo < least) {
        hi = std::min(max, lo + least);
        lo = hi - least;
    }
    return {lo, hi};
}

QRectF PreviewGeometry::snapped(const QRectF& area) const {
    const QRectF n = area.normalized();
    const auto [l, r] =
        snapSpan(n.left(), n.right(), m_glass.left(), m_glass.right(), m_stepX, stepX());
    const auto [t, b] =
        snapSpan(n.top(), n.bottom(), m_glass.top(), m_glass.bottom(), m_stepY, stepY());
    return QRectF(QPointF(l, t), QPointF(r, b));
}

} // namespace folivo
