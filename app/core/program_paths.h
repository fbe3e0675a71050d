#pragma once
// Where the program keeps its files.
//
// ProgramFolder(): $FOLIVO_HOME when set (taken as it is, never replaced), else the
// folder of the running executable. The manual is read from there.
// DataFolder(): the folder for "Folivo.ini" and "tmp". It is the program folder, except
// for a system-wide install whose program folder is not writable (and no $FOLIVO_HOME):
// then $XDG_DATA_HOME/Folivo (default ~/.local/share/Folivo), created on demand.
// JoinPath(): folder + "/" + name, without a second separator when the folder already
// ends in "/" (a root such as "/").
#include <QString>

namespace folivo {

QString ProgramFolder();
QString DataFolder();
QString JoinPath(const QString& folder, const QString& name);
QString TempFolder(); // DataFolder()/tmp

// Whether a file or folder may be written, as a user would expect: it must be writable
// for this process and carry a write permission bit at all. Root passes access checks
// for read-only files, yet a read-only file or folder must stay untouched.
bool IsWritablePath(const QString& path);

} // namespace folivo
