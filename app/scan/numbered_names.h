#pragma once
// Numbered file names of the automatic save and of the temporary page files:
// folder + "/" + prefix + five digits + "." + extension ("BMP00001.BMP").
//
// Contract:
// - FileExists(path): false for an empty path or one holding "*" or "?"; otherwise true
//   when the path names something that is not a folder.
// - NumberedName joins without looking at the folder's end, so a folder ending in "/"
//   gives a doubled separator, which the file system reads as one. The five digits are
//   the last five of the number: 100000 gives "00000".
// - NextFreeFileName answers the first name, from number 1 on, that does not exist. The
//   numbers 1 to 100000 are tried once each (so "00000" comes after "99999"); when all are
//   taken the answer is std::nullopt and the search has ended, never looped.
// - ReserveNextFreeFileName does the same and creates the name as an empty file with an
//   exclusive create, so two programs saving into one folder never take the same number:
//   a name another writer created first is passed over. `reserved` tells whether this
//   call created the file; when the folder cannot be written at all the first free name
//   is answered unreserved and the writer that follows reports the failure.
#include <QString>
#include <functional>
#include <optional>

namespace folivo {

inline constexpr int kNumberedNameCount = 100000;

bool FileExists(const QString& path);

QString NumberedName(const QString& prefix, const QString& folder, const QString& extension,
                     int number);

using ExistsCheck = std::function<bool(const QString& path)>;

std::optional<QString> NextFreeFileName(const QString& prefix, const QString& folder,
                                        const QString& extension,
                                        const ExistsCheck& exists = FileExists);

struct ReservedName {
    QString path;
    bool reserved = false; // this call created the empty file at path
};

std::optional<ReservedName> ReserveNextFreeFileName(const QString& prefix, const QString& folder,
                                                    const QString& extension);

// Removes a reservation that no writer filled: the file goes only while it is still
// empty, so a file a writer completed is never touched.
void ReleaseUnusedReservation(const ReservedName& name);

} // namespace folivo
