#include "zk_accessible.h"

#include "zkbutton.h"

#include <QAccessible>

zkButtonAccessible::zkButtonAccessible(zkButton* b) : QAccessibleWidget(b, QAccessible::Button) {}

zkButton* zkButtonAccessible::button() const {
    return static_cast<zkButton*>(widget());
}

QAccessible::Role zkButtonAccessible::role() const {
    switch (button()->buttonStyle()) {
    case zkButton::zbbCheck:
        return QAccessible::CheckBox;
    case zkButton::zbbOption:
        return QAccessible::RadioButton;
    default:
        return QAccessible::Button;
    }
}

QString zkButtonAccessible::text(QAccessible::Text t) const {
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

QAccessible::State zkButtonAccessible::state() const {
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

QStringList zkButtonAccessible::actionNames() const {
    return {pressAction()};
}

void zkButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && button()->isButtonEnabled())
        button()->performPress();
}

namespace zk {

namespace {
QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == QLatin1String("zkButton") && object && object->isWidgetType())
        return new zkButtonAccessible(static_cast<zkButton*>(object));
    return nullptr;
}
bool g_installed = false;

AccessibleListener& listener() {
    static AccessibleListener l;
    return l;
}

void announce(QAccessibleEvent& event) {
    if (listener())
        listener()(&event);
    else
        QAccessible::updateAccessibility(&event);
}
} // namespace

void setAccessibleListener(AccessibleListener l) {
    listener() = std::move(l);
}

void installAccessibleFactory() {
    if (g_installed)
        return;
    QAccessible::installFactory(&factory);
    g_installed = true;
}

void removeAccessibleFactory() {
    if (!g_installed)
        return;
    QAccessible::removeFactory(&factory);
    g_installed = false;
}

void announceFocus(QWidget* widget) {
    QAccessibleEvent event(widget, QAccessible::Focus);
    announce(event);
}

void announceChecked(QWidget* widget) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget, changed);
    announce(event);
}

void announceName(QWidget* widget) {
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    announce(event);
}

} // namespace zk
