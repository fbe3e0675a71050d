#include "search_files.h"

#include "ui_ports.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace folivo {
namespace {

namespace fs = std::filesystem;

struct FolderListing {
    bool ok = true;
    QStringList files;
    QStringList folders;
};

void SortCaseless(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

FolderListing ListFolder(const QString& folder) {
    FolderListing listing;
    std::error_code ec;
    const fs::path path(folder.toStdU16String());
    fs::directory_iterator it(path, ec);
    if (ec) {
        listing.ok = false;
        return listing;
    }
    for (const fs::directory_entry& entry : it) {
        const QString name = QString::fromStdU16String(entry.path().filename().u16string());
        std::error_code typeError;
        if (entry.is_symlink(typeError))
            continue; // a link could lead out of the folder or back up: never followed
        if (entry.is_directory(typeError))
            listing.folders.append(name);
        else if (entry.is_regular_file(typeError))
            listing.files.append(name);
    }
    SortCaseless(listing.files);
    SortCaseless(listing.folders);
    return listing;
}

} // namespace

bool MatchesPattern(const QString& fileName, const QString& pattern) {
    return QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive)
        .match(fileName)
        .hasMatch();
}

bool SearchFiles(const QString& searchPath, bool includeSubfolders, FileList& list,
                 MessageBoxes& boxes) {
    const qsizetype slash = searchPath.lastIndexOf(u'/');
    if (slash < 0)
        return false;
    const QString folder = searchPath.left(slash + 1);
    QString pattern = searchPath.mid(slash + 1);
    if (pattern.isEmpty())
        pattern = QStringLiteral("*.*");

    QCoreApplication::processEvents();
    std::error_code ec;
    const bool exists = std::filesystem::is_directory(folder.toStdU16String(), ec);
    if (!exists && !includeSubfolders)
        return true;
    const FolderListing listing = ListFolder(folder);
    if (!listing.ok)
        return false;
    for (const QString& name : listing.files) {
        if (!MatchesPattern(name, pattern))
            continue;
        ++list.count;
        if (list.count >= static_cast<int>(list.entries.size())) {
            boxes.information(QString(), kFileListOverflow);
            return false;
        }
        list.entries[static_cast<std::size_t>(list.count)] = folder + name;
    }
    if (!includeSubfolders)
        return true;
    for (const QString& sub : listing.folders)
        if (!SearchFiles(folder + sub + u'/' + pattern, true, list, boxes))
            return false;
    return true;
}

} // namespace folivo
