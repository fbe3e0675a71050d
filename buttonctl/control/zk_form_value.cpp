#include "zk_form_value.h"

#include "zk_font.h"
#include "zk_picture.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace zk::form {

namespace {
constexpr qsizetype kMaxPictureBytes = 8 * 1024 * 1024;
constexpr int kMaxPictureSide = 2048;

ValueResult fail(const QString& why) {
    return {{}, why};
}

void skipSpaces(QStringView text, qsizetype& pos) {
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
}

bool expect(QStringView text, qsizetype& pos, QChar c) {
    skipSpaces(text, pos);
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// The unquoted token up to the next comma, parenthesis or space.
QStringView token(QStringView text, qsizetype& pos) {
    skipSpaces(text, pos);
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != u',' && text[pos] != u')' && text[pos] != u' ' &&
           text[pos] != u'\t')
        ++pos;
    return text.mid(start, pos - start);
}

// Reads an image with size limits, so a hostile file cannot ask for a huge allocation.
QImage readImage(QImageReader& reader) {
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
        return {};
    reader.setAllocationLimit(64);
    QImage image = reader.read();
    if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
        return {};
    return image;
}

ValueResult pictureFromFile(const QString& reference, const QString& baseDir) {
    QString path;
    if (reference.startsWith(QLatin1String(":/"))) {
        path = reference;
    } else {
        if (reference.isEmpty() || QDir::isAbsolutePath(reference) ||
            QDir::cleanPath(reference).startsWith(QLatin1String("..")) ||
            reference.contains(QLatin1String("/../")) || baseDir.isEmpty())
            return fail(QStringLiteral("picture path not allowed: ") + reference);
        path = QDir(baseDir).filePath(reference);
    }
    QImageReader reader(path);
    const QImage image = readImage(reader);
    if (image.isNull())
        return fail(QStringLiteral("picture cannot be read: ") + reference);
    const QString suffix = QFileInfo(path).suffix().toLower();
    const auto type = (suffix == QLatin1String("ico") || suffix == QLatin1String("cur"))
                          ? zkPicture::Icon
                          : zkPicture::Bitmap;
    return {QVariant::fromValue(zkPictureRef::create(image, type, reference)), {}};
}

ValueResult pictureFromData(QStringView args) {
    qsizetype pos = 0;
    bool okType = false;
    const int type = token(args, pos).toInt(&okType);
    QString data;
    if (!okType || type < zkPicture::Bitmap || type > zkPicture::EnhMetafile ||
        !expect(args, pos, u',') || (skipSpaces(args, pos), !parseQuoted(args, pos, data)))
        return fail(QStringLiteral("PictureData needs a type and a quoted base64 text"));
    if (data.isEmpty())
        return {QVariant::fromValue(zkPictureRef::create()), {}};
    if (data.size() > kMaxPictureBytes * 4 / 3 + 4)
        return fail(QStringLiteral("picture data too large"));
    const auto decoded =
        QByteArray::fromBase64Encoding(data.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return fail(QStringLiteral("picture data is not base64"));
    QByteArray bytes = *decoded;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "png");
    const QImage image = readImage(reader);
    if (image.isNull())
        return fail(QStringLiteral("picture data is not a PNG image"));
    return {
        QVariant::fromValue(zkPictureRef::create(image, static_cast<zkPicture::PictureType>(type))),
        {}};
}

ValueResult font(QStringView args) {
    qsizetype pos = 0;
    QString name;
    skipSpaces(args, pos);
    if (!parseQuoted(args, pos, name) || !expect(args, pos, u','))
        return fail(QStringLiteral("Font needs a quoted name and a size"));
    bool okSize = false;
    const double size = token(args, pos).toDouble(&okSize);
    if (!okSize || !(size > 0 && size <= 1638))
        return fail(QStringLiteral("font size out of range"));
    auto f = zkFontRef::create(name, size);
    while (expect(args, pos, u',')) {
        const QStringView flag = token(args, pos);
        if (flag == u"Bold")
            f->setBold(true);
        else if (flag == u"Italic")
            f->setItalic(true);
        else if (flag == u"Underline")
            f->setUnderline(true);
        else if (flag == u"Strikethrough")
            f->setStrikethrough(true);
        else
            return fail(QStringLiteral("unknown font style: ") + flag.toString());
    }
    skipSpaces(args, pos);
    if (pos != args.size())
        return fail(QStringLiteral("unexpected text in Font"));
    return {QVariant::fromValue(f), {}};
}

// The text between "Name(" and the final ")".
bool call(QStringView text, QStringView name, QStringView& args) {
    if (!text.startsWith(name) || text.size() < name.size() + 2 || text[name.size()] != u'(' ||
        !text.endsWith(u')'))
        return false;
    args = text.mid(name.size() + 1, text.size() - name.size() - 2);
    return true;
}
} // namespace

bool parseQuoted(QStringView text, qsizetype& pos, QString& out) {
    if (pos >= text.size() || text[pos] != u'"')
        return false;
    out.clear();
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            pos = i + 1;
            return true;
        }
        if (c != u'\\') {
            out.append(c);
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i].unicode()) {
        case '"':
            out.append(u'"');
            break;
        case '\\':
            out.append(u'\\');
            break;
        case 'n':
            out.append(u'\n');
            break;
        case 'r':
            out.append(u'\r');
            break;
        case 't':
            out.append(u'\t');
            break;
        default:
            return false;
        }
    }
    return false;
}

ValueResult parseValue(QStringView text, const QString& baseDir) {
    text = text.trimmed();
    if (text == u"True")
        return {true, {}};
    if (text == u"False")
        return {false, {}};
    if (text.startsWith(u'"')) {
        qsizetype pos = 0;
        QString out;
        if (!parseQuoted(text, pos, out) || pos != text.size())
            return fail(QStringLiteral("bad string"));
        return {out, {}};
    }
    if (text.startsWith(u"&H")) {
        if (text.size() < 4 || text.size() > 11 || !text.endsWith(u'&'))
            return fail(QStringLiteral("bad colour value"));
        bool ok = false;
        const uint v = text.mid(2, text.size() - 3).toUInt(&ok, 16);
        return ok ? ValueResult{QVariant::fromValue(v), {}}
                  : fail(QStringLiteral("bad colour value"));
    }
    QStringView args;
    if (call(text, u"Font", args))
        return font(args);
    if (call(text, u"PictureData", args))
        return pictureFromData(args);
    if (call(text, u"Picture", args)) {
        qsizetype pos = 0;
        QString reference;
        if (!parseQuoted(args, pos, reference) || pos != args.size())
            return fail(QStringLiteral("Picture needs one quoted path"));
        return pictureFromFile(reference, baseDir);
    }
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (ok)
        return {v, {}};
    return fail(QStringLiteral("unknown value: ") + text.left(40).toString());
}

} // namespace zk::form
