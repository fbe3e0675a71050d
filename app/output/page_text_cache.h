#pragma once
// PageTextCache: the words of page pictures, recognised in the background as soon as a
// sheet is scanned, so that a PDF with a text layer waits only for the pages still in
// progress.
//
// Contract:
// - prepare(sheet, language) queues the recognition of the sheet's file on a pool with one
//   thread per core and returns at once; a sheet prepared again drops its old words.
// - complete(document, language) first forgets the pages an earlier complete() queued,
//   then queues every file picture of the document not prepared in that language and
//   waits: through the waiter when one is set (it shows progress and may call
//   cancelPending()), otherwise until all are finished.
// - wordsOf(picture, language) answers, without waiting, the words of exactly the
//   picture's file (same file on disk, same size and times) when its recognition is done;
//   a page that failed, timed out or was cancelled has none.
// - progress() counts the queued pages and those finished; progressed() is emitted from
//   the pool's threads whenever a page finishes, pageGivenUp() for each page that got no
//   words, with its file's name.
// - cancelPending() stops every recognition not finished; clear() drops all pages; the
//   destructor cancels and waits for the pool.
#include "file_stamp.h"
#include "ocr_engine.h"
#include "page_text_source.h"

#include <QObject>
#include <QThreadPool>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace folivo {

class PageTextCache final : public QObject, public PageTextSource {
    Q_OBJECT
public:
    using EngineFactory = std::function<std::unique_ptr<OcrEngine>(OcrLanguage)>;
    using Waiter = std::function<void(PageTextCache&)>;
    struct Progress {
        int finished = 0;
        int total = 0;
    };

    explicit PageTextCache(EngineFactory factory = {});
    ~PageTextCache() override;

    void setWaiter(Waiter waiter) { m_waiter = std::move(waiter); }
    void prepare(const QString& sheet, OcrLanguage language);
    void complete(const PageDocument& document, OcrLanguage language) override;
    std::optional<OcrPage> wordsOf(const PagePicture& picture, OcrLanguage language) override;
    Progress progress() const;
    void cancelPending();
    void forget(const QString& sheet); // a sheet taken out of the run
    void clear();
    // Blocks until every queued page is finished.
    void waitUntilFinished();

signals:
    void progressed(int finished, int total);
    void pageGivenUp(const QString& fileName, OcrStatus status);

private:
    struct Entry {
        QString file;       // read from here
        QString name;       // shown to the user
        bool sheet = false; // prepared: kept until clear(), not only for one save
        FileStamp stamp;
        OcrLanguage language{};
        bool finished = false;
        std::atomic<bool> cancel{false};
        OcrPage page;
    };

    void queue(const QString& file, const QString& name, const FileStamp& stamp,
               OcrLanguage language, bool sheet);
    void recognise(const std::shared_ptr<Entry>& entry);
    std::unique_ptr<OcrEngine> takeEngine(OcrLanguage language);
    void returnEngine(OcrLanguage language, std::unique_ptr<OcrEngine> engine);

    EngineFactory m_factory;
    Waiter m_waiter;
    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<std::shared_ptr<Entry>> m_entries;
    std::vector<std::pair<OcrLanguage, std::unique_ptr<OcrEngine>>> m_idleEngines;
    QThreadPool m_pool;
};

} // namespace folivo
