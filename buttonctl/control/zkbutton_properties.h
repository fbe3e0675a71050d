#pragma once
// The persisted properties of zkButton, each declared once in one row of a table: its key,
// its field (and so its type), its value on a new instance, its bag default, what setting
// it redraws and whether it notifies. The setters, InitProperties, ReadProperties and
// WriteProperties all run from this table.
#include "zk_host.h"
#include "zkbutton.h"

#include <QVariant>
#include <span>
#include <type_traits>

class zkButtonPrivate;

// The stored values, one field per row of the table. Their values on a new instance are
// the table's: the button runs InitProperties when it is made.
struct zkButtonProperties {
    zkButton::AppearanceEnum appearance{};
    uint backColor{};
    bool cancel{};
    QString caption;
    zkButton::CaptionAlignEnum captionAlign{};
    bool isDefault{};
    zkPictureRef disablePicture;
    zkPictureRef downPicture;
    int drawMode{};
    int drawStyle{};
    int drawWidth{};
    bool enabled{};
    uint fillColor{};
    int fillStyle{};
    zkFontRef font;
    int focusRectMargin{};
    uint foreColor{};
    uint maskColor{};
    zkPictureRef mouseIcon;
    int mousePointer{};
    zkButton::OLEDropModeEnum oleDropMode{};
    bool ownerDraw{};
    zkPictureRef picture;
    zkButton::PictureAlignEnum pictureAlign{};
    int scaleMode{};
    zkPictureRef selectPicture;
    bool showFocusRect{};
    zkButton::StyleEnum style{};
    bool useMaskColor{};
    bool useMnemonic{};
    zkButton::ValueEnum value{};
};

// The rows, in saving order.
enum class zkProperty {
    Appearance,
    BackColor,
    Cancel,
    Caption,
    CaptionAlign,
    Default,
    DisablePicture,
    DownPicture,
    DrawMode,
    DrawStyle,
    DrawWidth,
    Enabled,
    FillColor,
    FillStyle,
    Font,
    FocusRectMargin,
    ForeColor,
    MaskColor,
    MouseIcon,
    MousePointer,
    OLEDropMode,
    OwnerDraw,
    Picture,
    PictureAlign,
    ScaleMode,
    SelectPicture,
    ShowFocusRect,
    Style,
    UseMaskColor,
    UseMnemonic,
    Value,
};

// A field's value as a bag holds it: enumerations as int, colours as uint, pictures and
// fonts as references.
inline QVariant zkToBag(bool v) {
    return v;
}
inline QVariant zkToBag(int v) {
    return v;
}
inline QVariant zkToBag(uint v) {
    return QVariant::fromValue(v);
}
inline QVariant zkToBag(const QString& v) {
    return v;
}
inline QVariant zkToBag(const zkPictureRef& v) {
    return QVariant::fromValue(v);
}
inline QVariant zkToBag(const zkFontRef& v) {
    return QVariant::fromValue(v);
}
template <class E>
requires std::is_enum_v<E> QVariant zkToBag(E v) {
    return int(v);
}

template <class T> T zkFromBag(const QVariant& v) {
    if constexpr (std::is_enum_v<T>)
        return T(v.toInt());
    else if constexpr (std::is_same_v<T, bool>)
        return v.toBool();
    else if constexpr (std::is_same_v<T, int>)
        return v.toInt();
    else if constexpr (std::is_same_v<T, uint>)
        return v.toUInt();
    else if constexpr (std::is_same_v<T, QString>)
        return v.toString();
    else
        return v.value<T>();
}

struct zkPropertyRow {
    // A value the button takes: a constant, or one asked of the host when it is needed.
    class Value {
    public:
        using Ask = zkBagRead (*)(const zkButtonPrivate&);
        Value(bool v) : m_constant(v) {}
        Value(int v) : m_constant(v) {}
        Value(uint v) : m_constant(zkToBag(v)) {}
        Value(const zkPictureRef& v) : m_constant(zkToBag(v)) {}
        Value(Ask ask) : m_ask(ask) {}
        bool isConstant() const { return !m_ask; }
        zkBagRead get(const zkButtonPrivate& d) const {
            return m_ask ? m_ask(d) : zkBagRead{m_constant, {}};
        }

    private:
        QVariant m_constant;
        Ask m_ask = nullptr;
    };
    // Reads and stores the row's field in its bag form.
    struct Field {
        QVariant (*get)(const zkButtonProperties&);
        void (*store)(zkButtonProperties&, const QVariant&);
    };
    enum class Redraw { No, Normal, Idle }; // Idle: in the state the hover gives
    enum class Notify { No, Yes };
    using Hook = void (*)(zkButtonPrivate&);

    const char* key;
    Field field;
    Value newValue;
    Value bagDefault;
    Redraw redraw;
    Notify notify;
    Hook passOn = nullptr; // loading and setting: what the widget takes over
    Hook onSet = nullptr;  // setting only: what else follows from the new value
};

template <auto Member> constexpr zkPropertyRow::Field zkFieldOf() {
    return {[](const zkButtonProperties& p) { return zkToBag(p.*Member); },
            [](zkButtonProperties& p, const QVariant& v) {
                p.*Member = zkFromBag<std::remove_cvref_t<decltype(p.*Member)>>(v);
            }};
}

// Every row, in saving order (indexed by zkProperty).
std::span<const zkPropertyRow> zkPropertyTable();
const zkPropertyRow& zkRowOf(zkProperty property);
