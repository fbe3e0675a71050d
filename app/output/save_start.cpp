#include "save_start.h"

#include "numbered_names.h"
#include "settings.h"

#include <QDir>
#include <QFileInfo>

namespace folivo {
namespace {

const QString kSaveFolderKey = QStringLiteral("SaveFolder");

} // namespace

std::optional<SaveNaming> NamingForExtension(const QString& defaultExtension) {
    static const struct {
        const char* extension;
        OutputFormat format;
    } kFormats[] = {
        {"*.bmp", OutputFormat::Bmp}, {"*.jpg", OutputFormat::Jpeg}, {"*.pdf", OutputFormat::Pdf}};
    for (const auto& entry : kFormats)
        if (defaultExtension.compare(QLatin1String(entry.extension), Qt::CaseInsensitive) == 0)
            return SeriesOf(entry.format);
    return std::nullopt;
}

SaveStart SaveStartFor(const SaveNaming& naming) {
    SaveStart start;
    start.folder = ReadSetting(naming.section, kSaveFolderKey, QString());
    if (start.folder.isEmpty() || !QDir::isAbsolutePath(start.folder) ||
        !QFileInfo(start.folder).isDir())
        start.folder = QDir::currentPath();
    const std::optional<QString> name =
        NextFreeFileName(naming.prefix, start.folder, naming.extension);
    if (name)
        start.fileName = QFileInfo(*name).fileName();
    return start;
}

void RememberSaveFolder(const SaveNaming& naming, const QString& chosenPath) {
    // A failed write only means the dialog opens in the working folder next time.
    WriteSetting(naming.section, kSaveFolderKey, QFileInfo(chosenPath).absolutePath());
}

} // namespace folivo
