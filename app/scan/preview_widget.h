#pragma once
// The glass with the last preview scan on it and the scan area as a rectangle with eight
// handles. Drag inside the area to move it, a handle or an edge to resize it, elsewhere to
// draw a new one; with the keyboard, arrow keys move it by one step and Shift+arrow keys
// move its bottom-right corner. areaChosen() reports the area in device units once a drag
// or a key press is done; setArea() only shows what the device holds.
#include "preview_geometry.h"

#include <QImage>
#include <QWidget>

namespace folivo {

class PreviewWidget final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    void setGlass(const QRectF& glass, double stepX, double stepY);
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    void setArea(const QRectF& area);
    const QRectF& area() const { return m_area; }
    const PreviewGeometry& geometry() const { return m_geometry; }
    QSize sizeHint() const override { return {320, 320}; }

signals:
    void areaChosen(const QRectF& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateCursor(const QPointF& pos);

    PreviewGeometry m_geometry;
    QImage m_image;
    QRectF m_area;
    bool m_dragging = false;
    PreviewGeometry::Grip m_grip = PreviewGeometry::Grip::None;
    QRectF m_startArea;
    QPointF m_from;
};

} // namespace folivo
