#pragma once
// "PDF"/"Image": how colour and grey pictures are stored in a compressed PDF.
//
// "Lossless" keeps every sample; "Jpeg" stores them as JPEG at the quality of the JPEG
// settings. Read in any letter case; an absent or unknown text means Lossless, so a
// damaged value never costs picture quality. The writer and the PDF compression window
// read it through the same function, so they always agree.
#include <QString>

namespace folivo {

enum class PdfImageChoice { Lossless, Jpeg };

PdfImageChoice ParsePdfImageChoice(const QString& text);
QString PdfImageChoiceText(PdfImageChoice choice);
PdfImageChoice ReadPdfImageChoice();
int WritePdfImageChoice(PdfImageChoice choice);

} // namespace folivo
