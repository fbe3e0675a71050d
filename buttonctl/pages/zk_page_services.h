#pragma once
// What the property pages need from outside: how a value reaches a selected control, the
// open-file dialog, the colour dialog and the list of installed fonts.
//
// Contracts:
// - zkPropertyWriter::write sets one property of one selected control by name and answers
//   whether the control took it. The standard writer calls QObject::setProperty; a form
//   designer supplies one that records the change for undo.
// - zkOpenFileDialog::openFile shows a modal dialog owned by `owner` that picks one
//   existing file; the first filter is selected. No answer (std::nullopt) = cancelled.
// - zkColorDialog::chooseColor shows a modal colour dialog starting at `initial`
//   (0x00BBGGRR) with the described flags, reading and updating the sixteen custom colours
//   the page keeps. No answer = cancelled.
// - zkFontList::families lists the installed screen font names in the platform's order.
// A test answers each of them without a person.
#include "zkbutton2_export.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

class QObject;
class QWidget;

struct zkFileFilter {
    QString label;    // what the user sees
    QString patterns; // ";"-separated patterns
};

class ZKBUTTON2_EXPORT zkPropertyWriter {
public:
    virtual ~zkPropertyWriter() = default;
    virtual bool write(QObject* target, const char* name, const QVariant& value) = 0;
};

class ZKBUTTON2_EXPORT zkOpenFileDialog {
public:
    virtual ~zkOpenFileDialog() = default;
    virtual std::optional<QString> openFile(QWidget* owner, const QList<zkFileFilter>& filters) = 0;
};

using zkCustomColors = std::array<quint32, 16>;

class ZKBUTTON2_EXPORT zkColorDialog {
public:
    virtual ~zkColorDialog() = default;
    virtual std::optional<quint32> chooseColor(QWidget* owner, quint32 initial, unsigned flags,
                                               zkCustomColors& customColors) = 0;
};

class ZKBUTTON2_EXPORT zkFontList {
public:
    virtual ~zkFontList() = default;
    virtual QStringList families() const = 0;
};

struct ZKBUTTON2_EXPORT zkPageServices {
    std::shared_ptr<zkPropertyWriter> writer;
    std::shared_ptr<zkOpenFileDialog> openFile;
    std::shared_ptr<zkColorDialog> colorDialog;
    std::shared_ptr<zkFontList> fonts;

    // QObject::setProperty, QFileDialog, QColorDialog and QFontDatabase.
    static zkPageServices standard();
    // Fills every empty member with its standard implementation.
    zkPageServices completed() const;
};
