#include "zkbutton_properties.h"

#include "zk_accessible.h"
#include "zkbutton_p.h"

#include <array>

namespace {
using P = zkButtonProperties;
using Row = zkPropertyRow;
using Redraw = Row::Redraw;
using Notify = Row::Notify;

zkBagRead ambientBackColor(const zkButtonPrivate& d) {
    return {zkToBag(d.host->backColor()), {}};
}
zkBagRead ambientForeColor(const zkButtonPrivate& d) {
    return {zkToBag(d.host->foreColor()), {}};
}
zkBagRead ambientName(const zkButtonPrivate& d) {
    return {d.host->displayName(), {}};
}
zkBagRead ambientFont(const zkButtonPrivate& d) {
    return {zkToBag(d.host->font()), {}};
}
// The container may fail to answer: initialisation, loading and saving stop there.
zkBagRead containerFillColor(const zkButtonPrivate& d) {
    const zkColorAnswer a = d.host->containerFillColor();
    return {zkToBag(a.color), a.error};
}

void updateShortcuts(zkButtonPrivate& d) {
    d.updateShortcuts();
}
void applyMousePointer(zkButtonPrivate& d) {
    d.applyMousePointer();
}
void setWidgetEnabled(zkButtonPrivate& d) {
    d.q->QWidget::setEnabled(d.props.enabled);
}
// The button follows in-place changes of the font object it refers to.
void watchFont(zkButtonPrivate& d) {
    d.watchFont();
}
void acceptDrops(zkButtonPrivate& d) {
    d.q->setAcceptDrops(d.props.oleDropMode == zkButton::zboManual);
}
void captionSet(zkButtonPrivate& d) {
    d.deriveDisplayCaption();
    zk::announceName(d.q);
}
void valueSet(zkButtonPrivate& d) {
    zk::announceChecked(d.q);
}

} // namespace

std::span<const zkPropertyRow> zkPropertyTable() {
    const zkPictureRef none;
    static const std::array<Row, std::size_t(zkProperty::Value) + 1> rows{{
        // key, field, new instance, bag default, setting redraws, notifies[, pass on, on set]
        //
        // New buttons are 3D, yet the bag default stays flat: saving writes Appearance only
        // when it is not flat, so a saved form without the key holds a flat button.
        {"Appearance", zkFieldOf<&P::appearance>(), 1, 0, Redraw::Normal, Notify::Yes},
        {"BackColor", zkFieldOf<&P::backColor>(), ambientBackColor, ambientBackColor,
         Redraw::Normal, Notify::Yes},
        {"Cancel", zkFieldOf<&P::cancel>(), false, false, Redraw::Normal, Notify::Yes, nullptr,
         updateShortcuts},
        {"Caption", zkFieldOf<&P::caption>(), ambientName, ambientName, Redraw::Normal, Notify::Yes,
         nullptr, captionSet},
        {"CaptionAlign", zkFieldOf<&P::captionAlign>(), 4, 4, Redraw::Normal, Notify::Yes},
        {"Default", zkFieldOf<&P::isDefault>(), false, false, Redraw::Normal, Notify::Yes, nullptr,
         updateShortcuts},
        {"DisablePicture", zkFieldOf<&P::disablePicture>(), none, none, Redraw::Normal,
         Notify::Yes},
        {"DownPicture", zkFieldOf<&P::downPicture>(), none, none, Redraw::Normal, Notify::Yes},
        {"DrawMode", zkFieldOf<&P::drawMode>(), 13, 13, Redraw::No, Notify::Yes},
        {"DrawStyle", zkFieldOf<&P::drawStyle>(), 0, 0, Redraw::No, Notify::Yes},
        {"DrawWidth", zkFieldOf<&P::drawWidth>(), 1, 1, Redraw::No, Notify::Yes},
        {"Enabled", zkFieldOf<&P::enabled>(), true, true, Redraw::Normal, Notify::Yes,
         setWidgetEnabled},
        {"FillColor", zkFieldOf<&P::fillColor>(), containerFillColor, containerFillColor,
         Redraw::Normal, Notify::Yes},
        {"FillStyle", zkFieldOf<&P::fillStyle>(), 1, 1, Redraw::No, Notify::Yes},
        {"Font", zkFieldOf<&P::font>(), ambientFont, ambientFont, Redraw::Normal, Notify::Yes,
         watchFont},
        {"FocusRectMargin", zkFieldOf<&P::focusRectMargin>(), 3, 3, Redraw::Normal, Notify::Yes},
        {"ForeColor", zkFieldOf<&P::foreColor>(), ambientForeColor, ambientForeColor,
         Redraw::Normal, Notify::Yes},
        {"MaskColor", zkFieldOf<&P::maskColor>(), 0x00FF00FFu, 0x00FF00FFu, Redraw::Normal,
         Notify::Yes},
        {"MouseIcon", zkFieldOf<&P::mouseIcon>(), none, none, Redraw::Normal, Notify::Yes,
         applyMousePointer},
        {"MousePointer", zkFieldOf<&P::mousePointer>(), 0, 0, Redraw::No, Notify::Yes,
         applyMousePointer},
        {"OLEDropMode", zkFieldOf<&P::oleDropMode>(), 0, 0, Redraw::Normal, Notify::Yes,
         acceptDrops},
        // Owner drawing keeps the hover look the program draws for.
        {"OwnerDraw", zkFieldOf<&P::ownerDraw>(), false, false, Redraw::Idle, Notify::Yes},
        {"Picture", zkFieldOf<&P::picture>(), none, none, Redraw::Normal, Notify::Yes},
        {"PictureAlign", zkFieldOf<&P::pictureAlign>(), 12, 12, Redraw::Normal, Notify::Yes},
        // A unit for the program's coordinates only: nothing on the face changes.
        {"ScaleMode", zkFieldOf<&P::scaleMode>(), 1, 1, Redraw::No, Notify::No},
        {"SelectPicture", zkFieldOf<&P::selectPicture>(), none, none, Redraw::Normal, Notify::Yes},
        {"ShowFocusRect", zkFieldOf<&P::showFocusRect>(), true, true, Redraw::Normal, Notify::Yes},
        {"Style", zkFieldOf<&P::style>(), 0, 0, Redraw::Normal, Notify::Yes},
        {"UseMaskColor", zkFieldOf<&P::useMaskColor>(), false, false, Redraw::Normal, Notify::Yes},
        {"UseMnemonic", zkFieldOf<&P::useMnemonic>(), true, true, Redraw::Normal, Notify::Yes},
        {"Value", zkFieldOf<&P::value>(), 0, 0, Redraw::Normal, Notify::Yes, nullptr, valueSet},
    }};
    return rows;
}

const zkPropertyRow& zkRowOf(zkProperty property) {
    return zkPropertyTable()[std::size_t(property)];
}
