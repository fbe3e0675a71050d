#include "zk_accessible.h"

#include <QWidget>

namespace zk {

namespace {
QAccessible::InterfaceFactory g_installed = nullptr;

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

void installAccessibleFactory(QAccessible::InterfaceFactory factory) {
    if (g_installed || !factory)
        return;
    QAccessible::installFactory(factory);
    g_installed = factory;
}

void removeAccessibleFactory() {
    if (!g_installed)
        return;
    QAccessible::removeFactory(g_installed);
    g_installed = nullptr;
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
