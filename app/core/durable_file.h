#pragma once
// DurableFile: the one way the program writes a file that must not be lost or damaged.
//
// Contract:
// - open() creates a fresh temporary file in the target's folder (exclusive create, no
//   symbolic link followed). Writes are buffered; every write and the final flush are
//   checked, and a short write counts as a failure that sticks until the object ends.
// - commit() flushes, syncs the data to disk and only then moves the temporary file to
//   its final name, so a final name holds either the complete new file or what it held
//   before. A full disk, a file-size limit or any write error answers Failed and leaves
//   an earlier file byte for byte as it was.
// - Replace mode (a path): the final name is replaced by a rename, which replaces a
//   symbolic link there and never writes through it.
// - Numbered mode (a list of candidate names): the file is published under the first
//   candidate that nothing holds (a dangling link counts as held), with an atomic
//   no-replace rename, so no empty reservation is ever visible and two writers never
//   share a name. finalPath() tells which name it got.
// - A DurableFile destroyed without a successful commit removes its temporary file; a
//   process killed mid-write leaves at most a hidden ".*.part" file, never a final name.
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>

namespace folivo {

// The candidate names of a numbered file, by index from 0; std::nullopt ends the list.
using NameCandidates = std::function<std::optional<QString>(int index)>;

// Where a writer puts its file: one path to create or replace, or numbered names.
struct FileTarget {
    FileTarget(const QString& replacePath) : path(replacePath) {} // NOLINT: implicit on purpose
    FileTarget(const QString& folder, NameCandidates names)
        : path(folder), candidates(std::move(names)) {}

    bool numbered() const { return static_cast<bool>(candidates); }
    // The path a message names: the file itself, or the folder of numbered names.
    const QString& shownPath() const { return path; }

    QString path; // the file (replace mode) or the folder (numbered mode)
    NameCandidates candidates;
    // Told the final name once the file is committed under it.
    std::function<void(const QString& finalPath)> published;
};

// Whether anything, a dangling symbolic link included, holds the name.
bool NameIsTaken(const QString& path);

class DurableFile : public QIODevice {
public:
    enum class Commit { Ok, Failed, NoFreeName };

    explicit DurableFile(FileTarget target);
    ~DurableFile() override;

    bool open(); // false when the temporary file cannot be made
    Commit commit();
    bool failed() const { return m_failed; }
    QString finalPath() const { return m_final; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushBuffer();
    bool publish();
    void discard();

    FileTarget m_target;
    QString m_temp;
    QString m_final;
    QByteArray m_buffer;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace folivo
