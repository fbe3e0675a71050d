#pragma once
// What the user sees of text recognition: the status-line texts and the wait at the end.
//
// WaitForText returns at once when every queued page is finished; otherwise it shows a
// modal progress dialog over `owner` until they are, and its "キャンセル" stops the rest
// (those pages then get no text).
#include "ocr_words.h"

#include <QString>

class QWidget;

namespace folivo {

class PageTextCache;
class StatusReporter;

// "文字認識中… 3 / 10"
QString OcrProgressText(int finished, int total);
// The status line for a page that gets no text.
QString OcrGivenUpText(const QString& fileName, OcrStatus status);
// Added to the end line of a PDF save when pages went without text.
QString OcrUntextedNote(int pages);

void WaitForText(PageTextCache& cache, QWidget* owner);

// Shows the cache's progress and given-up pages on the status line, waits for it at a PDF
// save with WaitForText over `owner`, and lets the settings window ask the models.
void ConnectTextRecognition(PageTextCache& cache, StatusReporter& status, QWidget* owner);

} // namespace folivo
