#include "save_dialog.h"

#include "save_start.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>

namespace folivo {
namespace {

// "*.bmp" -> "bmp"
QString bareExtension(const QString& defaultExtension) {
    QString extension = defaultExtension;
    extension.remove(u'*');
    if (extension.startsWith(u'.'))
        extension.remove(0, 1);
    return extension;
}

} // namespace

QString CompleteFileName(const QString& path, const QString& defaultExtension) {
    const QString extension = bareExtension(defaultExtension);
    if (extension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + extension;
}

QString QtSaveDialog::toQtFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    const QString description = filter.left(bar);
    const QString pattern = filter.mid(bar + 1);
    // Qt takes the patterns from the last parentheses of the description.
    if (description.endsWith(QStringLiteral("(%1)").arg(pattern)))
        return description;
    return QStringLiteral("%1 (%2)").arg(description, pattern);
}

QString QtSaveDialog::askSaveFileName(const QString& filter, const QString& defaultExtension) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(toQtFilter(filter));
    dialog.setDefaultSuffix(bareExtension(defaultExtension));
    const std::optional<SaveNaming> naming = NamingForExtension(defaultExtension);
    if (naming) {
        const SaveStart start = SaveStartFor(*naming);
        dialog.setDirectory(start.folder);
        if (!start.fileName.isEmpty())
            dialog.selectFile(start.fileName);
    }
    // Its preferred size grows with the scale factor and can pass a small screen's edge.
    if (const QScreen* screen = dialog.screen())
        dialog.resize(dialog.sizeHint().boundedTo(screen->availableGeometry().size()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = CompleteFileName(dialog.selectedFiles().constFirst(), defaultExtension);
    if (naming)
        RememberSaveFolder(*naming, chosen);
    return chosen;
}

} // namespace folivo
