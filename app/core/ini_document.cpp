#include "ini_document.h"

namespace folivo {
namespace {

// "[name]" with optional spaces; anything after the closing bracket is ignored.
std::optional<QString> sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString& trimmed) {
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

std::optional<std::pair<QString, QString>> keyValue(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || isComment(t) || t.startsWith(u'['))
        return std::nullopt;
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return std::nullopt;
    QString v = t.mid(eq + 1).trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        v = v.mid(1, v.size() - 2);
    return std::make_pair(t.left(eq).trimmed(), v);
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument doc;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.contains(QStringLiteral("\r\n")))
        doc.m_newline = QStringLiteral("\r\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.isEmpty())
        return doc;
    doc.m_endsWithNewline = text.endsWith(u'\n');
    if (doc.m_endsWithNewline)
        text.chop(1);
    doc.m_lines = text.split(u'\n');
    return doc;
}

IniDocument::Located IniDocument::locate(const QString& section, const QString& key) const {
    Located at;
    bool inside = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (const auto name = sectionName(m_lines[i])) {
            if (inside)
                break; // only the first matching section counts
            inside = sameName(*name, section);
            if (inside)
                at.sectionLine = at.lastEntryLine = i;
            continue;
        }
        if (!inside)
            continue;
        if (!m_lines[i].trimmed().isEmpty())
            at.lastEntryLine = i;
        if (at.keyLine < 0) {
            if (const auto kv = keyValue(m_lines[i]); kv && sameName(kv->first, key))
                at.keyLine = i;
        }
    }
    return at;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const Located at = locate(section, key);
    if (at.keyLine < 0)
        return std::nullopt;
    return keyValue(m_lines[at.keyLine])->second;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const Located at = locate(section, key);
    const QString line = key + u'=' + value;
    if (at.keyLine >= 0) {
        m_lines[at.keyLine] = line;
    } else if (at.sectionLine >= 0) {
        m_lines.insert(at.lastEntryLine + 1, line);
    } else {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    }
    m_endsWithNewline = true;
}

QByteArray IniDocument::toBytes() const {
    QString text = m_lines.join(m_newline);
    if (m_endsWithNewline && !m_lines.isEmpty())
        text += m_newline;
    return text.toUtf8();
}

} // namespace folivo
