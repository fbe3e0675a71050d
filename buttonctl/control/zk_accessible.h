#pragma once
// Accessibility of zkButton: a QAccessibleWidget for each button (button, check box or
// radio button by Style; named by the display caption or, when empty, the tooltip; the
// tooltip as description; checked state from Value; a press action that clicks), and the
// announcements of focus, name and checked-state changes.
#include <QAccessibleWidget>

class zkButton;

class zkButtonAccessible : public QAccessibleWidget {
public:
    explicit zkButtonAccessible(zkButton* button);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    zkButton* button() const;
};

#include <functional>

namespace zk {
// Where announcements go: QAccessible::updateAccessibility unless a listener is set (tests,
// or a host that relays them itself). An empty function restores the default.
using AccessibleListener = std::function<void(QAccessibleEvent*)>;
void setAccessibleListener(AccessibleListener listener);

void installAccessibleFactory();
void removeAccessibleFactory();
void announceFocus(QWidget* widget);
void announceChecked(QWidget* widget);
void announceName(QWidget* widget);
} // namespace zk
