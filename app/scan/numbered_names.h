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
// - NumberedTarget is the writers' target for such a name: the file is published under
//   the first number nothing holds (a dangling link or a folder included) at the moment
//   it is complete, with a no-replace rename (durable_file.h).
#include "durable_file.h"

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

// The numbered names of a prefix in a folder, number 1 to 100000 in order.
FileTarget NumberedTarget(const QString& prefix, const QString& folder, const QString& extension);

// The one numbered series of each output format, shared by the automatic save and the
// save dialogs so that neither takes the other's numbers.
enum class OutputFormat { Bmp, Jpeg, Pdf };
struct NumberedSeries {
    QString section;   // settings section: "BMP", "JPEG", "PDF"
    QString prefix;    // file name prefix
    QString extension; // "BMP", "jpg", "PDF"
};
NumberedSeries SeriesOf(OutputFormat format);

} // namespace folivo
