#include "saved_file_offer.h"

#include "platform_ports.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QUrl>

namespace folivo {
namespace {

// A button inside the line's right end, hidden until there is something to open. The
// status line never takes focus, so each button has a key, working anywhere in the
// window once the button shows.
QAction* addButton(QLineEdit* statusLine, const char* name, QStyle::StandardPixmap icon,
                   const char* key) {
    QAction* action =
        statusLine->addAction(statusLine->style()->standardIcon(icon), QLineEdit::TrailingPosition);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(QKeySequence(QLatin1String(key)));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setVisible(false);
    return action;
}

QString withKey(const QString& tip, const QAction* action) {
    return tip +
           QStringLiteral("（%1）").arg(action->shortcut().toString(QKeySequence::NativeText));
}

} // namespace

SavedFileOffer::SavedFileOffer(QLineEdit* statusLine, UrlOpener* opener)
    : QObject(statusLine), m_opener(opener) {
    if (!m_opener) {
        m_ownedOpener = std::make_unique<DesktopUrlOpener>();
        m_opener = m_ownedOpener.get();
    }
    m_openFile = addButton(statusLine, "OpenSavedFile", QStyle::SP_FileIcon, "Ctrl+Shift+O");
    m_openFolder = addButton(statusLine, "OpenSavedFolder", QStyle::SP_DirOpenIcon, "Ctrl+Shift+F");
    connect(m_openFile, &QAction::triggered, this, [this] { open(false); });
    connect(m_openFolder, &QAction::triggered, this, [this] { open(true); });
}

SavedFileOffer::~SavedFileOffer() = default;

void SavedFileOffer::offer(const QString& path) {
    m_path = QFileInfo(path).absoluteFilePath();
    const QString file = QDir::toNativeSeparators(m_path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(m_path).absolutePath());
    m_openFile->setText(QStringLiteral("保存したファイルを開く"));
    m_openFile->setToolTip(
        withKey(QStringLiteral("保存したファイルを開きます：%1").arg(file), m_openFile));
    m_openFolder->setText(QStringLiteral("保存先のフォルダを開く"));
    m_openFolder->setToolTip(
        withKey(QStringLiteral("保存先のフォルダを開きます：%1").arg(folder), m_openFolder));
    m_openFile->setVisible(true);
    m_openFolder->setVisible(true);
}

void SavedFileOffer::open(bool folder) {
    if (m_path.isEmpty())
        return;
    const QString target = folder ? QFileInfo(m_path).absolutePath() : m_path;
    // The desktop answers with its own message when it cannot open the file.
    m_opener->openUrl(QUrl::fromLocalFile(target));
}

} // namespace folivo
