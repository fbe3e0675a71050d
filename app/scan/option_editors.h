#pragma once
// One small widget per kind of device option.
//
// | option                              | widget                         |
// |-------------------------------------|--------------------------------|
// | bool                                | check box                      |
// | int / fixed with a range            | spin box with the unit         |
// | int / fixed with a word list        | drop-down list                 |
// | int / fixed without a constraint    | spin box over every value      |
// | int / fixed array                   | line of comma-separated values |
// | string with a string list           | drop-down list                 |
// | string                              | line edit                      |
// | button                              | push button                    |
// The widget's object name is the option's name. An editor emits edited() when the user
// changes the value (or presses the button), never when setValue() shows a device value.
#include "sane_option.h"

#include <QObject>
#include <memory>

class QWidget;

namespace folivo {

class OptionEditor : public QObject {
    Q_OBJECT
public:
    explicit OptionEditor(const OptionInfo& info) : m_info(info) {}
    const OptionInfo& info() const { return m_info; }
    virtual QWidget* widget() const = 0;
    virtual void setValue(const OptionValue& value) = 0;
    virtual OptionValue value() const = 0;
    // Read-only options show their value but take no input.
    virtual void setReadOnly(bool readOnly);

signals:
    void edited();

protected:
    OptionInfo m_info;
};

std::unique_ptr<OptionEditor> CreateOptionEditor(const OptionInfo& info, QWidget* parent);

} // namespace folivo
