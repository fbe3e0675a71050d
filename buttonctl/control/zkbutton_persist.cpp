// InitProperties, ReadProperties and WriteProperties of zkButton.
#include "zkbutton.h"

#include <QTimer>
#include <array>
#include <functional>
#include <string_view>

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

// One persisted property, declared once: its key, its value on a new instance, its bag
// default (both may need the host), how a value is stored in the field, what loading also
// passes on to the surface or a holder, and how the current value is saved.
class zkButtonPersistence {
public:
    using Default = std::function<zkBagRead(const zkButton&)>;
    using Store = std::function<void(zkButton&, const QVariant&)>;
    const char* key;
    Default newValue;
    Default defaultValue;
    Store store;
    std::function<QVariant(const zkButton&)> save;
    std::function<void(zkButton&)> passOn = {};

    void load(zkButton& b, const QVariant& v) const {
        store(b, v);
        if (passOn)
            passOn(b);
    }

    static const std::array<zkButtonPersistence, 31>& table();
    static zkBagRead constant(const QVariant& v) { return {v, {}}; }
};

const std::array<zkButtonPersistence, 31>& zkButtonPersistence::table() {
    using B = zkButton;
    using P = zkButtonPersistence;
    const auto c = [](QVariant v) { return [v](const B&) { return P::constant(v); }; };
    const auto backColor = [](const B& b) { return P::constant(color(b.m_host->backColor())); };
    const auto caption = [](const B& b) { return P::constant(b.m_host->displayName()); };
    const auto fillColor = [](const B& b) {
        const zkColorAnswer a = b.m_host->containerFillColor();
        return zkBagRead{color(a.color), a.error};
    };
    const auto ambientFont = [](const B& b) { return P::constant(font(b.m_host->font())); };
    const auto foreColor = [](const B& b) { return P::constant(color(b.m_host->foreColor())); };
    const auto none = c(picture({}));
    // Saving order; loading reads ForeColor before FocusRectMargin (see loadOrder).
    //  key, new instance, bag default, store, save[, what loading passes on]
    static const std::array<P, 31> entries{{
        // New buttons are 3D, yet the bag default stays flat: saving writes Appearance only
        // when it is not flat, so a saved form without the key holds a flat button.
        {"Appearance", c(1), c(0),
         [](B& b, const QVariant& v) { b.m_appearance = B::AppearanceEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_appearance)); }},
        {"BackColor", backColor, backColor,
         [](B& b, const QVariant& v) { b.m_backColor = v.toUInt(); },
         [](const B& b) { return color(b.m_backColor); }},
        {"Cancel", c(false), c(false), [](B& b, const QVariant& v) { b.m_cancel = v.toBool(); },
         [](const B& b) { return QVariant(b.m_cancel); }},
        {"Caption", caption, caption, [](B& b, const QVariant& v) { b.m_caption = v.toString(); },
         [](const B& b) { return QVariant(b.m_caption); }},
        {"CaptionAlign", c(4), c(4),
         [](B& b, const QVariant& v) { b.m_captionAlign = B::CaptionAlignEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_captionAlign)); }},
        {"Default", c(false), c(false), [](B& b, const QVariant& v) { b.m_default = v.toBool(); },
         [](const B& b) { return QVariant(b.m_default); }},
        {"DisablePicture", none, none,
         [](B& b, const QVariant& v) { b.m_disablePicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_disablePicture); }},
        {"DownPicture", none, none,
         [](B& b, const QVariant& v) { b.m_downPicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_downPicture); }},
        {"DrawMode", c(13), c(13), [](B& b, const QVariant& v) { b.m_drawMode = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawMode); }},
        {"DrawStyle", c(0), c(0), [](B& b, const QVariant& v) { b.m_drawStyle = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawStyle); }},
        {"DrawWidth", c(1), c(1), [](B& b, const QVariant& v) { b.m_drawWidth = v.toInt(); },
         [](const B& b) { return QVariant(b.m_drawWidth); }},
        {"Enabled", c(true), c(true), [](B& b, const QVariant& v) { b.m_enabled = v.toBool(); },
         [](const B& b) { return QVariant(b.m_enabled); },
         [](B& b) { b.QWidget::setEnabled(b.m_enabled); }},
        {"FillColor", fillColor, fillColor,
         [](B& b, const QVariant& v) { b.m_fillColor = v.toUInt(); },
         [](const B& b) { return color(b.m_fillColor); }},
        {"FillStyle", c(1), c(1), [](B& b, const QVariant& v) { b.m_fillStyle = v.toInt(); },
         [](const B& b) { return QVariant(b.m_fillStyle); }},
        // The button follows in-place changes of the font object it refers to.
        {"Font", ambientFont, ambientFont,
         [](B& b, const QVariant& v) {
             b.m_font = v.value<zkFontRef>();
             b.watchFont();
         },
         [](const B& b) { return font(b.m_font); }},
        {"FocusRectMargin", c(3), c(3),
         [](B& b, const QVariant& v) { b.m_focusRectMargin = v.toInt(); },
         [](const B& b) { return QVariant(b.m_focusRectMargin); }},
        {"ForeColor", foreColor, foreColor,
         [](B& b, const QVariant& v) { b.m_foreColor = v.toUInt(); },
         [](const B& b) { return color(b.m_foreColor); }},
        {"MaskColor", c(color(0x00FF00FF)), c(color(0x00FF00FF)),
         [](B& b, const QVariant& v) { b.m_maskColor = v.toUInt(); },
         [](const B& b) { return color(b.m_maskColor); }},
        {"MouseIcon", none, none,
         [](B& b, const QVariant& v) { b.m_mouseIcon = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_mouseIcon); }, [](B& b) { b.applyMousePointer(); }},
        {"MousePointer", c(0), c(0), [](B& b, const QVariant& v) { b.m_mousePointer = v.toInt(); },
         [](const B& b) { return QVariant(b.m_mousePointer); },
         [](B& b) { b.applyMousePointer(); }},
        {"OLEDropMode", c(0), c(0),
         [](B& b, const QVariant& v) { b.m_oleDropMode = B::OLEDropModeEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_oleDropMode)); },
         [](B& b) { b.setAcceptDrops(b.m_oleDropMode == B::zboManual); }},
        {"OwnerDraw", c(false), c(false),
         [](B& b, const QVariant& v) { b.m_ownerDraw = v.toBool(); },
         [](const B& b) { return QVariant(b.m_ownerDraw); }},
        {"Picture", none, none,
         [](B& b, const QVariant& v) { b.m_picture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_picture); }},
        {"PictureAlign", c(12), c(12),
         [](B& b, const QVariant& v) { b.m_pictureAlign = B::PictureAlignEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_pictureAlign)); }},
        {"ScaleMode", c(1), c(1), [](B& b, const QVariant& v) { b.m_scaleMode = v.toInt(); },
         [](const B& b) { return QVariant(b.m_scaleMode); }},
        {"SelectPicture", none, none,
         [](B& b, const QVariant& v) { b.m_selectPicture = v.value<zkPictureRef>(); },
         [](const B& b) { return picture(b.m_selectPicture); }},
        {"ShowFocusRect", c(true), c(true),
         [](B& b, const QVariant& v) { b.m_showFocusRect = v.toBool(); },
         [](const B& b) { return QVariant(b.m_showFocusRect); }},
        {"Style", c(0), c(0), [](B& b, const QVariant& v) { b.m_style = B::StyleEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_style)); }},
        {"UseMaskColor", c(false), c(false),
         [](B& b, const QVariant& v) { b.m_useMaskColor = v.toBool(); },
         [](const B& b) { return QVariant(b.m_useMaskColor); }},
        {"UseMnemonic", c(true), c(true),
         [](B& b, const QVariant& v) { b.m_useMnemonic = v.toBool(); },
         [](const B& b) { return QVariant(b.m_useMnemonic); }},
        {"Value", c(0), c(0), [](B& b, const QVariant& v) { b.m_value = B::ValueEnum(v.toInt()); },
         [](const B& b) { return QVariant(int(b.m_value)); }},
    }};
    return entries;
}

// Field assignments only: nothing is passed to the surface or the holders, nothing redrawn
// or notified, and the hover timer stays off.
zkHostError zkButton::InitProperties() {
    for (const zkButtonPersistence& entry : zkButtonPersistence::table()) {
        const zkBagRead value = entry.newValue(*this);
        if (value.error.failed())
            return value.error;
        entry.store(*this, value.value);
        if (entry.key == std::string_view("Caption")) {
            m_displayCaption = m_caption;
            m_accessKeys.clear();
        } else if (entry.key == std::string_view("Default")) {
            updateShortcuts();
        }
    }
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
