#include "button_relay.h"

#include <QEvent>
#include <QWidget>

namespace folivo {

ButtonRelay::ButtonRelay(QWidget* button, std::function<void()> onClick,
                         std::function<void()> onMouseMove)
    : QObject(button), m_button(button), m_onClick(std::move(onClick)),
      m_onMouseMove(std::move(onMouseMove)) {
    const bool click = connect(button, SIGNAL(Click(int&, int&, int&, int&)), this,
                               SLOT(click(int&, int&, int&, int&)));
    const bool move = connect(button, SIGNAL(MouseMove(int&, int&, int&, int&)), this,
                              SLOT(mouseMove(int&, int&, int&, int&)));
    m_connected = click && move;
    button->installEventFilter(this);
}

bool ButtonRelay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_button && event->type() == QEvent::EnabledChange) {
        // The widget's own switch, not one inherited from a disabled parent.
        const bool enabled = !m_button->testAttribute(Qt::WA_ForceDisabled);
        if (m_button->property("Enabled").toBool() != enabled)
            m_button->setProperty("Enabled", enabled);
    }
    return QObject::eventFilter(watched, event);
}

void ButtonRelay::click(int&, int&, int&, int&) {
    if (m_onClick)
        m_onClick();
}

void ButtonRelay::mouseMove(int&, int&, int&, int&) {
    if (m_onMouseMove)
        m_onMouseMove();
}

} // namespace folivo
