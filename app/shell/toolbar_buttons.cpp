#include "toolbar_buttons.h"

namespace folivo {

const ToolbarButtonSpec* FindToolbarButton(const QString& name) {
    for (const ToolbarButtonSpec& spec : kToolbarButtons)
        if (name == QLatin1String(spec.name))
            return &spec;
    return nullptr;
}

} // namespace folivo
