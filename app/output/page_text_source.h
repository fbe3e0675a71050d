#pragma once
// Where the PDF exporter gets the recognised words of its page pictures.
#include "ocr_setting.h"
#include "ocr_words.h"

#include <optional>

namespace folivo {

class PageDocument;
struct PagePicture;

class PageTextSource {
public:
    virtual ~PageTextSource() = default;
    // Recognises every picture of the document that has no words yet; returns when each
    // has them or was given up (failed, timed out, cancelled).
    virtual void complete(const PageDocument& document, OcrLanguage language) = 0;
    // The words of a picture recognised in `language`, without waiting; nothing when
    // there are none (not recognised, or given up).
    virtual std::optional<OcrPage> wordsOf(const PagePicture& picture, OcrLanguage language) = 0;
};

} // namespace folivo
