#pragma once
// PdfStreamCache: the image streams of multi-page sheets, encoded in the background while
// the user is still at the prompt, so that a PDF of them is only assembled at the end
// (internal to app/output).
//
// Contract:
// - prepare(sheet, compress, images) queues the sheet's stream on a pool with one thread per
//   core and returns at once. A stream prepared before for the same file name is dropped
//   first (a sheet scanned again). The finished stream goes into a file beside the sheet
//   (written through DurableFile), so memory holds only the streams being made.
// - take(picture, format, encoding) answers the stream made from exactly the picture's
//   file (same file on disk, same size and times), for the same image format and
//   compression, waiting while it is still being made. Otherwise it answers nothing and
//   the caller encodes the picture itself: a sheet replaced or removed since prepare()
//   never lends its old stream.
// - forget(sheet) drops the sheet's stream and its file (a sheet deleted or rotated).
// - clear() drops every stream and removes its file (a stream still being made goes when
//   it is done); the destructor clears and waits for the pool.
// - handedOut() counts the streams take() answered.
// - Thread-safe: the exporter's workers call take() while the user interface prepares.
#include "file_stamp.h"
#include "pdf_image_filters.h"
#include "pdf_image_plan.h"
#include "stream_bytes.h"

#include <QString>
#include <QThreadPool>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace folivo {

struct PagePicture;

class PdfStreamCache {
public:
    PdfStreamCache();
    ~PdfStreamCache();
    PdfStreamCache(const PdfStreamCache&) = delete;
    PdfStreamCache& operator=(const PdfStreamCache&) = delete;

    void prepare(const QString& sheet, bool compress, const PdfImageOptions& images);
    std::optional<StreamBytes> take(const PagePicture& picture, const PdfImageFormat& format,
                                    const ImageEncoding& encoding);
    void forget(const QString& sheet);
    void clear();
    int handedOut() const { return m_handedOut; }

private:
    enum class State { Queued, Running, Done, Failed };
    struct Entry {
        QString sheet;
        QString streamFile;
        bool compress = true;
        PdfImageOptions images;
        ImageEncoding encoding; // chosen once the picture is read
        State state = State::Queued;
        bool dropped = false;
        FileStamp stamp;
        PdfImageFormat format;
    };

    void encode(const std::shared_ptr<Entry>& entry);
    void drop(const std::shared_ptr<Entry>& entry); // with m_mutex held

    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<std::shared_ptr<Entry>> m_entries;
    int m_counter = 0;
    std::atomic<int> m_handedOut{0};
    QThreadPool m_pool;
};

} // namespace folivo
