// The accessible interface of zkButton: button, check box or radio button by Style; named
// by the display caption or, when empty, the tooltip; the tooltip as description; checked
// state from Value; a press action that clicks.
#include "zkbutton.h"

#include <QAccessibleWidget>

namespace {
class zkButtonAccessible : public QAccessibleWidget {
public:
    explicit zkButtonAccessible(zkButton* b) : QAccessibleWidget(b, QAccessible::Button) {}

    QAccessible::Role role() const override {
        switch (button()->buttonStyle()) {
        case zkButton::zbbCheck:
            return QAccessible::CheckBox;
        case zkButton::zbbOption:
            return QAccessible::RadioButton;
        default:
            return QAccessible::Button;
        }
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return button()->displayCaption().isEmpty() ? button()->toolTip()
                                                        : button()->displayCaption();
        case QAccessible::Description:
            return button()->toolTip();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const int style = button()->buttonStyle();
        if (style == zkButton::zbbCheck || style == zkButton::zbbOption) {
            s.checkable = true;
            s.checked = button()->value() == zkButton::zbvOn;
        }
        s.pressed = button()->isPressed();
        s.disabled = !button()->isButtonEnabled();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && button()->isButtonEnabled())
            button()->performPress();
    }

private:
    zkButton* button() const { return static_cast<zkButton*>(widget()); }
};
} // namespace

QAccessibleInterface* zkButton::accessibleInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("zkButton") && object && object->isWidgetType())
        return new zkButtonAccessible(static_cast<zkButton*>(object));
    return nullptr;
}
