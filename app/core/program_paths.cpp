#include "program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace folivo {

QString ProgramFolder() {
    if (qEnvironmentVariableIsSet("FOLIVO_HOME"))
        return qEnvironmentVariable("FOLIVO_HOME");
    return QCoreApplication::applicationDirPath();
}

QString DataFolder() {
    const QString program = ProgramFolder();
    if (qEnvironmentVariableIsSet("FOLIVO_HOME") || IsWritablePath(program))
        return program;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = JoinPath(base, QStringLiteral("Folivo"));
    QDir().mkpath(folder);
    return folder;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

bool IsWritablePath(const QString& path) {
    const QFileInfo info(path);
    // WriteUser reflects access() for this process, which is always true for root.
    constexpr auto anyWriteBit = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.exists() && info.isWritable() && (info.permissions() & anyWriteBit);
}

QString TempFolder() {
    return JoinPath(DataFolder(), QStringLiteral("tmp"));
}

} // namespace folivo
