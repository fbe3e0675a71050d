#include "ocr_module.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <QStringList>

namespace folivo {
namespace {

constexpr int kMargin = 24; // pixels

bool cancelled(void* flag, int) {
    return static_cast<const std::atomic<bool>*>(flag)->load();
}

QString takeText(char* utf8) {
    const QString text = QString::fromUtf8(utf8).trimmed();
    delete[] utf8;
    return text;
}

QRect boxOf(const tesseract::PageIterator& it, tesseract::PageIteratorLevel level) {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!it.BoundingBox(level, &left, &top, &right, &bottom))
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A block of columns: the layout analysis turns it on its side for the horizontal models.
bool isVertical(const tesseract::PageIterator& it) {
    tesseract::Orientation orientation{};
    tesseract::WritingDirection direction{};
    tesseract::TextlineOrder order{};
    float deskew = 0;
    it.Orientation(&orientation, &direction, &order, &deskew);
    return it.BlockType() == tesseract::PT_VERTICAL_TEXT ||
           direction == tesseract::WRITING_DIRECTION_TOP_TO_BOTTOM ||
           (orientation != tesseract::ORIENTATION_PAGE_UP &&
            orientation != tesseract::ORIENTATION_PAGE_DOWN);
}

class TesseractEngine final : public OcrEngine {
public:
    TesseractEngine(OcrLanguage language, int timeLimitMs)
        : m_language(language), m_timeLimitMs(timeLimitMs) {}

    OcrPage recognise(const QImage& picture, const std::atomic<bool>& cancel) override {
        OcrPage page;
        const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
        page.width = grey.width();
        page.height = grey.height();
        if (grey.isNull() || !ready(m_main, OcrLanguageText(m_language)))
            return page;
        tesseract::ETEXT_DESC monitor;
        monitor.cancel = &cancelled;
        monitor.cancel_this = const_cast<std::atomic<bool>*>(&cancel);
        monitor.set_deadline_msecs(m_timeLimitMs);
        setImage(*m_main, grey);
        m_main->SetPageSegMode(tesseract::PSM_AUTO);
        if (m_main->Recognize(&monitor) != 0)
            return finish(page, monitor, cancel, OcrStatus::Failed);
        std::vector<QRect> columns;
        collect(*m_main, page, columns);
        if (m_language != OcrLanguage::English && !columns.empty()) {
            if (!ready(m_vertical, QStringLiteral("jpn_vert")))
                return finish(page, monitor, cancel, OcrStatus::Failed);
            setImage(*m_vertical, grey);
            m_vertical->SetPageSegMode(tesseract::PSM_SINGLE_BLOCK_VERT_TEXT);
            for (const QRect& column : columns) {
                // A margin round the column, as the model saw in training.
                const QRect area =
                    column.adjusted(-kMargin, -kMargin, kMargin, kMargin).intersected(grey.rect());
                m_vertical->SetRectangle(area.left(), area.top(), area.width(), area.height());
                if (m_vertical->Recognize(&monitor) != 0)
                    return finish(page, monitor, cancel, OcrStatus::Failed);
                std::vector<QRect> none;
                collect(*m_vertical, page, none, true);
            }
        }
        return finish(page, monitor, cancel, OcrStatus::Done);
    }

private:
    static OcrPage finish(OcrPage& page, const tesseract::ETEXT_DESC& monitor,
                          const std::atomic<bool>& cancel, OcrStatus status) {
        if (cancel)
            status = OcrStatus::Cancelled;
        else if (monitor.deadline_exceeded())
            status = OcrStatus::TimedOut;
        page.status = status;
        if (status != OcrStatus::Done)
            page.words.clear();
        return std::move(page);
    }

    static bool ready(std::unique_ptr<tesseract::TessBaseAPI>& api, const QString& models) {
        if (api)
            return true;
        auto made = std::make_unique<tesseract::TessBaseAPI>();
        if (made->Init(nullptr, models.toUtf8().constData(), tesseract::OEM_LSTM_ONLY) != 0)
            return false;
        made->SetVariable("debug_file", "/dev/null"); // no chatter on the program's stderr
        api = std::move(made);
        return true;
    }

    static void setImage(tesseract::TessBaseAPI& api, const QImage& grey) {
        api.SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
        const int dpi = qRound(grey.dotsPerMeterX() * 0.0254);
        api.SetSourceResolution(dpi >= 70 && dpi <= 2400 ? dpi : 300);
    }

    // Words of the recognised blocks; a vertical block's place goes to `columns` instead,
    // unless `vertical` says the words are read as columns already.
    static void collect(tesseract::TessBaseAPI& api, OcrPage& page, std::vector<QRect>& columns,
                        bool vertical = false) {
        std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
        if (!it)
            return;
        bool skipBlock = false;
        QRect line;
        std::vector<OcrWord> words;
        auto endLine = [&] {
            SettleLine(words, line, vertical);
            for (OcrWord& word : words)
                page.words.push_back(std::move(word));
            words.clear();
        };
        do {
            if (it->IsAtBeginningOf(tesseract::RIL_BLOCK)) {
                skipBlock = !vertical && isVertical(*it);
                if (skipBlock)
                    columns.push_back(boxOf(*it, tesseract::RIL_BLOCK));
            }
            if (skipBlock)
                continue;
            if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
                endLine();
                line = boxOf(*it, tesseract::RIL_TEXTLINE);
            }
            words.push_back({takeText(it->GetUTF8Text(tesseract::RIL_WORD)),
                             boxOf(*it, tesseract::RIL_WORD), vertical});
        } while (it->Next(tesseract::RIL_WORD));
        endLine();
    }

    OcrLanguage m_language;
    int m_timeLimitMs;
    std::unique_ptr<tesseract::TessBaseAPI> m_main;
    std::unique_ptr<tesseract::TessBaseAPI> m_vertical;
};

std::unique_ptr<OcrEngine> makeEngine(OcrLanguage language, int timeLimitMs) {
    return std::make_unique<TesseractEngine>(language, timeLimitMs);
}

QString missingModels(OcrLanguage language) {
    QStringList missing;
    for (const QString& model : OcrModelsOf(language)) {
        tesseract::TessBaseAPI api;
        if (api.Init(nullptr, model.toUtf8().constData(), tesseract::OEM_LSTM_ONLY) != 0)
            missing.append(model);
    }
    return missing.join(QStringLiteral(", "));
}

const OcrModuleEntry kEntry{&makeEngine, &missingModels};

} // namespace
} // namespace folivo

extern "C" __attribute__((visibility("default"))) const folivo::OcrModuleEntry*
folivo_ocr_module() {
    return &folivo::kEntry;
}
