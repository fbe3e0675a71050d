#pragma once
// IniDocument: the text of one profile file, held as its lines so that a write
// changes only the line it must and keeps comments, blank lines and order.
//
// Contract:
// - parse() accepts any bytes (UTF-8 expected; invalid sequences decode to U+FFFD)
//   and never fails; lines that are neither a section header nor key=value are kept
//   verbatim and ignored by lookups.
// - Section and key names are compared without regard to letter case; spaces around
//   names and around the value are not part of them; one pair of surrounding double
//   quotes around a value is removed on read.
// - setValue() replaces the first matching key line of the first matching section,
//   or appends the key to that section, or appends a new section at the end.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace folivo {

class IniDocument {
public:
    static IniDocument parse(const QByteArray& bytes);

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    QByteArray toBytes() const;

private:
    struct Located {
        int sectionLine = -1;   // index of the "[section]" line, -1 when absent
        int keyLine = -1;       // index of the key line, -1 when absent
        int lastEntryLine = -1; // last non-blank line that belongs to the section
    };
    Located locate(const QString& section, const QString& key) const;

    QStringList m_lines;
    bool m_endsWithNewline = true;
    QString m_newline = QStringLiteral("\n");
};

} // namespace folivo
