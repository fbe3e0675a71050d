#pragma once
// Hands a zkButton's events to the program. The button's class is not linked, so its
// signals are connected by their published signatures through Qt's meta-object system.
//
// - Click runs onClick, MouseMove runs onMouseMove; the events' arguments are not used.
// - When the window switches the button's widget on or off (QWidget::setEnabled), the
//   relay sets the control's own "Enabled" property to match, so the control draws its
//   disabled picture and its state reads back correctly.
// The relay is a child of the button and dies with it.
#include <QObject>
#include <functional>

class QWidget;

namespace folivo {

class ButtonRelay : public QObject {
    Q_OBJECT
public:
    ButtonRelay(QWidget* button, std::function<void()> onClick, std::function<void()> onMouseMove);
    // False when the control lacks one of the two events.
    bool isConnected() const { return m_connected; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void click(int& button, int& shift, int& x, int& y);
    void mouseMove(int& button, int& shift, int& x, int& y);

private:
    QWidget* m_button;
    std::function<void()> m_onClick;
    std::function<void()> m_onMouseMove;
    bool m_connected = false;
};

} // namespace folivo
