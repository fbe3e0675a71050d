// Redraw and the surface plumbing of zkButton.
#include "zk_colors.h"
#include "zk_geometry.h"
#include "zk_raster.h"
#include "zkbutton.h"
#include "zkbutton_face.h"
#include "zkbutton_p.h"

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

void zkButtonPrivate::followSize() {
    // A hidden widget gets its resize event only when shown; the surfaces follow the
    // widget's size at once anyway.
    if (canvas.buffer.size() == q->size())
        return;
    canvas.buffer = QImage(q->size(), QImage::Format_RGB32);
    canvas.buffer.fill(q->resolveColor(props.backColor));
    canvas.surface = canvas.buffer;
}

void zkButtonPrivate::redraw(int state) {
    if (canvas.redrawGuard)
        return;
    const GuardScope guard(canvas.redrawGuard);
    followSize();
    canvas.buffer.fill(q->resolveColor(props.backColor));
    if (props.ownerDraw) {
        emit q->OwnerDraw();
        return;
    }
    if (props.font)
        canvas.bufferFont = props.font->toQFont(dpi());
    if (state < 0)
        state = zkButton::zbsNormal;
    zkButtonFace face(*this);
    face.caption(state);
    face.picture(state);
    face.border(state);
    if (props.showFocusRect && input.hasFocus) {
        const int W = canvas.buffer.width(), H = canvas.buffer.height(),
                  margin = props.focusRectMargin;
        // In double: a margin near the int limits must not overflow the subtraction.
        zk::raster::invertFocusRect(canvas.buffer, margin, margin,
                                    zk::roundHalfEven(static_cast<double>(W) - margin),
                                    zk::roundHalfEven(static_cast<double>(H) - margin));
    }
    copyBufferToSurface();
}

void zkButton::DrawDefaultBorder(int nMode) {
    d->followSize();
    zkButtonFace(*d).border(nMode);
}

void zkButton::DrawDefaultCaption(int nMode) {
    d->followSize();
    if (d->props.font)
        d->canvas.bufferFont = d->props.font->toQFont(d->dpi());
    zkButtonFace(*d).caption(nMode);
}

bool zkButton::DrawDefaultPicture(int nMode) {
    d->followSize();
    return zkButtonFace(*d).picture(nMode);
}

void zkButtonPrivate::copyBufferToSurface() {
    canvas.surface = canvas.buffer;
    ++canvas.copyCount;
    presentSurface();
}

void zkButtonPrivate::presentSurface() {
    // A hidden widget shows nothing: its first platform paint must stay the platform's.
    if (canvas.inPaint || !q->isVisible())
        return;
    canvas.selfUpdatePending = true;
    q->update();
}

void zkButton::paintEvent(QPaintEvent*) {
    d->canvas.inPaint = true;
    // An update we asked for only shows the surface; any other paint request is the
    // platform's, which repaints the face.
    if (d->canvas.platformPaintDue || !d->canvas.selfUpdatePending) {
        d->canvas.platformPaintDue = false;
        emit Paint();
        d->redraw(d->idleState());
    }
    d->canvas.selfUpdatePending = false;
    QPainter painter(this);
    painter.drawImage(0, 0, d->canvas.surface);
    d->canvas.inPaint = false;
}

void zkButton::showEvent(QShowEvent*) {
    // Showing exposes the window: its first paint is the platform's, whatever updates of
    // our own are already queued.
    d->canvas.platformPaintDue = true;
    // Without a load nothing has started the hover timer yet: a running program's button
    // follows the pointer from its first show, whoever made it.
    if (!d->input.hoverArmed && !d->input.pressed && d->host->userMode()) {
        d->input.hoverArmed = true;
        d->timer->start();
    }
}

void zkButton::resizeEvent(QResizeEvent*) {
    d->followSize();
    d->redraw(d->idleState());
}
