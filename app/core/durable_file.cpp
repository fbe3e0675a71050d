#include "durable_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folivo {
namespace {

constexpr qsizetype kBufferBytes = 256 * 1024;
constexpr int kTempAttempts = 16;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString folderOf(const FileTarget& target) {
    return target.numbered() ? target.path : QFileInfo(target.path).absolutePath();
}

// Creates `tmp` only if nothing is there, as an unfollowable link would be.
int createFresh(const QString& path, mode_t mode) {
    int fd;
    do {
        fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Moves `from` to `to` only when nothing holds `to`: 0, or the errno.
int renameNoReplace(const QString& from, const QString& to) {
    const QByteArray a = native(from), b = native(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link fails on any existing name as well.
    if (::link(a.constData(), b.constData()) != 0)
        return errno;
    ::unlink(a.constData());
    return 0;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // the rename is then on disk too; a failure here loses nothing written
    ::close(fd);
}

} // namespace

bool NameIsTaken(const QString& path) {
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0 || errno != ENOENT;
}

DurableFile::DurableFile(FileTarget target) : m_target(std::move(target)) {}

DurableFile::~DurableFile() {
    discard();
}

bool DurableFile::open() {
    if (m_target.path.isEmpty())
        return false;
    mode_t mode = 0666; // less the umask, as any new file
    struct stat st;
    const bool replacing = !m_target.numbered() &&
                           ::lstat(native(m_target.path).constData(), &st) == 0 &&
                           S_ISREG(st.st_mode);
    if (replacing)
        mode = st.st_mode & 07777; // a replaced file keeps its permissions
    const QString base = m_target.numbered() ? QStringLiteral("numbered")
                                             : QFileInfo(m_target.path).fileName().left(100);
    const QString folder = folderOf(m_target);
    for (int attempt = 0; attempt < kTempAttempts && m_fd < 0; ++attempt) {
        m_temp = folder + QStringLiteral("/.%1.%2.part")
                              .arg(base)
                              .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        m_fd = createFresh(m_temp, mode);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        m_temp.clear();
        return false;
    }
    if (replacing)
        ::fchmod(m_fd, mode); // the umask must not narrow a replaced file's permissions
    m_buffer.reserve(kBufferBytes);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DurableFile::readData(char*, qint64) {
    return -1;
}

qint64 DurableFile::writeData(const char* data, qint64 size) {
    if (m_failed || m_fd < 0) {
        m_failed = true;
        return -1;
    }
    if (m_buffer.size() + size > kBufferBytes && !flushBuffer())
        return -1;
    if (size >= kBufferBytes) {
        m_buffer = QByteArray(data, size);
        return flushBuffer() ? size : -1;
    }
    m_buffer.append(data, size);
    return size;
}

bool DurableFile::flushBuffer() {
    const char* p = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0 && !m_failed) {
        const ssize_t n = ::write(m_fd, p, std::size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_failed = true; // a full disk or a size limit: never a shorter file
        else
            p += n, left -= n;
    }
    m_buffer.truncate(0);
    return !m_failed;
}

DurableFile::Commit DurableFile::commit() {
    if (m_fd < 0 || !flushBuffer() || ::fsync(m_fd) != 0)
        m_failed = true;
    if (m_fd >= 0 && ::close(m_fd) != 0)
        m_failed = true;
    m_fd = -1;
    QIODevice::close();
    if (m_failed) {
        discard();
        return Commit::Failed;
    }
    if (!m_target.numbered()) {
        if (::rename(native(m_temp).constData(), native(m_target.path).constData()) != 0) {
            discard();
            return Commit::Failed;
        }
        m_final = m_target.path;
    } else if (!publish()) {
        const bool noName = !m_temp.isEmpty() && m_final.isEmpty() && !m_failed;
        discard();
        return noName ? Commit::NoFreeName : Commit::Failed;
    }
    m_temp.clear();
    syncFolder(folderOf(m_target));
    if (m_target.published)
        m_target.published(m_final);
    return Commit::Ok;
}

bool DurableFile::publish() {
    for (int i = 0;; ++i) {
        const std::optional<QString> name = m_target.candidates(i);
        if (!name)
            return false;
        if (NameIsTaken(*name))
            continue;
        const int error = renameNoReplace(m_temp, *name);
        if (error == 0) {
            m_final = *name;
            return true;
        }
        if (error != EEXIST) {
            m_failed = true;
            return false;
        }
        // Another writer took the name since the look: try the next one.
    }
}

void DurableFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (isOpen())
        QIODevice::close();
    if (!m_temp.isEmpty())
        ::unlink(native(m_temp).constData());
    m_temp.clear();
}

} // namespace folivo
