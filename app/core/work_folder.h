#pragma once
// Work folders: each running window keeps its page files in a folder of its own under
// the program's "tmp", held by a lock file beside it ("tmp/work-xxxxxxxx" and
// "tmp/work-xxxxxxxx.lock"), so that one Folivo never deletes another one's pages.
//
// Contract:
// - WorkFolder(tmp) takes a lock, then makes the folder; path() is empty when either
//   failed (tmp missing or not writable). The lock lives as long as the object; the
//   folder and what it holds outlive it unless the owner removes them.
// - ClaimAbandonedFolders(tmp) looks at every other work folder: one whose lock is held
//   by a running program is never touched; one whose owner is gone (a crash, a kill) is
//   locked for the caller. Such a folder that holds no page file is removed at once;
//   the others are answered, still locked, so that their pages can be offered back.
//   Symbolic links are neither followed nor counted as folders.
// - PageFilesIn(folder) lists the page files of one folder ("*.bmp" in any letter case,
//   regular files that are not empty, not links), sorted by name.
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace folivo {

class WorkFolder {
public:
    explicit WorkFolder(const QString& tmp);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const QString& path() const { return m_path; }

    // Removes the folder with everything in it (a normal end without unsaved sheets).
    void remove();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

struct AbandonedFolder {
    QString path;
    QStringList pages;
    std::shared_ptr<QLockFile> lock; // held until the caller is done with the folder
};

std::vector<AbandonedFolder> ClaimAbandonedFolders(const QString& tmp);
QStringList PageFilesIn(const QString& folder);
// Removes a claimed folder and its lock.
void RemoveAbandonedFolder(AbandonedFolder& folder);

// Multi-page sheets in a work folder are marked, so that an end of the program leaves
// them for recovery while single scans go with a normal exit.
void MarkSheets(const QString& workFolder, bool gathering);
bool HoldsSheets(const QString& workFolder); // marked and holding page files

// Moves pages into the work folder under the next free "TMPnnnnn.BMP" names, in order;
// answers their new paths. A page that cannot be moved stays where it was.
QStringList AdoptPages(const QStringList& pages, const QString& workFolder);

} // namespace folivo
