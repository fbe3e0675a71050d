#pragma once
// Delivers surface notifications to a widget directly, as the platform would.
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zktest {

inline void mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                  Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, mods);
    QCoreApplication::sendEvent(w, &e);
}
inline void press(QWidget* w, QPointF pos, Qt::MouseButton b = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonPress, pos, b, b);
}
inline void move(QWidget* w, QPointF pos, Qt::MouseButtons held = Qt::LeftButton) {
    mouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}
inline void release(QWidget* w, QPointF pos, Qt::MouseButton b = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton);
}
inline void key(QWidget* w, QEvent::Type type, int k, const QString& text = {},
                bool autoRepeat = false) {
    QKeyEvent e(type, k, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(w, &e);
}
inline void focus(QWidget* w, bool in) {
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace zktest
