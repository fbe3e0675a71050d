// Redraw and the surface plumbing of zkButton.
#include "zk_colors.h"
#include "zk_geometry.h"
#include "zk_raster.h"
#include "zkbutton.h"
#include "zkbutton_face.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace {
// Clears the redraw guard however Redraw leaves.
class GuardScope {
public:
    explicit GuardScope(bool& guard) : m_guard(guard) { m_guard = true; }
    ~GuardScope() { m_guard = false; }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

private:
    bool& m_guard;
};
} // namespace

QColor zkButton::resolveColor(quint32 oleColor) const {
    return zkResolveColor(oleColor, palette());
}

void zkButton::followSize() {
    // A hidden widget gets its resize event only when shown; the surfaces follow the
    // widget's size at once anyway.
    if (m_buffer.size() == size())
        return;
    m_buffer = QImage(size(), QImage::Format_RGB32);
    m_buffer.fill(resolveColor(m_backColor));
    m_surface = m_buffer;
}

void zkButton::Redraw(int state) {
    if (m_redrawGuard)
        return;
    const GuardScope guard(m_redrawGuard);
    followSize();
    m_buffer.fill(resolveColor(m_backColor));
    if (m_ownerDraw) {
        emit OwnerDraw();
        return;
    }
    if (m_font)
        m_bufferFont = m_font->toQFont(dpi());
    if (state < 0)
        state = zbsNormal;
    zkButtonFace face(*this);
    face.caption(state);
    face.picture(state);
    face.border(state);
    if (m_showFocusRect && m_hasFocus == 1) {
        const int W = m_buffer.width(), H = m_buffer.height(), margin = m_focusRectMargin;
        // In double: a margin near the int limits must not overflow the subtraction.
        zk::raster::invertFocusRect(m_buffer, margin, margin,
                                    zk::roundHalfEven(static_cast<double>(W) - margin),
                                    zk::roundHalfEven(static_cast<double>(H) - margin));
    }
    copyBufferToSurface();
}

void zkButton::DrawDefaultBorder(int nMode) {
    followSize();
    zkButtonFace(*this).border(nMode);
}

void zkButton::DrawDefaultCaption(int nMode) {
    followSize();
    if (m_font)
        m_bufferFont = m_font->toQFont(dpi());
    zkButtonFace(*this).caption(nMode);
}

bool zkButton::DrawDefaultPicture(int nMode) {
    followSize();
    return zkButtonFace(*this).picture(nMode);
}

void zkButton::copyBufferToSurface() {
    m_surface = m_buffer;
    ++m_copyCount;
    presentSurface();
}

void zkButton::presentSurface() {
    // A hidden widget shows nothing: its first platform paint must stay the platform's.
    if (m_inPaint || !isVisible())
        return;
    m_selfUpdatePending = true;
    update();
}

void zkButton::paintEvent(QPaintEvent*) {
    m_inPaint = true;
    // An update we asked for only shows the surface; any other paint request is the
    // platform's, which repaints the face.
    if (m_platformPaintDue || !m_selfUpdatePending) {
        m_platformPaintDue = false;
        emit Paint();
        Redraw(idleState());
    }
    m_selfUpdatePending = false;
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
    m_inPaint = false;
}

void zkButton::showEvent(QShowEvent*) {
    // Showing exposes the window: its first paint is the platform's, whatever updates of
    // our own are already queued.
    m_platformPaintDue = true;
    // Without a load nothing has started the hover timer yet: a running program's button
    // follows the pointer from its first show, whoever made it.
    if (!m_hoverArmed && m_pressed == 0 && m_host->userMode()) {
        m_hoverArmed = true;
        m_timer->start();
    }
}

void zkButton::resizeEvent(QResizeEvent*) {
    followSize();
    Redraw(idleState());
}
