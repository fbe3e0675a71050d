#pragma once
// Small editors shared by the pages.
#include <QAbstractButton>
#include <QCheckBox>
#include <QHash>
#include <QString>

// A check box that can show the grey "values differ" state but never enters it by a
// click: a click on a grey box checks it, otherwise it toggles.
// State numbers as the pages use them: 0 unchecked, 1 checked, 2 grey.
class zkGreyCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit zkGreyCheckBox(const QString& text, QWidget* parent = nullptr);
    int state() const;
    void setState(int state);
    // Checked or grey: what Apply writes as True.
    bool isOn() const { return state() != 0; }

protected:
    void nextCheckState() override;
};

// A colour swatch button showing a 32-bit colour (0x00BBGGRR or a system colour).
class zkColorSwatch : public QAbstractButton {
    Q_OBJECT

public:
    explicit zkColorSwatch(QWidget* parent = nullptr);
    quint32 color() const { return m_color; }
    void setColor(quint32 oleColor);
    QSize sizeHint() const override { return {24, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 m_color = 0xFFFFFF;
};

// The modification marks of a page's editors: "True"/"False" after a selection was read
// (the agreement flag), "" once the user changed the editor. Only editors with an empty
// mark are written back.
class zkEditorMarks {
public:
    void setAgreement(const QString& editor, bool agree) {
        m_marks[editor] = agree ? QStringLiteral("True") : QStringLiteral("False");
    }
    void set(const QString& editor, const QString& mark) { m_marks[editor] = mark; }
    void touch(const QString& editor) { m_marks[editor] = QString(""); }
    bool isTouched(const QString& editor) const {
        const auto it = m_marks.constFind(editor);
        return it != m_marks.cend() && it->isEmpty();
    }
    // A null string for an editor that has no mark yet.
    QString mark(const QString& editor) const { return m_marks.value(editor); }

private:
    QHash<QString, QString> m_marks;
};

class QLabel;
// Paints a list row as chosen (system highlight and highlight-text colours) or not
// (window background and window text).
void zkHighlightRow(QWidget* background, QLabel* label, bool chosen);
