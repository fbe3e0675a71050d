#pragma once
// Outcome of writing a file the user asked for (BMP copy, PDF export), and the checks
// every writer makes before it touches a target.
#include "durable_file.h"

#include <QString>

namespace folivo {

enum class WriteResult {
    Ok,
    SourceUnreadable, // the page's image file is missing or cannot be read
    TargetUnwritable, // read-only file or folder, a folder in its place, disk full
    OutOfMemory,
    EmptyDocument, // a PDF export of a document without pages
};

// The reason shown to the user after a failed write.
QString WriteFailureReason(WriteResult result);
// The failure message's prompt: the file's path on one line, the reason on the next.
QString WriteFailurePrompt(const QString& targetPath, WriteResult result);

// Whether `target` may be created or replaced as a user expects: its folder exists and
// is writable, it is not a folder, and an existing file there is not read-only. Checked
// explicitly because a rename as root would replace a read-only file.
bool CanReplaceFile(const QString& target);
// The same for a writer's target: a numbered target needs a writable folder.
bool CanWriteTarget(const FileTarget& target);
// The outcome of committing a writer's file.
WriteResult CommitResult(DurableFile& file);

} // namespace folivo
