#pragma once
// The settings file "Folivo.ini": the only persistent settings of the program.
//
// Every call opens and closes the file, so a value changed by hand or by another
// window is seen by the next read; nothing is cached.
// - ReadSetting never fails: a missing file, section or key gives the default. At most
//   255 bytes of the stored value (UTF-8) are returned, never half a character.
// - WriteSetting answers 1 when the value is stored, 0 when it is not (read-only file or
//   folder, a section, key or value that would break the file's line structure). The
//   file is replaced through a temporary file in the same folder (durable_file.h), so it
//   is either the old or the new file, never a half-written one. A value with blanks at
//   either end or quotes there is stored in quotes and reads back exactly.
// - A file that is not valid UTF-8 (another encoding, damaged bytes) is read as far as
//   it decodes but never rewritten: WriteSetting answers 0 for it.
// - ParseSettingBool reads "True"/"False" in any letter case, or a number (0 false,
//   anything else true); other text is not a boolean.
#include <QString>
#include <optional>

namespace folivo {

inline constexpr int kSettingValueMaxBytes = 255;

QString SettingsFilePath();
QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue);
int WriteSetting(const QString& section, const QString& key, const QString& value);
std::optional<bool> ParseSettingBool(const QString& text);
// Whether the settings file exists and is not valid UTF-8, so that no change is stored.
bool SettingsFileIsUnreadableText();

// Cuts UTF-8 text to at most maxBytes bytes at a character boundary.
QString TruncateUtf8(const QString& text, int maxBytes);

} // namespace folivo
