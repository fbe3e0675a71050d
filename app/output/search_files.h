#pragma once
// SearchFiles: the recursive file search the multi-page PDF reads its sheets with.
//
// Contract:
// - searchPath is folder + "/" + name pattern ("*" and "?" wildcards, matched without
//   regard to letter case); an empty pattern means "*.*". No "/" at all: false.
// - Files of the folder come first, sorted ascending by name without regard to case;
//   then, when includeSubfolders, each subfolder in the same order, depth first. Folders
//   are never listed as files, and symbolic links are neither listed nor followed.
// - Each match is appended as folder + name after the entry the count names, and the
//   count grows by one (-1 means an empty list). The list holds kFileListSize entries:
//   the match that does not fit shows the box "ファイル名バッファオーバー" (no title)
//   and the answer is false, the count then standing at kFileListSize.
// - A folder that cannot be read, or with includeSubfolders a folder that does not
//   exist, answers false. Without subfolders a missing folder simply matches nothing.
// - Pending user-interface events run once per folder visited.
#include <QString>
#include <vector>

namespace folivo {

class MessageBoxes;

inline constexpr int kFileListSize = 1000;

struct FileList {
    std::vector<QString> entries = std::vector<QString>(kFileListSize);
    int count = -1; // index of the last filled entry
};

inline const QString kFileListOverflow = QStringLiteral("ファイル名バッファオーバー");

bool SearchFiles(const QString& searchPath, bool includeSubfolders, FileList& list,
                 MessageBoxes& boxes);

// Whether a file name matches a "*"/"?" pattern, without regard to letter case.
bool MatchesPattern(const QString& fileName, const QString& pattern);

} // namespace folivo
