#include "system_info.h"

#include "program_paths.h"
#include "ui_ports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtEndian>
#include <array>

namespace folivo {
namespace {

// Linux stand-ins for the system information program, in order of preference.
constexpr std::array<const char*, 3> kPlatformEquivalents = {"kinfocenter", "hardinfo",
                                                             "gnome-system-monitor"};

bool IsFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace

RegistryText DecodeRegistryValue(const RegistryValue& value) {
    if (value.data.size() > kRegistryBufferBytes)
        return {};
    QByteArray chars = value.data;
    if (chars.endsWith('\0'))
        chars.chop(1);
    switch (value.type) {
    case kRegSz:
        return {true, QString::fromLocal8Bit(chars)};
    case kRegDword: {
        // The query fills a zeroed buffer, so a short number reads as zero-padded.
        std::array<uchar, 4> bytes{};
        for (qsizetype i = 0; i < value.data.size() && i < 4; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<uchar>(value.data[i]);
        return {true, QString::number(qFromLittleEndian<quint32>(bytes.data()))};
    }
    default:
        return {true, QString()};
    }
}

RegistryText ReadRegistryText(Registry& registry, std::uint32_t root, const QString& keyPath,
                              const QString& valueName) {
    const auto value = registry.queryValue(root, keyPath, valueName);
    return value ? DecodeRegistryValue(*value) : RegistryText{};
}

QString FindSystemInfoProgram(Registry& registry, ProcessLauncher& launcher) {
    const RegistryText direct = ReadRegistryText(
        registry, kHKeyLocalMachine, QString::fromUtf16(kSystemInfoKey1), QStringLiteral("PATH"));
    if (direct.found)
        return direct.text;
    const RegistryText folder = ReadRegistryText(
        registry, kHKeyLocalMachine, QString::fromUtf16(kSystemInfoKey2), QStringLiteral("MSINFO"));
    if (folder.found) {
        const QString program = JoinPath(folder.text, QString::fromUtf16(kSystemInfoProgramFile));
        return IsFile(program) ? program : QString();
    }
    for (const char* name : kPlatformEquivalents) {
        const QString program = launcher.findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return program;
    }
    return QString();
}

void LaunchSystemInfo(Registry& registry, ProcessLauncher& launcher, MessageBoxes& messages) {
    const QString program = FindSystemInfoProgram(registry, launcher);
    if (program.isEmpty() || !launcher.startDetached(program))
        messages.information(QString(), QString::fromUtf16(kSystemInfoUnavailable));
}

QString ManualPath() {
    // Beside the program in a build tree or under $FOLIVO_HOME; in an install, the data
    // folder at the same place relative to the program as at build time.
    const QString besideProgram =
        JoinPath(ProgramFolder(), QStringLiteral("Manual/html/index.htm"));
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/" FOLIVO_MANUAL_FROM_PROGRAM "/index.htm"));
    if (!QFileInfo::exists(besideProgram) && QFileInfo::exists(installed))
        return installed;
    return besideProgram;
}

void OpenManual(UrlOpener& opener) {
    opener.openUrl(QUrl::fromLocalFile(ManualPath()));
}

} // namespace folivo
