#include "numbered_names.h"

#include <QFile>
#include <QFileInfo>

namespace folivo {

bool FileExists(const QString& path) {
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?'))
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString NumberedName(const QString& prefix, const QString& folder, const QString& extension,
                     int number) {
    const QString digits =
        QStringLiteral("%1").arg(number % kNumberedNameCount, 5, 10, QChar(u'0'));
    return folder + u'/' + prefix + digits + u'.' + extension;
}

std::optional<QString> NextFreeFileName(const QString& prefix, const QString& folder,
                                        const QString& extension, const ExistsCheck& exists) {
    for (int n = 1; n <= kNumberedNameCount; ++n) {
        QString name = NumberedName(prefix, folder, extension, n);
        if (!exists(name))
            return name;
    }
    return std::nullopt;
}

std::optional<ReservedName> ReserveNextFreeFileName(const QString& prefix, const QString& folder,
                                                    const QString& extension) {
    std::optional<QString> firstFree;
    for (int n = 1; n <= kNumberedNameCount; ++n) {
        const QString name = NumberedName(prefix, folder, extension, n);
        if (FileExists(name))
            continue;
        if (!firstFree)
            firstFree = name;
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return ReservedName{name, true};
        // Another writer took this number between the test and the create (or a folder
        // holds the name): go on. Anything else (a missing or read-only folder) will not
        // get better further on.
        if (!QFileInfo::exists(name))
            return ReservedName{*firstFree, false};
    }
    return std::nullopt;
}

void ReleaseUnusedReservation(const ReservedName& name) {
    if (!name.reserved)
        return;
    const QFileInfo info(name.path);
    if (info.exists() && info.isFile() && info.size() == 0)
        QFile::remove(name.path);
}

} // namespace folivo
