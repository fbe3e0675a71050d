#pragma once
// The automatic-save choice of one output format and how it is stored.
//
// StoreAutosaveChoice writes, in the section named by format:
//   "Flag" = flag; only when that succeeded and flag is "True": "Type" = type; only when
//   that succeeded too: "Path" = folder for type "2", else "".
// A failed write skips the later ones, so the file keeps its older values for them.
// With the flag "False" only "Flag" is written; type and folder stay for a later switch on.
#include <QString>
#include <functional>

namespace folivo {

struct AutosaveChoice {
    QString flag = QStringLiteral("False"); // "True" or "False"
    QString type = QStringLiteral("0");     // "0" Desktop, "1" My Documents, "2" folder
    QString folder;                         // the chosen folder for type "2"
};

// Same contract as WriteSetting: 1 stored, 0 not.
using SettingWriter =
    std::function<int(const QString& section, const QString& key, const QString& value)>;

void StoreAutosaveChoice(const QString& format, const AutosaveChoice& choice,
                         const SettingWriter& write);

} // namespace folivo
