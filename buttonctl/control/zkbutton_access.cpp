// The property getters and setters of zkButton: every setter runs its row of the property
// table.
#include "zkbutton.h"
#include "zkbutton_p.h"

zkButton::AppearanceEnum zkButton::appearance() const {
    return d->props.appearance;
}
uint zkButton::backColor() const {
    return d->props.backColor;
}
bool zkButton::cancel() const {
    return d->props.cancel;
}
QString zkButton::caption() const {
    return d->props.caption;
}
zkButton::CaptionAlignEnum zkButton::captionAlign() const {
    return d->props.captionAlign;
}
bool zkButton::isDefault() const {
    return d->props.isDefault;
}
zkPictureRef zkButton::disablePicture() const {
    return d->props.disablePicture;
}
zkPictureRef zkButton::downPicture() const {
    return d->props.downPicture;
}
bool zkButton::isButtonEnabled() const {
    return d->props.enabled;
}
zkFontRef zkButton::buttonFont() const {
    return d->props.font;
}
int zkButton::focusRectMargin() const {
    return d->props.focusRectMargin;
}
uint zkButton::foreColor() const {
    return d->props.foreColor;
}
uint zkButton::fillColor() const {
    return d->props.fillColor;
}
int zkButton::hWnd() const {
    return d->handle;
}
int zkButton::hdc() const {
    return d->handle;
}
uint zkButton::maskColor() const {
    return d->props.maskColor;
}
zkPictureRef zkButton::mouseIcon() const {
    return d->props.mouseIcon;
}
int zkButton::mousePointer() const {
    return d->props.mousePointer;
}
zkButton::OLEDropModeEnum zkButton::oleDropMode() const {
    return d->props.oleDropMode;
}
zkPictureRef zkButton::picture() const {
    return d->props.picture;
}
zkButton::PictureAlignEnum zkButton::pictureAlign() const {
    return d->props.pictureAlign;
}
zkPictureRef zkButton::selectPicture() const {
    return d->props.selectPicture;
}
bool zkButton::showFocusRect() const {
    return d->props.showFocusRect;
}
zkButton::StyleEnum zkButton::buttonStyle() const {
    return d->props.style;
}
bool zkButton::useMaskColor() const {
    return d->props.useMaskColor;
}
zkButton::ValueEnum zkButton::value() const {
    return d->props.value;
}
bool zkButton::ownerDraw() const {
    return d->props.ownerDraw;
}
int zkButton::drawMode() const {
    return d->props.drawMode;
}
int zkButton::drawStyle() const {
    return d->props.drawStyle;
}
int zkButton::drawWidth() const {
    return d->props.drawWidth;
}
int zkButton::fillStyle() const {
    return d->props.fillStyle;
}
int zkButton::scaleMode() const {
    return d->props.scaleMode;
}
bool zkButton::useMnemonic() const {
    return d->props.useMnemonic;
}
QString zkButton::displayCaption() const {
    return d->displayCaption;
}
int zkButton::mnemonicPos() const {
    return d->mnemonicPos;
}
QString zkButton::accessKeys() const {
    return d->accessKeys;
}
const QImage& zkButton::visibleSurface() const {
    return d->canvas.surface;
}
const QImage& zkButton::buffer() const {
    return d->canvas.buffer;
}
int zkButton::surfaceCopyCount() const {
    return d->canvas.copyCount;
}
int zkButton::hoverState() const {
    return d->input.hoverState;
}
bool zkButton::isPressed() const {
    return d->input.pressed;
}
bool zkButton::hasButtonFocus() const {
    return d->input.hasFocus;
}
void zkButton::setAppearance(AppearanceEnum v) {
    d->set(zkProperty::Appearance, v);
}
void zkButton::setBackColor(uint v) {
    d->set(zkProperty::BackColor, v);
}
void zkButton::setCancel(bool v) {
    d->set(zkProperty::Cancel, v);
}
void zkButton::setCaption(const QString& v) {
    d->set(zkProperty::Caption, v);
}
void zkButton::setCaptionAlign(CaptionAlignEnum v) {
    d->set(zkProperty::CaptionAlign, v);
}
void zkButton::setDefault(bool v) {
    d->set(zkProperty::Default, v);
}
void zkButton::setDisablePicture(const zkPictureRef& v) {
    d->set(zkProperty::DisablePicture, v);
}
void zkButton::setDownPicture(const zkPictureRef& v) {
    d->set(zkProperty::DownPicture, v);
}
void zkButton::setButtonEnabled(bool v) {
    d->set(zkProperty::Enabled, v);
}
void zkButton::setButtonFont(const zkFontRef& v) {
    d->set(zkProperty::Font, v);
}
void zkButton::setFocusRectMargin(int v) {
    d->set(zkProperty::FocusRectMargin, v);
}
void zkButton::setForeColor(uint v) {
    d->set(zkProperty::ForeColor, v);
}
void zkButton::setFillColor(uint v) {
    d->set(zkProperty::FillColor, v);
}
void zkButton::setMaskColor(uint v) {
    d->set(zkProperty::MaskColor, v);
}
void zkButton::setMouseIcon(const zkPictureRef& v) {
    d->set(zkProperty::MouseIcon, v);
}
void zkButton::setMousePointer(int v) {
    d->set(zkProperty::MousePointer, v);
}
void zkButton::setOleDropMode(OLEDropModeEnum v) {
    d->set(zkProperty::OLEDropMode, v);
}
void zkButton::setPicture(const zkPictureRef& v) {
    d->set(zkProperty::Picture, v);
}
void zkButton::setPictureAlign(PictureAlignEnum v) {
    d->set(zkProperty::PictureAlign, v);
}
void zkButton::setSelectPicture(const zkPictureRef& v) {
    d->set(zkProperty::SelectPicture, v);
}
void zkButton::setShowFocusRect(bool v) {
    d->set(zkProperty::ShowFocusRect, v);
}
void zkButton::setButtonStyle(StyleEnum v) {
    d->set(zkProperty::Style, v);
}
void zkButton::setUseMaskColor(bool v) {
    d->set(zkProperty::UseMaskColor, v);
}
void zkButton::setValue(ValueEnum v) {
    d->set(zkProperty::Value, v);
}
void zkButton::setOwnerDraw(bool v) {
    d->set(zkProperty::OwnerDraw, v);
}
void zkButton::setDrawMode(int v) {
    d->set(zkProperty::DrawMode, v);
}
void zkButton::setDrawStyle(int v) {
    d->set(zkProperty::DrawStyle, v);
}
void zkButton::setDrawWidth(int v) {
    d->set(zkProperty::DrawWidth, v);
}
void zkButton::setFillStyle(int v) {
    d->set(zkProperty::FillStyle, v);
}
void zkButton::setScaleMode(int v) {
    d->set(zkProperty::ScaleMode, v);
}
void zkButton::setUseMnemonic(bool v) {
    d->set(zkProperty::UseMnemonic, v);
}
