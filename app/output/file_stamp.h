#pragma once
// What tells one file's version from another (internal to app/output): device, inode,
// size and times, so that a sheet scanned again or replaced never passes for the old one.
#include <QString>
#include <QtGlobal>
#include <optional>

struct stat;

namespace folivo {

struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // ns
    qint64 changed = 0;  // ns
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const struct stat& st);
// Nothing when the path is not a regular file.
std::optional<FileStamp> StampOf(const QString& path);

} // namespace folivo
