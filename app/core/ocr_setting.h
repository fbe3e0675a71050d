#pragma once
// "PDF"/"Ocr" and "PDF"/"OcrLanguage": whether a PDF gets an invisible text layer of the
// words recognised on its pages, and in which languages.
//
// "Ocr" is on only for the text "True" (any letter case); absent or anything else is off,
// so a damaged file never starts the slow recognition. "OcrLanguage" is "jpn+eng" (the
// default, also for an unknown text), "jpn" or "eng". The writer and the PDF compression
// window read them through the same function, so they always agree.
#include <QString>
#include <QStringList>
#include <functional>

namespace folivo {

enum class OcrLanguage { JapaneseEnglish, Japanese, English };

struct OcrSetting {
    bool on = false;
    OcrLanguage language = OcrLanguage::JapaneseEnglish;
};

OcrLanguage ParseOcrLanguage(const QString& text);
// The model names Tesseract loads: "jpn+eng", "jpn" or "eng".
QString OcrLanguageText(OcrLanguage language);
// Every model reading a language takes: its own, and for Japanese the vertical one.
QStringList OcrModelsOf(OcrLanguage language);
OcrSetting ReadOcrSetting();
int WriteOcrSetting(const OcrSetting& setting);

// The models of a language the recogniser cannot load, as "jpn, jpn_vert" (empty when
// all load), through the check the program installs at start; without one, none.
void SetOcrModelCheck(std::function<QString(OcrLanguage)> check);
QString MissingOcrModelsOf(OcrLanguage language);

} // namespace folivo
