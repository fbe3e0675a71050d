#include "ppg_button.h"

#include "zk_colors.h"
#include "zk_property_access.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <cmath>

namespace {

enum class Kind { Combo, Text, Check, Margin };
struct Field {
    const char* editor;
    const char* property;
    Kind kind;
};
// Reading and Apply both go in this order.
constexpr Field kFields[] = {
    {"cboAppearance", "Appearance", Kind::Combo},
    {"txtCaption", "Caption", Kind::Text},
    {"cboCaptionAlign", "CaptionAlign", Kind::Combo},
    {"cboPictureAlign", "PictureAlign", Kind::Combo},
    {"cboStyle", "Style", Kind::Combo},
    {"cboValue", "Value", Kind::Combo},
    {"chkShowFocusRect", "ShowFocusRect", Kind::Check},
    {"txtFocusRectMargin", "FocusRectMargin", Kind::Margin},
    {"chkCancel", "Cancel", Kind::Check},
    {"chkDefault", "Default", Kind::Check},
    {"chkEnabled", "Enabled", Kind::Check},
    {"chkOwnerDraw", "OwnerDraw", Kind::Check},
    {"chkUseMaskColor", "UseMaskColor", Kind::Check},
};
constexpr int kMaxMargin = 8;
constexpr quint32 kWindowBackground = 0x80000005;
constexpr quint32 kButtonFace = 0x8000000F;

} // namespace

namespace zk::pages {
MarginText normalizeMargin(const QString& text) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < 0)
        return {0, true};
    if (number > kMaxMargin)
        return {kMaxMargin, true};
    const int value = static_cast<int>(number);
    return {value, value != number};
}
} // namespace zk::pages

ppgButton::ppgButton(zkPageServices services, QWidget* parent)
    : zkPropertyPage(std::move(services), parent) {
    setObjectName(QStringLiteral("ppgButton"));
    buildEditors();
}

QString ppgButton::title() const {
    return QStringLiteral("ボタン");
}

void ppgButton::userChanged(const QString& editor) {
    m_marks.touch(editor);
    setChanged(true);
}

void ppgButton::updateMarginEnabling() {
    const bool on = m_checks.value(QStringLiteral("chkShowFocusRect"))->state() == 1;
    m_marginLabel->setEnabled(on);
    m_margin->setEnabled(on);
    m_spin->setEnabled(on);
    const quint32 background = on ? kWindowBackground : kButtonFace;
    for (QWidget* w : {static_cast<QWidget*>(m_margin), static_cast<QWidget*>(m_marginFrame)}) {
        QPalette p = w->palette();
        const QColor c = zkResolveColor(background, palette());
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(g, QPalette::Base, c);
            p.setColor(g, QPalette::Window, c);
        }
        w->setPalette(p);
    }
}

void ppgButton::marginTextChanged(const QString& text) {
    const zk::pages::MarginText m = zk::pages::normalizeMargin(text);
    if (m.rewrite) {
        m_margin->setText(QString::number(m.value));
        m_margin->setCursorPosition(1);
        return; // the rewrite comes back here with the corrected text
    }
    m_spin->setValue(kMaxMargin - m.value);
    // The spin bar follows the box, which is usable only with the focus rectangle on.
    m_spin->setEnabled(m_margin->isEnabled());
    m_marks.touch(QStringLiteral("txtFocusRectMargin"));
}

void ppgButton::spinChanged(int position) {
    const QString text = QString::number(kMaxMargin - position);
    if (m_margin->text() != text)
        m_margin->setText(text);
    setChanged(true);
}

QVariant ppgButton::editorValue(const QString& editor) const {
    if (QComboBox* c = m_combos.value(editor))
        return c->currentIndex();
    if (zkGreyCheckBox* c = m_checks.value(editor))
        return c->isOn();
    if (editor == m_caption->objectName())
        return m_caption->text();
    return zk::pages::normalizeMargin(m_margin->text()).value;
}

void ppgButton::showValue(const QString& editor, const QVariant& value, bool agree) {
    if (QComboBox* c = m_combos.value(editor)) {
        // A value outside the list (nothing validates enumerations) shows no entry too.
        const int index = agree ? value.toInt() : -1;
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
    } else if (zkGreyCheckBox* c = m_checks.value(editor)) {
        c->setState(agree ? (value.toBool() ? 1 : 0) : 2);
        if (editor == QLatin1String("chkShowFocusRect"))
            updateMarginEnabling();
    } else if (editor == m_caption->objectName()) {
        m_caption->setText(agree ? value.toString() : QString());
    } else if (agree) {
        m_margin->setText(QString::number(value.toInt())); // moves the spin bar too
    } else {
        m_margin->setText(QString());
    }
}

zkHostError ppgButton::selectionChanged(const QList<QObject*>& objects) {
    if (zkHostError e = takeSelection(objects); e.failed())
        return e;
    QList<const char*> names;
    for (const Field& f : kFields)
        names << f.property;
    const zk::pages::SelectionValues read = zk::pages::readSelection(objects, names);
    if (read.error.failed())
        return read.error;
    for (qsizetype i = 0; i < names.size(); ++i)
        showValue(QLatin1String(kFields[i].editor), read.first[i], read.agree[size_t(i)]);
    // Setting the editors marked them as changed; the agreement flags replace that.
    for (qsizetype i = 0; i < names.size(); ++i)
        m_marks.setAgreement(QLatin1String(kFields[i].editor), read.agree[size_t(i)]);
    setChanged(false);
    return {};
}

zkHostError ppgButton::applyChanges() {
    for (const Field& f : kFields) {
        const QString editor = QLatin1String(f.editor);
        if (!m_marks.isTouched(editor))
            continue;
        if (zkHostError e = writeToAll(f.property, editorValue(editor)); e.failed())
            return e;
    }
    setChanged(false);
    return {};
}
