#include "toolbar_buttons.h"

namespace folivo {

const ToolbarCommand* FindToolbarButton(const QString& name) {
    for (const ToolbarCommand& entry : kToolbarButtons)
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

} // namespace folivo
