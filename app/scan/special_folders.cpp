#include "special_folders.h"

#include <QStandardPaths>

namespace folivo {
namespace {

QString WithTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

} // namespace

QString DesktopFolder() {
    return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString MyDocumentsFolder() {
    return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

} // namespace folivo
