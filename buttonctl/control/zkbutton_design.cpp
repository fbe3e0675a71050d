// The Qt-typed stand-ins Designer edits in place of zkButton's pictures, font and colours.
#include "zk_property_descriptions.h"
#include "zkbutton.h"

#include <QRegularExpression>

QString zkButton::propertyDescription(const QString& property) {
    static const QRegularExpression standIn(QStringLiteral("(QPixmap|QFont|QColor|File)$"));
    QString name = property;
    name.remove(standIn);
    return zk::propertyDescription(name);
}

QString zkButton::fileOf(const zkPictureRef& p) {
    return p ? p->source() : QString();
}

zkPictureRef zkButton::pictureFromFile(const QString& path) {
    return path.isEmpty() ? zkPictureRef() : zkPicture::fromFile(path);
}

QPixmap zkButton::pixmapOf(const zkPictureRef& p) {
    return zkHoldsPicture(p) ? QPixmap::fromImage(p->image()) : QPixmap();
}

zkPictureRef zkButton::pictureOf(const QPixmap& pixmap) {
    return pixmap.isNull() ? zkPictureRef() : zkPictureRef::create(pixmap.toImage());
}

uint zkButton::oleColorOf(const QColor& c) {
    return uint(c.red()) | uint(c.green()) << 8 | uint(c.blue()) << 16;
}

QFont zkButton::fontQFont() const {
    if (!m_font)
        return {};
    // Each attribute set explicitly, so that a form writer stores all of them.
    QFont f(m_font->name());
    f.setPointSizeF(m_font->size());
    f.setBold(m_font->bold());
    f.setItalic(m_font->italic());
    f.setUnderline(m_font->underline());
    f.setStrikeOut(m_font->strikethrough());
    return f;
}

void zkButton::setFontQFont(const QFont& v) {
    setButtonFont(zkFont::fromQFont(v));
}
