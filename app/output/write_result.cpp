#include "write_result.h"

#include "program_paths.h"

#include <QDir>
#include <QFileInfo>

namespace folivo {

QString WriteFailureReason(WriteResult result) {
    switch (result) {
    case WriteResult::Ok:
        return {};
    case WriteResult::SourceUnreadable:
        return QStringLiteral("スキャン画像を読み込めませんでした。");
    case WriteResult::TargetUnwritable:
        return QStringLiteral("ファイルの出力に失敗しました。（書き込み禁止、容量不足 etc）");
    case WriteResult::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case WriteResult::EmptyDocument:
        return QStringLiteral("出力するページがありません。");
    }
    return {};
}

QString WriteFailurePrompt(const QString& targetPath, WriteResult result) {
    return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(targetPath),
                                        WriteFailureReason(result));
}

bool CanReplaceFile(const QString& target) {
    if (target.isEmpty())
        return false;
    const QFileInfo info(target);
    if (info.exists() && (!info.isFile() || !IsWritablePath(target)))
        return false;
    const QFileInfo folder(info.absolutePath());
    return folder.isDir() && IsWritablePath(folder.absoluteFilePath());
}

bool CanWriteTarget(const FileTarget& target) {
    if (!target.numbered())
        return CanReplaceFile(target.path);
    const QFileInfo folder(target.path);
    return folder.isDir() && IsWritablePath(folder.absoluteFilePath());
}

WriteResult CommitResult(DurableFile& file) {
    return file.commit() == DurableFile::Commit::Ok ? WriteResult::Ok
                                                    : WriteResult::TargetUnwritable;
}

} // namespace folivo
