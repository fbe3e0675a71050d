#include "platform_ports.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace folivo {

QFileDialog* MakeFolderDialog(QWidget* owner, const QString& initialFolder) {
    auto* dialog = new QFileDialog(owner, QString::fromUtf16(kFolderPickerTitle), initialFolder);
    dialog->setObjectName(QStringLiteral("FolderPicker"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    return dialog;
}

QString QtFolderPicker::BrowseForFolder(QWidget* owner, const QString& initialFolder) {
    // Guarded: the owner may close while the picker runs its own event loop.
    QPointer<QFileDialog> dialog = MakeFolderDialog(owner, initialFolder);
    const int answer = dialog->exec();
    if (!dialog)
        return QString();
    const QStringList chosen = dialog->selectedFiles();
    delete dialog;
    if (answer != QDialog::Accepted || chosen.isEmpty())
        return QString();
    return chosen.first();
}

QString QtProcessLauncher::findExecutable(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool QtProcessLauncher::startDetached(const QString& program) {
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

bool DesktopUrlOpener::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

DialogServices PlatformDialogServices() {
    return DialogServices{std::make_shared<QtFolderPicker>(), std::make_shared<NullRegistry>(),
                          std::make_shared<QtProcessLauncher>(),
                          std::make_shared<DesktopUrlOpener>()};
}

} // namespace folivo
