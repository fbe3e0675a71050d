#include "zk_form_text.h"

#include "zk_form_value.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zk::form {

namespace {
bool isIdentifier(QStringView s) {
    if (s.isEmpty() || s.size() > 128)
        return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        const bool dot = c == u'.' && i > 0;
        if (!letter && !(i > 0 && (digit || dot)))
            return false;
    }
    return true;
}

zkFormText failAt(zkFormText result, int line, const QString& why) {
    result.controls.clear();
    result.errorLine = line;
    result.error = why;
    return result;
}

QString escaped(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    out.append(u'"');
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out.append(QLatin1String("\\\""));
            break;
        case '\\':
            out.append(QLatin1String("\\\\"));
            break;
        case '\n':
            out.append(QLatin1String("\\n"));
            break;
        case '\r':
            out.append(QLatin1String("\\r"));
            break;
        case '\t':
            out.append(QLatin1String("\\t"));
            break;
        default:
            out.append(c);
        }
    }
    out.append(u'"');
    return out;
}
} // namespace

zkFormText parse(const QByteArray& text, const QString& baseDir) {
    zkFormText result;
    if (text.size() > kMaxTextBytes)
        return failAt(result, 0, QStringLiteral("form text too large"));
    const QString all = QString::fromUtf8(text);
    const QList<QStringView> lines = QStringView(all).split(u'\n');
    zkFormControl* open = nullptr;
    int openLine = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        if (lines[i].size() > kMaxLineBytes)
            return failAt(result, lineNo, QStringLiteral("line too long"));
        QStringView line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'\''))
            continue;
        if (line.startsWith(u"Begin ") || line.startsWith(u"Begin\t")) {
            if (open)
                return failAt(result, lineNo, QStringLiteral("Begin inside a block"));
            const QList<QStringView> parts = line.mid(6).trimmed().split(u' ', Qt::SkipEmptyParts);
            if (parts.size() != 2 || !isIdentifier(parts[0]) || !isIdentifier(parts[1]))
                return failAt(result, lineNo, QStringLiteral("Begin needs a class and a name"));
            if (result.controls.size() >= kMaxControls)
                return failAt(result, lineNo, QStringLiteral("too many controls"));
            result.controls.append({parts[0].toString(), parts[1].toString(),
                                    std::make_shared<zkMemoryPropertyBag>()});
            open = &result.controls.last();
            openLine = lineNo;
            continue;
        }
        if (line == u"End") {
            if (!open)
                return failAt(result, lineNo, QStringLiteral("End without Begin"));
            open = nullptr;
            continue;
        }
        if (!open)
            return failAt(result, lineNo, QStringLiteral("value outside a block"));
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return failAt(result, lineNo, QStringLiteral("expected Key = Value"));
        const QStringView key = line.left(eq).trimmed();
        if (!isIdentifier(key) || key.contains(u'.'))
            return failAt(result, lineNo, QStringLiteral("bad key"));
        // Written back, such a key would read as a block marker and break the form.
        if (key == u"Begin" || key == u"End")
            return failAt(result, lineNo, QStringLiteral("reserved key"));
        if (open->bag->size() >= kMaxKeysPerControl)
            return failAt(result, lineNo, QStringLiteral("too many keys"));
        const ValueResult value = parseValue(line.mid(eq + 1), baseDir);
        if (!value.error.isEmpty())
            return failAt(result, lineNo, value.error);
        open->bag->set(key.toString(), value.value);
    }
    if (open)
        return failAt(result, openLine, QStringLiteral("missing End"));
    return result;
}

QString formatValue(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<zkPictureRef>()) {
        const zkPictureRef p = value.value<zkPictureRef>();
        if (!zkHoldsPicture(p))
            return QStringLiteral("PictureData(1, \"\")");
        if (!p->source().isEmpty())
            return QStringLiteral("Picture(%1)").arg(escaped(p->source()));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        p->image().save(&buffer, "PNG");
        return QStringLiteral("PictureData(%1, \"%2\")")
            .arg(p->type())
            .arg(QString::fromLatin1(png.toBase64()));
    }
    if (value.metaType() == QMetaType::fromType<zkFontRef>()) {
        const zkFontRef f = value.value<zkFontRef>();
        if (!f)
            return QStringLiteral("Font(\"\", 9)");
        QString out = QStringLiteral("Font(%1, %2")
                          .arg(escaped(f->name()), QString::number(f->size(), 'g', 12));
        if (f->bold())
            out += QLatin1String(", Bold");
        if (f->italic())
            out += QLatin1String(", Italic");
        if (f->underline())
            out += QLatin1String(", Underline");
        if (f->strikethrough())
            out += QLatin1String(", Strikethrough");
        return out + u')';
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::UInt:
        return QStringLiteral("&H%1&").arg(value.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
    case QMetaType::QString:
        return escaped(value.toString());
    default:
        return QString::number(value.toInt());
    }
}

QByteArray write(const QList<zkFormControl>& controls) {
    QString out;
    for (const zkFormControl& control : controls) {
        out += QStringLiteral("Begin %1 %2\n").arg(control.className, control.name);
        if (control.bag) {
            for (const QString& key : control.bag->keys())
                out +=
                    QStringLiteral("   %1 = %2\n").arg(key, formatValue(control.bag->value(key)));
        }
        out += QStringLiteral("End\n");
    }
    return out.toUtf8();
}

zkFormText readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failAt({}, 0, QStringLiteral("cannot open ") + path);
    if (file.size() > kMaxTextBytes)
        return failAt({}, 0, QStringLiteral("form text too large"));
    return parse(file.readAll(), QFileInfo(path).absolutePath());
}

zkHostError writeFile(const QString& path, const QList<zkFormControl>& controls) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {1, file.errorString()};
    // QSaveFile::commit() does not report a failed final flush (a full disk), so every
    // byte is checked out before the rename.
    const QByteArray bytes = write(controls);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return {1, file.errorString()};
    }
    if (!file.commit())
        return {1, file.errorString()};
    return {};
}

} // namespace zk::form
