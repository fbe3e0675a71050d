#include "numbered_names.h"

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

FileTarget NumberedTarget(const QString& prefix, const QString& folder, const QString& extension) {
    return FileTarget(folder, [=](int index) -> std::optional<QString> {
        if (index < 0 || index >= kNumberedNameCount)
            return std::nullopt;
        return NumberedName(prefix, folder, extension, index + 1);
    });
}

NumberedSeries SeriesOf(OutputFormat format) {
    switch (format) {
    case OutputFormat::Bmp:
        return {QStringLiteral("BMP"), QStringLiteral("BMP"), QStringLiteral("BMP")};
    case OutputFormat::Jpeg:
        return {QStringLiteral("JPEG"), QStringLiteral("JPEG"), QStringLiteral("jpg")};
    case OutputFormat::Pdf:
        break;
    }
    return {QStringLiteral("PDF"), QStringLiteral("PDF"), QStringLiteral("PDF")};
}

} // namespace folivo
