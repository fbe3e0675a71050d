#include "ocr_setting.h"

#include "settings.h"

namespace folivo {
namespace {

const QString kSection = QStringLiteral("PDF");
const QString kOnKey = QStringLiteral("Ocr");
const QString kLanguageKey = QStringLiteral("OcrLanguage");

std::function<QString(OcrLanguage)>& modelCheck() {
    static std::function<QString(OcrLanguage)> check;
    return check;
}

} // namespace

OcrLanguage ParseOcrLanguage(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("jpn"))
        return OcrLanguage::Japanese;
    if (t == QLatin1String("eng"))
        return OcrLanguage::English;
    return OcrLanguage::JapaneseEnglish;
}

QString OcrLanguageText(OcrLanguage language) {
    switch (language) {
    case OcrLanguage::Japanese:
        return QStringLiteral("jpn");
    case OcrLanguage::English:
        return QStringLiteral("eng");
    case OcrLanguage::JapaneseEnglish:
        break;
    }
    return QStringLiteral("jpn+eng");
}

QStringList OcrModelsOf(OcrLanguage language) {
    QStringList models = OcrLanguageText(language).split(u'+');
    if (language != OcrLanguage::English)
        models.append(QStringLiteral("jpn_vert"));
    return models;
}

OcrSetting ReadOcrSetting() {
    OcrSetting setting;
    setting.on = ReadSetting(kSection, kOnKey, QString())
                     .trimmed()
                     .compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    setting.language = ParseOcrLanguage(ReadSetting(kSection, kLanguageKey, QString()));
    return setting;
}

int WriteOcrSetting(const OcrSetting& setting) {
    const int on = WriteSetting(kSection, kOnKey,
                                setting.on ? QStringLiteral("True") : QStringLiteral("False"));
    const int language = WriteSetting(kSection, kLanguageKey, OcrLanguageText(setting.language));
    return on != 0 && language != 0 ? 1 : 0;
}

void SetOcrModelCheck(std::function<QString(OcrLanguage)> check) {
    modelCheck() = std::move(check);
}

QString MissingOcrModelsOf(OcrLanguage language) {
    return modelCheck() ? modelCheck()(language) : QString();
}

} // namespace folivo
