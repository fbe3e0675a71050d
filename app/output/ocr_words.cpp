#include "ocr_words.h"

#include <algorithm>

namespace folivo {
namespace {

// Scripts written without spaces between words: CJK and the full-width forms.
bool spaceless(QChar c) {
    return c.unicode() >= 0x2E80 && !c.isSpace();
}

} // namespace

void SettleLine(std::vector<OcrWord>& words, const QRect& line, bool vertical) {
    std::erase_if(words,
                  [](const OcrWord& w) { return w.text.trimmed().isEmpty() || w.box.isEmpty(); });
    for (OcrWord& word : words) {
        word.text = word.text.trimmed();
        QRect& b = word.box;
        if (!line.isEmpty()) {
            if (vertical)
                b.setCoords(line.left(), b.top(), line.right(), b.bottom());
            else
                b.setCoords(b.left(), line.top(), b.right(), line.bottom());
        }
    }
    // Word boxes of some scripts stray over their neighbours; each ends where the next
    // begins, and words without a space between them meet.
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        QRect& b = words[i].box;
        const QRect& next = words[i + 1].box;
        const bool join = spaceless(words[i].text.back()) && spaceless(words[i + 1].text.front());
        if (vertical && next.top() > b.top() && (join || next.top() <= b.bottom()))
            b.setBottom(next.top() - 1);
        else if (!vertical && next.left() > b.left() && (join || next.left() <= b.right()))
            b.setRight(next.left() - 1);
    }
}

} // namespace folivo
