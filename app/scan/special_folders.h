#pragma once
// The user's special folders, as the automatic save needs them: the XDG Desktop and
// Documents folders, each answered with a trailing "/". An empty answer means the folder
// cannot be determined; the caller must then not save into any other folder instead.
#include <QString>
#include <functional>

namespace folivo {

QString DesktopFolder();
QString MyDocumentsFolder();

// The lookups behind the two, replaceable so tests can make a folder unknown.
struct SpecialFolders {
    std::function<QString()> desktop = DesktopFolder;
    std::function<QString()> myDocuments = MyDocumentsFolder;
};

} // namespace folivo
