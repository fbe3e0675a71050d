// Mouse, keyboard, focus, access-key, hover-timer and drag-and-drop handling of zkButton.
#include "zk_accessible.h"
#include "zk_geometry.h"
#include "zk_keys.h"
#include "zk_scale.h"
#include "zkbutton.h"
#include "zkbutton_p.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace {
enum MouseKind { Down, Move, Up };
}

int zkButtonPrivate::toScaleX(int pixels) const {
    return zk::roundHalfEven(zk::pixelsToScale(pixels, props.scaleMode, true, dpi()));
}

int zkButtonPrivate::toScaleY(int pixels) const {
    return zk::roundHalfEven(zk::pixelsToScale(pixels, props.scaleMode, false, dpi()));
}

bool zkButton::isHoverTimerEnabled() const {
    return d->timer->isActive();
}

void zkButton::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void zkButton::hoverTick() {
    if (!d->props.enabled)
        return;
    const QRect window(mapToGlobal(QPoint(0, 0)), size());
    const QPoint cursor = d->cursor->cursorPos();
    d->input.lastX = cursor.x() - window.left();
    d->input.lastY = cursor.y() - window.top();
    const int inside = window.contains(cursor) ? 1 : 0;
    if (inside == d->input.hoverState)
        return;
    d->input.hoverState = inside;
    int b = d->input.lastButton, s = d->input.lastShift, x = d->toScaleX(d->input.lastX),
        y = d->toScaleY(d->input.lastY);
    if (inside) {
        emit MouseIn(b, s, x, y);
        d->redraw(zbsSelect);
    } else {
        emit MouseOut(b, s, x, y);
        d->redraw(zbsNormal);
    }
}

void zkButtonPrivate::mouseNotification(int kind, int b, int s, double fx, double fy) {
    input.lastButton = b;
    input.lastShift = s;
    input.lastX = zk::roundHalfEven(fx);
    input.lastY = zk::roundHalfEven(fy);
    const int X = toScaleX(input.lastX), Y = toScaleY(input.lastY);
    // Each event gets its own copies: a handler's writes are discarded.
    const auto raise = [&](void (zkButton::*signal)(int&, int&, int&, int&)) {
        int cb = b, cs = s, cx = X, cy = Y;
        emit(q->*signal)(cb, cs, cx, cy);
    };
    const bool inside = fx >= 0 && fy >= 0 && fx < q->width() && fy < q->height();
    switch (kind) {
    case Down:
        if (b == 1) {
            timer->stop();
            input.pressed = true;
            redraw(zkButton::zbsPush);
            raise(&zkButton::MouseDown);
        }
        break;
    case Move:
        if (b == 1 && input.pressed) {
            if (!inside) {
                redraw(idleState());
                raise(&zkButton::MouseOut);
            } else {
                redraw(zkButton::zbsPush);
                raise(&zkButton::MouseIn);
            }
        }
        raise(&zkButton::MouseMove);
        break;
    case Up:
        if (b == 1 && input.pressed) {
            redraw(idleState());
            raise(&zkButton::MouseUp);
            if (inside) {
                applyPressResult();
                raise(&zkButton::Click);
            }
            input.pressed = false;
            timer->start();
        }
        break;
    default:
        break;
    }
}

void zkButton::mousePressEvent(QMouseEvent* event) {
    d->mouseNotification(Down, zk::mouseButtons(event->button()),
                         zk::shiftState(event->modifiers()), event->position().x(),
                         event->position().y());
}

void zkButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is an ordinary press.
    mousePressEvent(event);
}

void zkButton::mouseMoveEvent(QMouseEvent* event) {
    d->mouseNotification(Move, zk::mouseButtons(event->buttons()),
                         zk::shiftState(event->modifiers()), event->position().x(),
                         event->position().y());
}

void zkButton::mouseReleaseEvent(QMouseEvent* event) {
    d->mouseNotification(Up, zk::mouseButtons(event->button()), zk::shiftState(event->modifiers()),
                         event->position().x(), event->position().y());
}

void zkButton::keyPressEvent(QKeyEvent* event) {
    int k = zk::virtualKey(event->key());
    int s = zk::shiftState(event->modifiers());
    if (k == 32) {
        d->timer->stop();
        d->input.pressed = true;
        d->redraw(zbsPush);
    }
    emit KeyDown(k, s);
    for (const QChar c : event->text()) {
        int ascii = c.unicode();
        emit KeyPress(ascii);
    }
}

void zkButton::keyReleaseEvent(QKeyEvent* event) {
    // The platform repeats key-down notifications only; a repeat's release is not one.
    if (event->isAutoRepeat())
        return;
    int k = zk::virtualKey(event->key());
    int s = zk::shiftState(event->modifiers());
    if (k == 32 && d->input.pressed) {
        d->redraw(d->idleState());
        d->applyPressResult();
        int b = d->input.lastButton, sh = d->input.lastShift, x = d->toScaleX(d->input.lastX),
            y = d->toScaleY(d->input.lastY);
        emit Click(b, sh, x, y);
        d->input.pressed = false;
        d->timer->start();
    }
    emit KeyUp(k, s);
}

void zkButton::accessKeyPress(int charCode) {
    // These Click events hand over the recorded fields themselves, in surface pixels.
    if ((charCode == 13 && d->props.isDefault) || (charCode == 27 && d->props.cancel))
        emit Click(d->input.lastButton, d->input.lastShift, d->input.lastX, d->input.lastY);
    if (d->accessKeys.toUpper() == QString(QChar(charCode)).toUpper())
        emit Click(d->input.lastButton, d->input.lastShift, d->input.lastX, d->input.lastY);
}

void zkButtonPrivate::applyPressResult() {
    if (props.style == zkButton::zbbCheck) {
        props.value = static_cast<zkButton::ValueEnum>(1 - props.value);
        redraw(idleState());
        zk::announceChecked(q);
    } else if (props.style == zkButton::zbbOption && props.value == zkButton::zbvOff) {
        props.value = zkButton::zbvOn;
        redraw(idleState());
        zk::announceChecked(q);
        clearOptionGroup();
    }
}

void zkButton::performPress() {
    d->applyPressResult();
    int b = d->input.lastButton, s = d->input.lastShift, x = d->toScaleX(d->input.lastX),
        y = d->toScaleY(d->input.lastY);
    emit Click(b, s, x, y);
}

void zkButtonPrivate::clearOptionGroup() {
    QWidget* container = q->parentWidget();
    if (!container)
        return;
    // Every zkButton of the form whose container is this button's container.
    for (zkButton* other : q->window()->findChildren<zkButton*>()) {
        if (other != q && other->parentWidget() == container &&
            other->buttonStyle() == zkButton::zbbOption)
            other->setValue(zkButton::zbvOff);
    }
}

void zkButton::focusInEvent(QFocusEvent*) {
    d->input.hasFocus = true;
    zk::announceFocus(this);
    if (d->props.showFocusRect)
        d->redraw(d->input.pressed ? zbsPush : d->idleState());
}

void zkButton::focusOutEvent(QFocusEvent*) {
    if (d->input.pressed) {
        d->input.pressed = false;
        d->input.lastButton = 0;
        d->redraw(d->idleState());
        d->timer->start();
    }
    d->input.hasFocus = false;
    if (d->props.showFocusRect)
        d->redraw(d->idleState());
}

void zkButton::changeEvent(QEvent* event) {
    // System colours follow the palette, so a new palette repaints the face.
    if (event->type() == QEvent::PaletteChange)
        d->redraw(d->idleState());
    QWidget::changeEvent(event);
}
