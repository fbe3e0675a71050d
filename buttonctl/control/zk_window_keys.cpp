#include "zk_window_keys.h"

#include "zkbutton.h"

namespace zk {

zkButton* windowKeyTarget(const QWidget* from, int charCode) {
    QWidget* window = from->window();
    const auto holds = [charCode, window](const QWidget* w) {
        const auto* button = qobject_cast<const zkButton*>(w);
        return button && button->window() == window && button->isEnabled() && button->isVisible() &&
               (charCode == 13 ? button->isDefault() : charCode == 27 && button->cancel());
    };
    if (QWidget* focused = window->focusWidget(); holds(focused))
        return static_cast<zkButton*>(focused);
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (holds(w))
            return static_cast<zkButton*>(w);
    }
    return nullptr;
}

} // namespace zk
