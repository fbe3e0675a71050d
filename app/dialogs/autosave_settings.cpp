#include "autosave_settings.h"

namespace folivo {

void StoreAutosaveChoice(const QString& format, const AutosaveChoice& choice,
                         const SettingWriter& write) {
    if (write(format, QStringLiteral("Flag"), choice.flag) != 1)
        return;
    if (choice.flag != QLatin1String("True"))
        return;
    if (write(format, QStringLiteral("Type"), choice.type) != 1)
        return;
    const bool other = choice.type == QLatin1String("2");
    write(format, QStringLiteral("Path"), other ? choice.folder : QString());
}

} // namespace folivo
