#include "settings.h"

#include "durable_file.h"
#include "ini_document.h"
#include "program_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace folivo {
namespace {

bool breaksLineStructure(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)QString(decoder(bytes));
    return !decoder.hasError();
}

// The reader trims blanks and takes off one pair of quotes, so a value that would lose
// either is stored inside quotes and reads back exactly as given.
QString storedForm(const QString& value) {
    if (value != value.trimmed() || value.startsWith(u'"') || value.endsWith(u'"'))
        return u'"' + value + u'"';
    return value;
}

} // namespace

QString SettingsFilePath() {
    return JoinPath(DataFolder(), QStringLiteral("Folivo.ini"));
}

QString TruncateUtf8(const QString& text, int maxBytes) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes)
        return text;
    qsizetype cut = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    return QString::fromUtf8(bytes.left(cut));
}

QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue) {
    QFile file(SettingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const auto value = IniDocument::parse(file.readAll()).value(section, key);
    return value ? TruncateUtf8(*value, kSettingValueMaxBytes) : defaultValue;
}

int WriteSetting(const QString& section, const QString& key, const QString& value) {
    if (section.isEmpty() || key.isEmpty() || breaksLineStructure(section) ||
        breaksLineStructure(key) || breaksLineStructure(value) || section.contains(u']') ||
        key.contains(u'=') || key.trimmed().startsWith(u'['))
        return 0;
    const QString path = SettingsFilePath();
    const QFileInfo info(path);
    // A rename would replace a read-only file, so refuse here as the file itself would.
    if (info.exists() && (!info.isFile() || !IsWritablePath(path)))
        return 0;
    if (!info.exists() && !IsWritablePath(info.absolutePath()))
        return 0;
    QByteArray old;
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        old = file.readAll();
        // Rewriting text we could not decode would damage the rest of the file.
        if (!isUtf8(old))
            return 0;
    }
    IniDocument doc = IniDocument::parse(old);
    doc.setValue(section, key, storedForm(value));
    DurableFile out(path);
    if (!out.open())
        return 0;
    const QByteArray bytes = doc.toBytes();
    if (out.write(bytes) != bytes.size())
        return 0;
    return out.commit() == DurableFile::Commit::Ok ? 1 : 0;
}

bool SettingsFileIsUnreadableText() {
    QFile file(SettingsFilePath());
    return file.open(QIODevice::ReadOnly) && !isUtf8(file.readAll());
}

std::optional<bool> ParseSettingBool(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (ok)
        return number != 0.0;
    return std::nullopt;
}

} // namespace folivo
