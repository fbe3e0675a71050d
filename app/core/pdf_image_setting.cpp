#include "pdf_image_setting.h"

#include "settings.h"

namespace folivo {
namespace {

const QString kSection = QStringLiteral("PDF");
const QString kKey = QStringLiteral("Image");

} // namespace

PdfImageChoice ParsePdfImageChoice(const QString& text) {
    return text.trimmed().compare(QLatin1String("Jpeg"), Qt::CaseInsensitive) == 0
               ? PdfImageChoice::Jpeg
               : PdfImageChoice::Lossless;
}

QString PdfImageChoiceText(PdfImageChoice choice) {
    return choice == PdfImageChoice::Jpeg ? QStringLiteral("Jpeg") : QStringLiteral("Lossless");
}

PdfImageChoice ReadPdfImageChoice() {
    return ParsePdfImageChoice(ReadSetting(kSection, kKey, QString()));
}

int WritePdfImageChoice(PdfImageChoice choice) {
    return WriteSetting(kSection, kKey, PdfImageChoiceText(choice));
}

} // namespace folivo
