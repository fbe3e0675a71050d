#pragma once
// Accessibility plumbing of the library: the announcements of focus, name and
// checked-state changes, and the one accessibility factory the library registers with Qt.
// This unit knows no control class: the button's accessible interface
// (zkbutton_accessible.cpp) hands its factory in, so nothing here depends on zkButton.
#include <QAccessible>
#include <functional>

class QWidget;

namespace zk {
// Where announcements go: QAccessible::updateAccessibility unless a listener is set (tests,
// or a host that relays them itself). An empty function restores the default.
using AccessibleListener = std::function<void(QAccessibleEvent*)>;
void setAccessibleListener(AccessibleListener listener);

// Registers `factory` once (later calls while one is installed do nothing); removal
// unregisters it, so a library the host may unload leaves no function of its own with Qt.
void installAccessibleFactory(QAccessible::InterfaceFactory factory);
void removeAccessibleFactory();
void announceFocus(QWidget* widget);
void announceChecked(QWidget* widget);
void announceName(QWidget* widget);
} // namespace zk
