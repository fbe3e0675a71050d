#pragma once
// The words recognised on one page picture, with their boxes in the picture's pixels
// (origin top-left). A vertical word runs top to bottom inside its box.
#include <QRect>
#include <QString>
#include <vector>

namespace folivo {

struct OcrWord {
    QString text;
    QRect box;
    bool vertical = false;
};

enum class OcrStatus {
    Done,      // the words are all the page has
    Failed,    // the engine could not read the page
    TimedOut,  // the time limit ran out: the page gets no text
    Cancelled, // stopped by the user: the page gets no text
};

struct OcrPage {
    OcrStatus status = OcrStatus::Failed;
    int width = 0; // the picture's pixels the boxes refer to
    int height = 0;
    std::vector<OcrWord> words;
};

// Readies the words of one text line for a text layer: empty ones go; across the line
// each takes the line's extent, so that a reader sees one baseline and keeps the line
// together; and along it no word reaches over the next, while one that joins the next
// without a space (Japanese) reaches up to it, so that no reader puts a space between.
void SettleLine(std::vector<OcrWord>& words, const QRect& line, bool vertical);

} // namespace folivo
