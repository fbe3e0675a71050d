// The Qt-typed stand-ins Designer edits in place of zkButton's pictures, font and colours.
#include "zk_property_descriptions.h"
#include "zkbutton.h"
#include "zkbutton_p.h"

#include <QRegularExpression>

QString zkButton::propertyDescription(const QString& property) {
    static const QRegularExpression standIn(QStringLiteral("(QPixmap|QFont|QColor|File)$"));
    QString name = property;
    name.remove(standIn);
    return zk::propertyDescription(name);
}

namespace {
QString fileOf(const zkPictureRef& p) {
    return p ? p->source() : QString();
}

zkPictureRef pictureFromFile(const QString& path) {
    return path.isEmpty() ? zkPictureRef() : zkPicture::fromFile(path);
}

QPixmap pixmapOf(const zkPictureRef& p) {
    return zkHoldsPicture(p) ? QPixmap::fromImage(p->image()) : QPixmap();
}

zkPictureRef pictureOf(const QPixmap& pixmap) {
    return pixmap.isNull() ? zkPictureRef() : zkPictureRef::create(pixmap.toImage());
}

uint oleColorOf(const QColor& c) {
    return uint(c.red()) | uint(c.green()) << 8 | uint(c.blue()) << 16;
}
} // namespace

QString zkButton::pictureFile() const {
    return fileOf(d->props.picture);
}
void zkButton::setPictureFile(const QString& v) {
    setPicture(pictureFromFile(v));
}
QPixmap zkButton::picturePixmap() const {
    return pixmapOf(d->props.picture);
}
void zkButton::setPicturePixmap(const QPixmap& v) {
    setPicture(pictureOf(v));
}
QString zkButton::downPictureFile() const {
    return fileOf(d->props.downPicture);
}
void zkButton::setDownPictureFile(const QString& v) {
    setDownPicture(pictureFromFile(v));
}
QPixmap zkButton::downPicturePixmap() const {
    return pixmapOf(d->props.downPicture);
}
void zkButton::setDownPicturePixmap(const QPixmap& v) {
    setDownPicture(pictureOf(v));
}
QString zkButton::selectPictureFile() const {
    return fileOf(d->props.selectPicture);
}
void zkButton::setSelectPictureFile(const QString& v) {
    setSelectPicture(pictureFromFile(v));
}
QPixmap zkButton::selectPicturePixmap() const {
    return pixmapOf(d->props.selectPicture);
}
void zkButton::setSelectPicturePixmap(const QPixmap& v) {
    setSelectPicture(pictureOf(v));
}
QString zkButton::disablePictureFile() const {
    return fileOf(d->props.disablePicture);
}
void zkButton::setDisablePictureFile(const QString& v) {
    setDisablePicture(pictureFromFile(v));
}
QPixmap zkButton::disablePicturePixmap() const {
    return pixmapOf(d->props.disablePicture);
}
void zkButton::setDisablePicturePixmap(const QPixmap& v) {
    setDisablePicture(pictureOf(v));
}
QString zkButton::mouseIconFile() const {
    return fileOf(d->props.mouseIcon);
}
void zkButton::setMouseIconFile(const QString& v) {
    setMouseIcon(pictureFromFile(v));
}
QPixmap zkButton::mouseIconPixmap() const {
    return pixmapOf(d->props.mouseIcon);
}
void zkButton::setMouseIconPixmap(const QPixmap& v) {
    setMouseIcon(pictureOf(v));
}
QColor zkButton::backQColor() const {
    return resolveColor(d->props.backColor);
}
void zkButton::setBackQColor(const QColor& v) {
    setBackColor(oleColorOf(v));
}
QColor zkButton::foreQColor() const {
    return resolveColor(d->props.foreColor);
}
void zkButton::setForeQColor(const QColor& v) {
    setForeColor(oleColorOf(v));
}
QColor zkButton::fillQColor() const {
    return resolveColor(d->props.fillColor);
}
void zkButton::setFillQColor(const QColor& v) {
    setFillColor(oleColorOf(v));
}
QColor zkButton::maskQColor() const {
    return resolveColor(d->props.maskColor);
}
void zkButton::setMaskQColor(const QColor& v) {
    setMaskColor(oleColorOf(v));
}

QFont zkButton::fontQFont() const {
    if (!d->props.font)
        return {};
    // Each attribute set explicitly, so that a form writer stores all of them.
    QFont f(d->props.font->name());
    f.setPointSizeF(d->props.font->size());
    f.setBold(d->props.font->bold());
    f.setItalic(d->props.font->italic());
    f.setUnderline(d->props.font->underline());
    f.setStrikeOut(d->props.font->strikethrough());
    return f;
}

void zkButton::setFontQFont(const QFont& v) {
    setButtonFont(zkFont::fromQFont(v));
}
