#pragma once
// One device option as the layer sees it: its descriptor, copied out of SANE, and values.
//
// Values of bool, int and fixed options are SANE words (fixed kept as raw 16.16 words, so
// they round-trip exactly); string values are text. A button has no value.
#include <sane/sane.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace folivo {

struct OptionRange {
    SANE_Word min = 0;
    SANE_Word max = 0;
    SANE_Word quant = 0;
};

struct OptionInfo {
    int index = 0;
    QString name;
    QString title;
    QString description;
    QString group; // title of the group the option belongs to ("" before any group)
    SANE_Value_Type type = SANE_TYPE_INT;
    SANE_Unit unit = SANE_UNIT_NONE;
    int size = 0; // bytes, as SANE gives it
    int caps = 0;
    std::optional<OptionRange> range;
    std::optional<QList<SANE_Word>> wordList;
    std::optional<QStringList> stringList;

    int wordCount() const { return size / int(sizeof(SANE_Word)); }
    bool isActive() const { return (caps & SANE_CAP_INACTIVE) == 0; }
    bool isAdvanced() const { return (caps & SANE_CAP_ADVANCED) != 0; }
    bool isSettable() const { return (caps & SANE_CAP_SOFT_SELECT) != 0; }
    bool isReadable() const { return (caps & SANE_CAP_SOFT_DETECT) != 0; }
    bool hasValue() const { return type != SANE_TYPE_BUTTON && type != SANE_TYPE_GROUP; }
};

struct OptionValue {
    QList<SANE_Word> words;
    QString text;
    bool operator==(const OptionValue&) const = default;
};

// Text form of a value, for the layer's settings file: "w1,w2,..." or the string itself.
QString SerializeOptionValue(const OptionInfo& info, const OptionValue& value);
std::optional<OptionValue> ParseOptionValue(const OptionInfo& info, const QString& text);

// Fixed-point words and their value as a number.
double FixedToDouble(SANE_Word w);
SANE_Word DoubleToFixed(double v);

// A single-word value of an int or fixed option as a number, and back (rounded).
double WordToNumber(const OptionInfo& info, SANE_Word w);
SANE_Word NumberToWord(const OptionInfo& info, double number);

// The unit as it is written after a value ("dpi", "mm", ...), "" for none.
QString UnitSuffix(SANE_Unit unit);

} // namespace folivo
