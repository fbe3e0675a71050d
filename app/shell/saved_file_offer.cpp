#include "saved_file_offer.h"

#include "platform_ports.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStyle>
#include <QUrl>

namespace folivo {
namespace {

// A button inside the line's right end, hidden until there is something to open.
QAction* addButton(QLineEdit* statusLine, const char* name, QStyle::StandardPixmap icon) {
    QAction* action =
        statusLine->addAction(statusLine->style()->standardIcon(icon), QLineEdit::TrailingPosition);
    action->setObjectName(QLatin1String(name));
    action->setVisible(false);
    return action;
}

} // namespace

SavedFileOffer::SavedFileOffer(QLineEdit* statusLine, UrlOpener* opener)
    : QObject(statusLine), m_opener(opener) {
    if (!m_opener) {
        m_ownedOpener = std::make_unique<DesktopUrlOpener>();
        m_opener = m_ownedOpener.get();
    }
    m_openFile = addButton(statusLine, "OpenSavedFile", QStyle::SP_FileIcon);
    m_openFolder = addButton(statusLine, "OpenSavedFolder", QStyle::SP_DirOpenIcon);
    connect(m_openFile, &QAction::triggered, this, [this] { open(false); });
    connect(m_openFolder, &QAction::triggered, this, [this] { open(true); });
}

SavedFileOffer::~SavedFileOffer() = default;

void SavedFileOffer::offer(const QString& path) {
    m_path = QFileInfo(path).absoluteFilePath();
    const QString file = QDir::toNativeSeparators(m_path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(m_path).absolutePath());
    m_openFile->setText(QStringLiteral("保存したファイルを開く"));
    m_openFile->setToolTip(QStringLiteral("保存したファイルを開きます：%1").arg(file));
    m_openFolder->setText(QStringLiteral("保存先のフォルダを開く"));
    m_openFolder->setToolTip(QStringLiteral("保存先のフォルダを開きます：%1").arg(folder));
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
