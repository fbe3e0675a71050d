#include "option_editors.h"

#include "sane_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <limits>

namespace folivo {

void OptionEditor::setReadOnly(bool readOnly) {
    widget()->setEnabled(!readOnly);
}

namespace {

bool IsFixed(const OptionInfo& info) {
    return info.type == SANE_TYPE_FIXED;
}

QString WordText(const OptionInfo& info, SANE_Word w) {
    return IsFixed(info) ? QString::number(FixedToDouble(w)) : QString::number(w);
}

// As many decimals as the device's step needs ("150 dpi", not "150.0000 dpi"); lengths in
// millimetres keep one, so that they read as lengths.
int DecimalsFor(const OptionInfo& info) {
    if (!IsFixed(info))
        return 0;
    int decimals = info.unit == SANE_UNIT_DPI ? 0 : 2;
    if (info.range && info.range->quant > 0) {
        const double step = FixedToDouble(info.range->quant);
        decimals = 0;
        for (double scaled = step; decimals < 4; scaled *= 10, ++decimals)
            if (std::abs(scaled - std::round(scaled)) < 1e-4)
                break;
    }
    return info.unit == SANE_UNIT_MM ? std::max(decimals, 1) : decimals;
}

class BoolEditor final : public OptionEditor {
public:
    BoolEditor(const OptionInfo& info, QWidget* parent)
        : OptionEditor(info), m_box(new QCheckBox(parent)) {
        connect(m_box, &QCheckBox::toggled, this, &OptionEditor::edited);
    }
    QWidget* widget() const override { return m_box; }
    void setValue(const OptionValue& v) override {
        const QSignalBlocker block(m_box);
        m_box->setChecked(!v.words.isEmpty() && v.words[0] != SANE_FALSE);
    }
    OptionValue value() const override {
        return OptionValue{{m_box->isChecked() ? SANE_TRUE : SANE_FALSE}, {}};
    }

private:
    QCheckBox* m_box;
};

// Int and fixed numbers share one double spin box: ints with no decimals.
class NumberEditor final : public OptionEditor {
public:
    NumberEditor(const OptionInfo& info, QWidget* parent)
        : OptionEditor(info), m_spin(new QDoubleSpinBox(parent)) {
        const bool fixed = IsFixed(info);
        m_spin->setDecimals(DecimalsFor(info));
        if (info.range) {
            m_spin->setRange(toNumber(info.range->min), toNumber(info.range->max));
            if (info.range->quant > 0)
                m_spin->setSingleStep(toNumber(info.range->quant));
        } else {
            m_spin->setRange(fixed ? -32768.0 : double(std::numeric_limits<SANE_Word>::min()),
                             fixed ? 32767.9999 : double(std::numeric_limits<SANE_Word>::max()));
        }
        const QString unit = UnitSuffix(info.unit);
        if (!unit.isEmpty())
            m_spin->setSuffix(QLatin1Char(' ') + unit);
        m_spin->setKeyboardTracking(false);
        connect(m_spin, &QDoubleSpinBox::valueChanged, this, &OptionEditor::edited);
    }
    QWidget* widget() const override { return m_spin; }
    void setValue(const OptionValue& v) override {
        const QSignalBlocker block(m_spin);
        if (!v.words.isEmpty())
            m_spin->setValue(toNumber(v.words[0]));
    }
    OptionValue value() const override {
        const double n = m_spin->value();
        return OptionValue{{IsFixed(m_info) ? DoubleToFixed(n) : SANE_Word(std::lround(n))}, {}};
    }
    void setReadOnly(bool readOnly) override { m_spin->setReadOnly(readOnly); }

private:
    double toNumber(SANE_Word w) const { return IsFixed(m_info) ? FixedToDouble(w) : double(w); }
    QDoubleSpinBox* m_spin;
};

// A drop-down list of the allowed words, or of the allowed strings.
class ListEditor final : public OptionEditor {
public:
    ListEditor(const OptionInfo& info, QWidget* parent)
        : OptionEditor(info), m_combo(new QComboBox(parent)) {
        // Long values must not widen the dialog; the open list still shows them whole.
        m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_combo->setMinimumContentsLength(8);
        if (info.stringList) {
            for (const QString& text : *info.stringList)
                m_combo->addItem(SaneText(text), text);
        } else if (info.wordList) {
            for (SANE_Word w : *info.wordList)
                m_combo->addItem(WordText(info, w) + QLatin1Char(' ') + UnitSuffix(info.unit), w);
        }
        connect(m_combo, &QComboBox::activated, this, &OptionEditor::edited);
    }
    QWidget* widget() const override { return m_combo; }
    void setValue(const OptionValue& v) override {
        const QSignalBlocker block(m_combo);
        if (m_info.stringList)
            m_combo->setCurrentIndex(m_combo->findData(v.text));
        else if (!v.words.isEmpty())
            m_combo->setCurrentIndex(m_combo->findData(v.words[0]));
    }
    OptionValue value() const override {
        if (m_info.stringList)
            return OptionValue{{}, m_combo->currentData().toString()};
        return OptionValue{{SANE_Word(m_combo->currentData().toInt())}, {}};
    }

private:
    QComboBox* m_combo;
};

// Free text, and arrays of numbers written as "1, 2, 3".
class TextEditor final : public OptionEditor {
public:
    TextEditor(const OptionInfo& info, QWidget* parent)
        : OptionEditor(info), m_edit(new QLineEdit(parent)) {
        connect(m_edit, &QLineEdit::editingFinished, this, [this] {
            if (m_edit->isModified()) {
                m_edit->setModified(false);
                emit edited();
            }
        });
    }
    QWidget* widget() const override { return m_edit; }
    void setValue(const OptionValue& v) override {
        if (m_info.type == SANE_TYPE_STRING) {
            m_edit->setText(v.text);
            return;
        }
        QStringList parts;
        for (SANE_Word w : v.words)
            parts.append(WordText(m_info, w));
        m_edit->setText(parts.join(QStringLiteral(", ")));
    }
    OptionValue value() const override {
        if (m_info.type == SANE_TYPE_STRING)
            return OptionValue{{}, m_edit->text()};
        OptionValue v;
        for (const QString& part : m_edit->text().split(QLatin1Char(','))) {
            const double n = part.trimmed().toDouble();
            v.words.append(IsFixed(m_info) ? DoubleToFixed(n) : SANE_Word(std::lround(n)));
        }
        return v;
    }
    void setReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

private:
    QLineEdit* m_edit;
};

class ButtonEditor final : public OptionEditor {
public:
    ButtonEditor(const OptionInfo& info, QWidget* parent)
        : OptionEditor(info), m_button(new QPushButton(SaneText(info.title), parent)) {
        connect(m_button, &QPushButton::clicked, this, &OptionEditor::edited);
    }
    QWidget* widget() const override { return m_button; }
    void setValue(const OptionValue&) override {}
    OptionValue value() const override { return {}; }

private:
    QPushButton* m_button;
};

std::unique_ptr<OptionEditor> MakeEditor(const OptionInfo& info, QWidget* parent) {
    switch (info.type) {
    case SANE_TYPE_BOOL:
        return std::make_unique<BoolEditor>(info, parent);
    case SANE_TYPE_BUTTON:
        return std::make_unique<ButtonEditor>(info, parent);
    case SANE_TYPE_STRING:
        if (info.stringList)
            return std::make_unique<ListEditor>(info, parent);
        return std::make_unique<TextEditor>(info, parent);
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED:
        if (info.wordCount() > 1)
            return std::make_unique<TextEditor>(info, parent);
        if (info.wordList)
            return std::make_unique<ListEditor>(info, parent);
        return std::make_unique<NumberEditor>(info, parent);
    default:
        return nullptr;
    }
}

} // namespace

std::unique_ptr<OptionEditor> CreateOptionEditor(const OptionInfo& info, QWidget* parent) {
    std::unique_ptr<OptionEditor> editor = MakeEditor(info, parent);
    if (editor) {
        editor->widget()->setObjectName(info.name);
        editor->widget()->setToolTip(SaneText(info.description));
        editor->widget()->setAccessibleName(SaneText(info.title));
    }
    return editor;
}

} // namespace folivo
