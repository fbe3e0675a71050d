#pragma once
// Text recognition of one page picture, behind an interface so that the rest can be
// tried with a fake.
//
// TesseractEngine reads through the Tesseract library with the models of the language
// setting. Vertical Japanese is found by the layout analysis; such blocks are read again
// with the vertical model. recognise() gives up with TimedOut after the time limit, and
// with Cancelled soon after `cancel` turns true. One engine serves one thread at a time.
#include "ocr_setting.h"
#include "ocr_words.h"

#include <QImage>
#include <atomic>
#include <memory>

namespace folivo {

class OcrEngine {
public:
    virtual ~OcrEngine() = default;
    virtual OcrPage recognise(const QImage& picture, const std::atomic<bool>& cancel) = 0;
};

inline constexpr int kOcrPageTimeLimitMs = 120000;

// Nothing when the recognition module cannot be loaded.
std::unique_ptr<OcrEngine> MakeTesseractEngine(OcrLanguage language,
                                               int timeLimitMs = kOcrPageTimeLimitMs);

// Tesseract's OpenMP threads spin for work; beside one recognition per core they cost
// several times the CPU time. OpenMP reads its thread limit once, when it is loaded, and
// Qt itself brings it in before main(); so this starts the program again with the limit
// set, unless it is set already. Call first in main().
void RestartWithOcrThreadLimit(char** argv);

// The models of `language` Tesseract cannot load, as "jpn, jpn_vert"; empty when all load.
// Without the recognition module, every model of the language counts as missing.
QString MissingOcrModels(OcrLanguage language);

} // namespace folivo
