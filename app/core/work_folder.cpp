#include "work_folder.h"

#include "durable_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace folivo {
namespace {

const QString kWorkPrefix = QStringLiteral("work-");
const QString kSheetsMark = QStringLiteral("/sheets");
constexpr int kNameAttempts = 16;

std::unique_ptr<QLockFile> makeLock(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
    // Only a dead owner makes a lock stale, never its age: a window may stay open for days.
    lock->setStaleLockTime(0);
    return lock;
}

// Removes the folder's own entries (a link is removed, never followed), then the folder.
void removeFolder(const QString& folder) {
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            removeFolder(entry.filePath());
        else
            (void)QFile::remove(entry.filePath());
    }
    (void)QDir().rmdir(folder);
}

QString workName(const QString& tmp, quint32 number) {
    return tmp + u'/' + kWorkPrefix + QStringLiteral("%1").arg(number, 8, 16, QChar(u'0'));
}

} // namespace

WorkFolder::WorkFolder(const QString& tmp) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString path = workName(tmp, QRandomGenerator::global()->generate());
        auto lock = makeLock(path);
        if (!lock->tryLock(0))
            continue;
        // Locked first, made second: a clean-up never sees this folder unowned.
        if (!QDir().mkdir(path))
            continue;
        m_path = path;
        m_lock = std::move(lock);
        return;
    }
}

WorkFolder::~WorkFolder() = default;

void WorkFolder::remove() {
    if (m_path.isEmpty())
        return;
    removeFolder(m_path);
}

QStringList PageFilesIn(const QString& folder) {
    QStringList pages;
    if (folder.isEmpty())
        return pages; // QDir would take the current folder
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        if (!entry.isSymLink() && entry.size() > 0 &&
            entry.fileName().endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            pages.append(entry.filePath());
    return pages;
}

std::vector<AbandonedFolder> ClaimAbandonedFolders(const QString& tmp) {
    std::vector<AbandonedFolder> found;
    const QFileInfoList entries = QDir(tmp).entryInfoList(
        {kWorkPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue;
        std::shared_ptr<QLockFile> lock = makeLock(entry.filePath());
        if (!lock->tryLock(0))
            continue; // its owner is running
        AbandonedFolder folder{entry.filePath(), PageFilesIn(entry.filePath()), lock};
        if (folder.pages.isEmpty())
            RemoveAbandonedFolder(folder);
        else
            found.push_back(std::move(folder));
    }
    return found;
}

void MarkSheets(const QString& workFolder, bool gathering) {
    if (workFolder.isEmpty())
        return;
    QFile mark(workFolder + kSheetsMark);
    if (gathering)
        (void)mark.open(QIODevice::WriteOnly);
    else
        (void)mark.remove();
}

bool HoldsSheets(const QString& workFolder) {
    return !workFolder.isEmpty() && QFileInfo(workFolder + kSheetsMark).isFile() &&
           !PageFilesIn(workFolder).isEmpty();
}

QStringList AdoptPages(const QStringList& pages, const QString& workFolder) {
    QStringList moved;
    int number = 0;
    for (const QString& page : pages) {
        QString target;
        do {
            target = workFolder + QStringLiteral("/TMP%1.BMP").arg(++number, 5, 10, QChar(u'0'));
        } while (NameIsTaken(target) && number < 99999);
        if (QFile::rename(page, target)) // never over an existing name
            moved.append(target);
    }
    return moved;
}

void RemoveAbandonedFolder(AbandonedFolder& folder) {
    removeFolder(folder.path);
    if (folder.lock)
        folder.lock->unlock(); // removes the lock file too
    folder.lock.reset();
}

} // namespace folivo
