#pragma once
// What a host supplies to a zkButton: errors as values, the property bag, the ambient
// properties and the cursor.
//
// Contracts:
// - zkPropertyBag::read returns the stored value of `key`, or `defaultValue` when the bag
//   lacks the key; a bag that cannot answer returns an error and the caller stops there.
// - zkPropertyBag::write stores `value` under `key` unless it equals `defaultValue`
//   (zkSameValue), in which case it stores nothing; it returns an error when it fails.
// - zkAmbientHost answers the container's ambient values each time it is asked (nothing
//   is cached); containerFillColor is the container's "FillColor" property read by name.
// - zkCursorSource gives the cursor's screen position; the hover timer reads it.
#include "zk_font.h"
#include "zk_picture.h"
#include "zkbutton2_export.h"

#include <QPoint>
#include <QString>
#include <QVariant>

class QWidget;

// A host failure passed back to the caller unchanged. code 0 = no error.
struct zkHostError {
    int code = 0;
    QString message;
    bool failed() const { return code != 0; }
};

struct zkBagRead {
    QVariant value;
    zkHostError error;
};

// Equality used for bag defaults: pictures and fonts by content (a null reference equals
// an empty picture), numbers by value, everything else by QVariant equality.
ZKBUTTON2_EXPORT bool zkSameValue(const QVariant& a, const QVariant& b);

class ZKBUTTON2_EXPORT zkPropertyBag {
public:
    virtual ~zkPropertyBag() = default;
    virtual zkBagRead read(const QString& key, const QVariant& defaultValue) = 0;
    virtual zkHostError write(const QString& key, const QVariant& value,
                              const QVariant& defaultValue) = 0;
};

struct zkColorAnswer {
    quint32 color = 0;
    zkHostError error;
};

class ZKBUTTON2_EXPORT zkAmbientHost {
public:
    virtual ~zkAmbientHost() = default;
    virtual quint32 backColor() const = 0;
    virtual quint32 foreColor() const = 0;
    // A new font object each time (the button keeps the reference it is given).
    virtual zkFontRef font() const = 0;
    virtual QString displayName() const = 0;
    virtual bool userMode() const = 0;
    virtual zkColorAnswer containerFillColor() const = 0;
};

// The default host of a button: colours and font from the parent widget (the button's own
// palette and font when it has no parent), the display name from the button's objectName,
// user mode on, FillColor from the parent's "FillColor" property (black when absent).
class ZKBUTTON2_EXPORT zkWidgetAmbientHost : public zkAmbientHost {
public:
    explicit zkWidgetAmbientHost(const QWidget* button) : m_button(button) {}
    quint32 backColor() const override;
    quint32 foreColor() const override;
    zkFontRef font() const override;
    QString displayName() const override;
    bool userMode() const override { return true; }
    zkColorAnswer containerFillColor() const override;

private:
    const QWidget* m_button;
};

class ZKBUTTON2_EXPORT zkCursorSource {
public:
    virtual ~zkCursorSource() = default;
    virtual QPoint cursorPos() const = 0;
};
