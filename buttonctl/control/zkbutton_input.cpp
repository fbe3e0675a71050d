// Mouse, keyboard, focus, access-key, hover-timer and drag-and-drop handling of zkButton.
#include "zk_accessible.h"
#include "zk_geometry.h"
#include "zk_keys.h"
#include "zk_scale.h"
#include "zkbutton.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace {
enum MouseKind { Down, Move, Up };
}

int zkButton::toScaleX(int pixels) const {
    return zk::roundHalfEven(zk::pixelsToScale(pixels, m_scaleMode, true, dpi()));
}

int zkButton::toScaleY(int pixels) const {
    return zk::roundHalfEven(zk::pixelsToScale(pixels, m_scaleMode, false, dpi()));
}

bool zkButton::isHoverTimerEnabled() const {
    return m_timer->isActive();
}

void zkButton::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void zkButton::hoverTick() {
    if (!m_enabled)
        return;
    const QRect window(mapToGlobal(QPoint(0, 0)), size());
    const QPoint cursor = m_cursor->cursorPos();
    m_lastX = cursor.x() - window.left();
    m_lastY = cursor.y() - window.top();
    const int inside = window.contains(cursor) ? 1 : 0;
    if (inside == m_hoverState)
        return;
    m_hoverState = inside;
    int b = m_lastButton, s = m_lastShift, x = toScaleX(m_lastX), y = toScaleY(m_lastY);
    if (inside) {
        emit MouseIn(b, s, x, y);
        Redraw(zbsSelect);
    } else {
        emit MouseOut(b, s, x, y);
        Redraw(zbsNormal);
    }
}

void zkButton::mouseNotification(int kind, int b, int s, double fx, double fy) {
    m_lastButton = b;
    m_lastShift = s;
    m_lastX = zk::roundHalfEven(fx);
    m_lastY = zk::roundHalfEven(fy);
    const int X = toScaleX(m_lastX), Y = toScaleY(m_lastY);
    // Each event gets its own copies: a handler's writes are discarded.
    const auto raise = [&](void (zkButton::*signal)(int&, int&, int&, int&)) {
        int cb = b, cs = s, cx = X, cy = Y;
        emit(this->*signal)(cb, cs, cx, cy);
    };
    const bool inside = fx >= 0 && fy >= 0 && fx < width() && fy < height();
    switch (kind) {
    case Down:
        if (b == 1) {
            m_timer->stop();
            m_pressed = 1;
            Redraw(zbsPush);
            raise(&zkButton::MouseDown);
        }
        break;
    case Move:
        if (b == 1 && m_pressed == 1) {
            if (!inside) {
                Redraw(idleState());
                raise(&zkButton::MouseOut);
            } else {
                Redraw(zbsPush);
                raise(&zkButton::MouseIn);
            }
        }
        raise(&zkButton::MouseMove);
        break;
    case Up:
        if (b == 1 && m_pressed == 1) {
            Redraw(idleState());
            raise(&zkButton::MouseUp);
            if (inside) {
                applyPressResult();
                raise(&zkButton::Click);
            }
            m_pressed = 0;
            m_timer->start();
        }
        break;
    default:
        break;
    }
}

void zkButton::mousePressEvent(QMouseEvent* event) {
    mouseNotification(Down, zk::mouseButtons(event->button()), zk::shiftState(event->modifiers()),
                      event->position().x(), event->position().y());
}

void zkButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is an ordinary press.
    mousePressEvent(event);
}

void zkButton::mouseMoveEvent(QMouseEvent* event) {
    mouseNotification(Move, zk::mouseButtons(event->buttons()), zk::shiftState(event->modifiers()),
                      event->position().x(), event->position().y());
}

void zkButton::mouseReleaseEvent(QMouseEvent* event) {
    mouseNotification(Up, zk::mouseButtons(event->button()), zk::shiftState(event->modifiers()),
                      event->position().x(), event->position().y());
}

void zkButton::keyPressEvent(QKeyEvent* event) {
    int k = zk::virtualKey(event->key());
    int s = zk::shiftState(event->modifiers());
    if (k == 32) {
        m_timer->stop();
        m_pressed = 1;
        Redraw(zbsPush);
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
    if (k == 32 && m_pressed == 1) {
        Redraw(idleState());
        applyPressResult();
        int b = m_lastButton, sh = m_lastShift, x = toScaleX(m_lastX), y = toScaleY(m_lastY);
        emit Click(b, sh, x, y);
        m_pressed = 0;
        m_timer->start();
    }
    emit KeyUp(k, s);
}

void zkButton::accessKeyPress(int charCode) {
    // These Click events hand over the recorded fields themselves, in surface pixels.
    if ((charCode == 13 && m_default) || (charCode == 27 && m_cancel))
        emit Click(m_lastButton, m_lastShift, m_lastX, m_lastY);
    if (m_accessKeys.toUpper() == QString(QChar(charCode)).toUpper())
        emit Click(m_lastButton, m_lastShift, m_lastX, m_lastY);
}

void zkButton::applyPressResult() {
    if (m_style == zbbCheck) {
        m_value = static_cast<ValueEnum>(1 - m_value);
        Redraw(idleState());
        zk::announceChecked(this);
    } else if (m_style == zbbOption && m_value == zbvOff) {
        m_value = zbvOn;
        Redraw(idleState());
        zk::announceChecked(this);
        clearOptionGroup();
    }
}

void zkButton::performPress() {
    applyPressResult();
    int b = m_lastButton, s = m_lastShift, x = toScaleX(m_lastX), y = toScaleY(m_lastY);
    emit Click(b, s, x, y);
}

void zkButton::clearOptionGroup() {
    QWidget* container = parentWidget();
    if (!container)
        return;
    // Every zkButton of the form whose container is this button's container.
    for (zkButton* other : window()->findChildren<zkButton*>()) {
        if (other != this && other->parentWidget() == container &&
            other->buttonStyle() == zbbOption)
            other->setValue(zbvOff);
    }
}

void zkButton::focusInEvent(QFocusEvent*) {
    m_hasFocus = 1;
    zk::announceFocus(this);
    if (m_showFocusRect)
        Redraw(m_pressed ? zbsPush : idleState());
}

void zkButton::focusOutEvent(QFocusEvent*) {
    if (m_pressed == 1) {
        m_pressed = 0;
        m_lastButton = 0;
        Redraw(idleState());
        m_timer->start();
    }
    m_hasFocus = 0;
    if (m_showFocusRect)
        Redraw(idleState());
}

void zkButton::changeEvent(QEvent* event) {
    // System colours follow the palette, so a new palette repaints the face.
    if (event->type() == QEvent::PaletteChange)
        Redraw(idleState());
    QWidget::changeEvent(event);
}
