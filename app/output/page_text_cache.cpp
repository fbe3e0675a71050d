#include "page_text_cache.h"

#include "page_document.h"

#include <QFileInfo>
#include <QImage>
#include <QThread>
#include <algorithm>

namespace folivo {

PageTextCache::PageTextCache(EngineFactory factory) : m_factory(std::move(factory)) {
    if (!m_factory)
        m_factory = [](OcrLanguage language) { return MakeTesseractEngine(language); };
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
}

PageTextCache::~PageTextCache() {
    cancelPending();
    m_pool.waitForDone();
}

void PageTextCache::prepare(const QString& sheet, OcrLanguage language) {
    if (const auto stamp = StampOf(sheet))
        queue(sheet, QFileInfo(sheet).fileName(), *stamp, language, true);
}

void PageTextCache::queue(const QString& file, const QString& name, const FileStamp& stamp,
                          OcrLanguage language, bool sheet) {
    auto entry = std::make_shared<Entry>();
    entry->sheet = sheet;
    entry->file = file;
    entry->name = name;
    entry->stamp = stamp;
    entry->language = language;
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_entries, [&](const std::shared_ptr<Entry>& old) {
            if (old->file != file || old->language != language)
                return false;
            old->cancel = true;
            return true;
        });
        m_entries.push_back(entry);
    }
    m_pool.start([this, entry] { recognise(entry); });
}

void PageTextCache::recognise(const std::shared_ptr<Entry>& entry) {
    OcrPage page;
    if (entry->cancel) {
        page.status = OcrStatus::Cancelled;
    } else {
        const QImage picture(entry->file);
        // A file changed since it was queued is another page: its words would not fit.
        if (!picture.isNull() && StampOf(entry->file) == entry->stamp) {
            // Without an engine (the recognition module is missing) the page fails.
            if (auto engine = takeEngine(entry->language)) {
                page = engine->recognise(picture, entry->cancel);
                returnEngine(entry->language, std::move(engine));
            }
        }
    }
    // Told before the page counts as finished, so whoever waited for it has heard.
    if (page.status == OcrStatus::Failed || page.status == OcrStatus::TimedOut)
        emit pageGivenUp(entry->name, page.status);
    Progress now;
    {
        std::lock_guard lock(m_mutex);
        entry->page = std::move(page);
        entry->finished = true;
        now = {int(std::count_if(m_entries.begin(), m_entries.end(),
                                 [](const auto& e) { return e->finished; })),
               int(m_entries.size())};
    }
    m_finished.notify_all();
    const bool listed = now.total > 0 && !entry->cancel.load();
    if (listed)
        emit progressed(now.finished, now.total);
}

std::unique_ptr<OcrEngine> PageTextCache::takeEngine(OcrLanguage language) {
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_idleEngines.begin(); it != m_idleEngines.end(); ++it) {
            if (it->first == language) {
                auto engine = std::move(it->second);
                m_idleEngines.erase(it);
                return engine;
            }
        }
    }
    return m_factory(language);
}

void PageTextCache::returnEngine(OcrLanguage language, std::unique_ptr<OcrEngine> engine) {
    std::lock_guard lock(m_mutex);
    m_idleEngines.emplace_back(language, std::move(engine));
}

void PageTextCache::complete(const PageDocument& document, OcrLanguage language) {
    {
        // Pages a previous save queued were for that save alone; sheets stay till clear().
        std::lock_guard lock(m_mutex);
        std::erase_if(m_entries, [](const std::shared_ptr<Entry>& e) {
            return !e->sheet && (e->finished || e->cancel);
        });
    }
    for (const Page& page : document.pages()) {
        for (const PagePicture& picture : page.pictures) {
            if (picture.filePath.isEmpty())
                continue;
            const auto stamp = StampOf(picture.readPath());
            if (!stamp)
                continue;
            bool known = false;
            {
                std::lock_guard lock(m_mutex);
                for (const auto& entry : m_entries)
                    known = known || (entry->stamp == *stamp && entry->language == language &&
                                      !entry->cancel);
            }
            if (!known)
                queue(picture.readPath(), QFileInfo(picture.filePath).fileName(), *stamp, language,
                      false);
        }
    }
    if (m_waiter)
        m_waiter(*this);
    else
        waitUntilFinished();
}

void PageTextCache::waitUntilFinished() {
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [&] {
        return std::all_of(m_entries.begin(), m_entries.end(),
                           [](const auto& e) { return e->finished; });
    });
}

std::optional<OcrPage> PageTextCache::wordsOf(const PagePicture& picture, OcrLanguage language) {
    if (picture.filePath.isEmpty())
        return std::nullopt;
    const auto stamp = StampOf(picture.readPath());
    if (!stamp)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    for (const auto& entry : m_entries) {
        if (entry->stamp == *stamp && entry->language == language && entry->finished &&
            entry->page.status == OcrStatus::Done)
            return entry->page;
    }
    return std::nullopt;
}

PageTextCache::Progress PageTextCache::progress() const {
    std::lock_guard lock(m_mutex);
    Progress now;
    now.total = int(m_entries.size());
    for (const auto& entry : m_entries)
        now.finished += entry->finished ? 1 : 0;
    return now;
}

void PageTextCache::cancelPending() {
    std::lock_guard lock(m_mutex);
    for (const auto& entry : m_entries)
        if (!entry->finished)
            entry->cancel = true;
}

void PageTextCache::forget(const QString& sheet) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const std::shared_ptr<Entry>& old) {
        if (old->file != sheet)
            return false;
        old->cancel = true;
        return true;
    });
}

void PageTextCache::clear() {
    std::lock_guard lock(m_mutex);
    for (const auto& entry : m_entries)
        entry->cancel = true;
    m_entries.clear();
}

} // namespace folivo
