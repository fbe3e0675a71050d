// InitProperties, ReadProperties and WriteProperties of zkButton.
#include "zkbutton.h"

#include <QTimer>
#include <array>
#include <functional>

namespace {
QVariant picture(const zkPictureRef& p) {
    return QVariant::fromValue(p);
}
QVariant font(const zkFontRef& f) {
    return QVariant::fromValue(f);
}
QVariant color(uint c) {
    return QVariant::fromValue(c);
}
} // namespace

// One persisted property: its key, its bag default (which may need the host), how a read
// value is stored and how the current value is saved.
class zkButtonPersistence {
public:
    using Default = std::function<zkBagRead(const zkButton&)>;
    const char* key;
    Default defaultValue;
    std::function<void(zkButton&, const QVariant&)> load;
    std::function<QVariant(const zkButton&)> save;

    static const std::array<zkButtonPersistence, 31>& table();
    static zkBagRead constant(const QVariant& v) { return {v, {}}; }
};

const std::array<zkButtonPersistence, 31>& zkButtonPersistence::table() {
    using B = zkButton;
    using P = zkButtonPersistence;
    const auto c = [](QVariant v) { return [v](const B&) { return P::constant(v); }; };
    // Saving order; loading reads ForeColor before FocusRectMargin (see loadOrder).
    static const std::array<P, 31> entries{{
        {"Appearance", c(0),
         [](B& b, const QVariant& v) { b.m_appearance = B::AppearanceEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_appearance)); }},
        {"BackColor", [](const B& b) { return P::constant(color(b.m_host->backColor())); },
         [](B& b, const QVariant& v) { b.m_backColor = v.toUInt(); },
         [](const B& b) { return color(b.m_backColor); }},
        {"Cancel", c(false), [](B& b, const QVariant& v) { b.m_cancel = v.toBool(); },
         [](const B& b) { return QVariant(b.m_cancel); }},
        {"Caption", [](const B& b) { return P::constant(b.m_host->displayName()); },
         [](B& b, const QVariant& v) { b.m_caption = v.toString(); },
         [](const B& b) { return QVariant(b.m_caption); }},
        {"CaptionAlign", c(4),
         [](B& b, const QVariant& v) { b.m_captionAlign = B::CaptionAlignEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_captionAlign)); }},
        {"Default", c(false), [](B& b, const QVariant& v) { b.m_default = v.toBool(); },
         [](const B& b) { return QVariant(b.m_default); }},
        {"DisablePicture", c(picture({})),
         [](B& b, const QVariant& v) { b.m_disablePicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_disablePicture); }},
        {"DownPicture", c(picture({})),
         [](B& b, const QVariant& v) { b.m_downPicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_downPicture); }},
        {"DrawMode", c(13), [](B& b, const QVariant& v) { b.m_drawMode = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawMode); }},
        {"DrawStyle", c(0), [](B& b, const QVariant& v) { b.m_drawStyle = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawStyle); }},
        {"DrawWidth", c(1), [](B& b, const QVariant& v) { b.m_drawWidth = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawWidth); }},
        {"Enabled", c(true),
         [](B& b, const QVariant& v) {
             b.m_enabled = v.toBool();
             b.QWidget::setEnabled(b.m_enabled);
         },
         [](const B& b) { return QVariant(b.m_enabled); }},
        {"FillColor",
         [](const B& b) {
             const zkColorAnswer a = b.m_host->containerFillColor();
             return zkBagRead{color(a.color), a.error};
         },
         [](B& b, const QVariant& v) { b.m_fillColor = v.toUInt(); },
         [](const B& b) { return color(b.m_fillColor); }},
        {"FillStyle", c(1), [](B& b, const QVariant& v) { b.m_fillStyle = v.toInt(); },
         [](const B& b) { return QVariant(b.m_fillStyle); }},
        {"Font", [](const B& b) { return P::constant(font(b.m_host->font())); },
         [](B& b, const QVariant& v) {
             b.m_font = v.value<zkFontRef>();
             b.watchFont();
         },
         [](const B& b) { return font(b.m_font); }},
        {"FocusRectMargin", c(3), [](B& b, const QVariant& v) { b.m_focusRectMargin = v.toInt(); },
         [](const B& b) { return QVariant(b.m_focusRectMargin); }},
        {"ForeColor", [](const B& b) { return P::constant(color(b.m_host->foreColor())); },
         [](B& b, const QVariant& v) { b.m_foreColor = v.toUInt(); },
         [](const B& b) { return color(b.m_foreColor); }},
        {"MaskColor", c(color(0x00FF00FF)),
         [](B& b, const QVariant& v) { b.m_maskColor = v.toUInt(); },
         [](const B& b) { return color(b.m_maskColor); }},
        {"MouseIcon", c(picture({})),
         [](B& b, const QVariant& v) {
             b.m_mouseIcon = v.value<zkPictureRef>();
             b.applyMousePointer();
         },
         [](const B& b) { return picture(b.m_mouseIcon); }},
        {"MousePointer", c(0),
         [](B& b, const QVariant& v) {
             b.m_mousePointer = v.toInt();
             b.applyMousePointer();
         },
         [](const B& b) { return QVariant(b.m_mousePointer); }},
        {"OLEDropMode", c(0),
         [](B& b, const QVariant& v) {
             b.m_oleDropMode = B::OLEDropModeEnum(v.toInt());
             b.setAcceptDrops(b.m_oleDropMode == B::zboManual);
         },
         [](const B& b) { return QVariant(int(b.m_oleDropMode)); }},
        {"OwnerDraw", c(false), [](B& b, const QVariant& v) { b.m_ownerDraw = v.toBool(); },
         [](const B& b) { return QVariant(b.m_ownerDraw); }},
        {"Picture", c(picture({})),
         [](B& b, const QVariant& v) { b.m_picture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_picture); }},
        {"PictureAlign", c(12),
         [](B& b, const QVariant& v) { b.m_pictureAlign = B::PictureAlignEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_pictureAlign)); }},
        {"ScaleMode", c(1), [](B& b, const QVariant& v) { b.m_scaleMode = v.toInt(); },
         [](const B& b) { return QVariant(b.m_scaleMode); }},
        {"SelectPicture", c(picture({})),
         [](B& b, const QVariant& v) { b.m_selectPicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_selectPicture); }},
        {"ShowFocusRect", c(true), [](B& b, const QVariant& v) { b.m_showFocusRect = v.toBool(); },
         [](const B& b) { return QVariant(b.m_showFocusRect); }},
        {"Style", c(0), [](B& b, const QVariant& v) { b.m_style = B::StyleEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_style)); }},
        {"UseMaskColor", c(false), [](B& b, const QVariant& v) { b.m_useMaskColor = v.toBool(); },
         [](const B& b) { return QVariant(b.m_useMaskColor); }},
        {"UseMnemonic", c(true), [](B& b, const QVariant& v) { b.m_useMnemonic = v.toBool(); },
         [](const B& b) { return QVariant(b.m_useMnemonic); }},
        {"Value", c(0), [](B& b, const QVariant& v) { b.m_value = B::ValueEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_value)); }},
    }};
    return entries;
}

zkHostError zkButton::InitProperties() {
    m_appearance = zba3D;
    m_backColor = m_host->backColor();
    m_cancel = false;
    m_caption = m_host->displayName();
    m_displayCaption = m_caption;
    m_accessKeys.clear();
    m_captionAlign = zbcCenter;
    m_default = false;
    updateShortcuts();
    m_disablePicture.reset();
    m_downPicture.reset();
    m_enabled = true;
    m_drawMode = 13;
    m_drawStyle = 0;
    m_drawWidth = 1;
    const zkColorAnswer fill = m_host->containerFillColor();
    if (fill.error.failed())
        return fill.error;
    m_fillColor = fill.color;
    m_fillStyle = 1;
    m_font = m_host->font();
    watchFont();
    m_focusRectMargin = 3;
    m_foreColor = m_host->foreColor();
    m_maskColor = 0x00FF00FF;
    m_mouseIcon.reset();
    m_mousePointer = 0;
    m_oleDropMode = zboNone;
    m_ownerDraw = false;
    m_picture.reset();
    m_pictureAlign = zbpCaptionBottom;
    m_scaleMode = vbTwips;
    m_selectPicture.reset();
    m_showFocusRect = true;
    m_useMnemonic = true;
    m_style = zbbButton;
    m_useMaskColor = false;
    m_value = zbvOff;
    return {};
}

zkHostError zkButton::ReadProperties(zkPropertyBag& bag) {
    static constexpr std::array<int, 31> loadOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                   11, 12, 13, 14, 16, 15, 17, 18, 19, 20, 21,
                                                   22, 23, 24, 25, 26, 27, 28, 29, 30};
    const auto& entries = zkButtonPersistence::table();
    for (const int index : loadOrder) {
        const zkButtonPersistence& entry = entries[static_cast<std::size_t>(index)];
        const zkBagRead fallback = entry.defaultValue(*this);
        if (fallback.error.failed())
            return fallback.error;
        const zkBagRead read = bag.read(QString::fromLatin1(entry.key), fallback.value);
        if (read.error.failed())
            return read.error;
        entry.load(*this, read.value);
    }
    deriveDisplayCaption();
    m_hoverState = -1;
    m_pressed = 0;
    if (m_host->userMode()) {
        m_timer->start();
        m_hoverArmed = true;
    }
    Redraw(zbsNormal);
    return {};
}

zkHostError zkButton::WriteProperties(zkPropertyBag& bag) const {
    for (const zkButtonPersistence& entry : zkButtonPersistence::table()) {
        const zkBagRead fallback = entry.defaultValue(*this);
        if (fallback.error.failed())
            return fallback.error;
        const zkHostError error =
            bag.write(QString::fromLatin1(entry.key), entry.save(*this), fallback.value);
        if (error.failed())
            return error;
    }
    return {};
}
