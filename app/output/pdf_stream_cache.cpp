#include "pdf_stream_cache.h"

#include "durable_file.h"
#include "file_stamp.h"
#include "page_document.h"
#include "pdf_picture_stream.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

namespace folivo {
namespace {

std::optional<StreamBytes> readStream(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const qint64 size = file.size();
    StreamBytes bytes{AllocateBytes(std::size_t(size)), std::size_t(size)};
    if (!bytes.data || file.read(reinterpret_cast<char*>(bytes.data.get()), size) != size)
        return std::nullopt;
    return bytes;
}

bool writeStream(const QString& path, const StreamBytes& bytes) {
    DurableFile file(path);
    return file.open() &&
           file.write(reinterpret_cast<const char*>(bytes.data.get()), qint64(bytes.size)) ==
               qint64(bytes.size) &&
           file.commit() == DurableFile::Commit::Ok;
}

} // namespace

PdfStreamCache::PdfStreamCache() {
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
}

PdfStreamCache::~PdfStreamCache() {
    clear();
    m_pool.waitForDone();
}

void PdfStreamCache::forget(const QString& sheet) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const std::shared_ptr<Entry>& old) {
        if (old->sheet != sheet)
            return false;
        drop(old);
        return true;
    });
}

void PdfStreamCache::prepare(const QString& sheet, bool compress, const PdfImageOptions& images) {
    // The old stream goes even when the sheet can no longer be read: it is stale either way.
    forget(sheet);
    const auto stamp = StampOf(sheet);
    if (!stamp)
        return;
    auto entry = std::make_shared<Entry>();
    entry->sheet = sheet;
    entry->compress = compress;
    entry->images = images;
    entry->stamp = *stamp;
    {
        std::lock_guard lock(m_mutex);
        const QFileInfo info(sheet);
        entry->streamFile = info.absolutePath() + u'/' + info.completeBaseName() + u'-' +
                            QString::number(++m_counter) + QStringLiteral(".stream");
        m_entries.push_back(entry);
    }
    m_pool.start([this, entry] { encode(entry); });
}

void PdfStreamCache::encode(const std::shared_ptr<Entry>& entry) {
    {
        std::lock_guard lock(m_mutex);
        if (entry->dropped) {
            entry->state = State::Failed;
            m_finished.notify_all();
            return;
        }
        entry->state = State::Running;
    }
    bool ok = false;
    PdfImageFormat format;
    ImageEncoding encoding;
    // Read through one descriptor whose stamp is checked, so the stream is made from
    // exactly the file that take() will compare against.
    const int fd = ::open(QFile::encodeName(entry->sheet).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        PagePicture picture;
        picture.filePath = entry->sheet;
        picture.held = std::make_shared<const HeldFile>(fd);
        struct stat st {};
        const auto plan = ::fstat(fd, &st) == 0 && StampOf(st) == entry->stamp
                              ? PlanPicture(picture)
                              : std::nullopt;
        if (plan) {
            encoding = ChooseImageEncoding(plan->image.format, entry->compress, entry->images);
            const JobResult result = EncodePicture(picture, *plan, encoding);
            format = plan->image.format;
            ok = result.bytes && writeStream(entry->streamFile, *result.bytes);
        }
    }
    std::lock_guard lock(m_mutex);
    entry->state = ok ? State::Done : State::Failed;
    entry->format = std::move(format);
    entry->encoding = encoding;
    if (ok && entry->dropped)
        QFile::remove(entry->streamFile);
    m_finished.notify_all();
}

void PdfStreamCache::drop(const std::shared_ptr<Entry>& entry) {
    entry->dropped = true;
    if (entry->state == State::Done)
        QFile::remove(entry->streamFile);
}

std::optional<StreamBytes> PdfStreamCache::take(const PagePicture& picture,
                                                const PdfImageFormat& format,
                                                const ImageEncoding& encoding) {
    if (picture.filePath.isEmpty())
        return std::nullopt;
    const auto stamp = StampOf(picture.readPath());
    if (!stamp)
        return std::nullopt;
    QString streamFile;
    {
        std::unique_lock lock(m_mutex);
        std::shared_ptr<Entry> entry;
        for (const auto& candidate : m_entries)
            if (candidate->stamp == *stamp)
                entry = candidate;
        if (!entry)
            return std::nullopt;
        m_finished.wait(
            lock, [&] { return entry->state == State::Done || entry->state == State::Failed; });
        if (entry->state != State::Done || entry->dropped || !(entry->format == format) ||
            !(entry->encoding == encoding))
            return std::nullopt;
        streamFile = entry->streamFile;
    }
    auto bytes = readStream(streamFile);
    if (bytes)
        ++m_handedOut;
    return bytes;
}

void PdfStreamCache::clear() {
    std::lock_guard lock(m_mutex);
    for (const auto& entry : m_entries)
        drop(entry);
    m_entries.clear();
}

} // namespace folivo
