#pragma once
// The modal questions of the save and multi-page commands, answered by the test:
// - AnsweringSaveDialog answers `answer` ("" = Cancel) and counts how often it was shown.
// - ScriptedBookPrompt answers from a queue ("完了" once it is empty, so a loop always
//   ends), keeps what each question showed, and runs onAsk while it is "open".
// Needs the folivo_output target (save_dialog.h, book_pdf_prompt.h).
#include "book_pdf_prompt.h"
#include "save_dialog.h"

#include <deque>
#include <functional>
#include <vector>

namespace folivo::test {

class AnsweringSaveDialog final : public SaveDialog {
public:
    QString askSaveFileName(const QString&, const QString&) override {
        ++shown;
        return answer;
    }
    QString answer;
    int shown = 0;
};

class ScriptedBookPrompt final : public BookPdfPrompt {
public:
    BookPdfAnswer ask(const BookPdfPromptInfo& info) override {
        seen.push_back(info);
        BookPdfAnswer answer = BookPdfAnswer::Done;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (onAsk)
            onAsk();
        return answer;
    }
    bool goOnWithKeptSheets(int keptSheets) override {
        keptAsked.push_back(keptSheets);
        return goOn;
    }
    QStringList captions() const {
        QStringList all;
        for (const BookPdfPromptInfo& info : seen)
            all << info.nextCaption;
        return all;
    }

    std::deque<BookPdfAnswer> answers;
    std::vector<BookPdfPromptInfo> seen;
    std::function<void()> onAsk;
    bool goOn = true;           // the answer about kept sheets
    std::vector<int> keptAsked; // the kept-sheet counts asked about
};

} // namespace folivo::test
