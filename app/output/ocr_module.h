#pragma once
// The entry of the text recognition module (internal to app/output).
//
// Tesseract and the forty-odd libraries beneath it live in a module of their own
// (libfolivo_ocr.so, beside the program), loaded when text is first recognised, so
// that starting the program and every other job never pays for them.
#include "ocr_engine.h"

namespace folivo {

struct OcrModuleEntry {
    std::unique_ptr<OcrEngine> (*makeEngine)(OcrLanguage language, int timeLimitMs);
    QString (*missingModels)(OcrLanguage language);
};

inline constexpr char kOcrModuleFile[] = "libfolivo_ocr.so";
inline constexpr char kOcrModuleEntryName[] = "folivo_ocr_module";

} // namespace folivo

extern "C" const folivo::OcrModuleEntry* folivo_ocr_module();
