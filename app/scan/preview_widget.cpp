#include "preview_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace folivo {

using Grip = PreviewGeometry::Grip;

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("preview"));
    setAccessibleName(QStringLiteral("プレビューとスキャン範囲"));
    setAccessibleDescription(
        QStringLiteral("矢印キーで範囲を移動、Shift+矢印キーで範囲の大きさを変えます"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(160, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PreviewWidget::setGlass(const QRectF& glass, double stepX, double stepY) {
    m_geometry.setGlass(glass, stepX, stepY);
    update();
}

void PreviewWidget::setImage(const QImage& image) {
    m_image = image;
    update();
}

void PreviewWidget::setArea(const QRectF& area) {
    if (m_dragging)
        return; // the user's hand wins until the drag ends
    m_area = area.normalized();
    update();
}

void PreviewWidget::resizeEvent(QResizeEvent*) {
    m_geometry.setView(QRectF(rect()).adjusted(4, 4, -4, -4));
}

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    const QRectF glass = m_geometry.glassInView();
    if (m_image.isNull())
        p.fillRect(glass, Qt::white);
    else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(glass, m_image);
    }
    const QRectF area = m_geometry.toView(m_area).normalized();
    // What falls outside the area is dimmed, so the area reads at a glance.
    QPainterPath outside;
    outside.addRect(glass);
    outside.addRect(area);
    p.fillPath(outside, QColor(0, 0, 0, 90));
    const QColor mark = palette().color(QPalette::Highlight);
    p.setPen(QPen(mark, hasFocus() ? 2 : 1, hasFocus() ? Qt::DashLine : Qt::SolidLine));
    p.drawRect(area);
    p.setPen(QPen(mark, 1));
    for (const QRectF& h : m_geometry.handles(m_area))
        p.fillRect(h, mark);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_from = event->position();
    m_startArea = m_area;
    m_grip = m_geometry.gripAt(m_area, m_from);
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        updateCursor(event->position());
        return;
    }
    m_area = m_geometry.dragged(m_grip, m_startArea, m_from, event->position());
    update();
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_area = m_geometry.dragged(m_grip, m_startArea, m_from, event->position());
    m_dragging = false;
    update();
    emit areaChosen(m_area);
}

void PreviewWidget::keyPressEvent(QKeyEvent* event) {
    const auto step = [](int key) -> QPoint {
        switch (key) {
        case Qt::Key_Left:
            return {-1, 0};
        case Qt::Key_Right:
            return {1, 0};
        case Qt::Key_Up:
            return {0, -1};
        case Qt::Key_Down:
            return {0, 1};
        default:
            return {};
        }
    }(event->key());
    if (step.isNull()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool grow = event->modifiers() & Qt::ShiftModifier;
    m_area = m_geometry.nudged(m_area, step.x(), step.y(), grow);
    update();
    emit areaChosen(m_area);
}

void PreviewWidget::updateCursor(const QPointF& pos) {
    // In the order of PreviewGeometry::Grip.
    static constexpr Qt::CursorShape kShapes[] = {
        Qt::CrossCursor,     Qt::SizeAllCursor,  Qt::SizeHorCursor,   Qt::SizeVerCursor,
        Qt::SizeHorCursor,   Qt::SizeVerCursor,  Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
        Qt::SizeBDiagCursor, Qt::SizeFDiagCursor};
    setCursor(kShapes[static_cast<int>(m_geometry.gripAt(m_area, pos))]);
}

} // namespace folivo
