#pragma once
// ppgButton: the general page ("ボタン") of zkButton. Edits Appearance, Caption,
// CaptionAlign, PictureAlign, Style, Value, ShowFocusRect, FocusRectMargin, Cancel,
// Default, Enabled, OwnerDraw and UseMaskColor of every selected button at once: an editor
// shows a value where all buttons agree, no entry / empty text / a grey box where they
// differ, and Apply writes only the editors the user touched.
//
// Editors carry their published names as objectName (cboAppearance, txtCaption, ...).
#include "zk_page_widgets.h"
#include "zk_property_page.h"

#include <QHash>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace zk::pages {
// The margin box's rule: empty text or text that is not a number gives 0, a number below
// 0 gives 0 and one above 8 gives 8; `rewrite` says the box must show `value` instead.
struct MarginText {
    int value = 0;
    bool rewrite = false;
};
MarginText normalizeMargin(const QString& text);
} // namespace zk::pages

class ppgButton : public zkPropertyPage {
    Q_OBJECT

public:
    explicit ppgButton(zkPageServices services = {}, QWidget* parent = nullptr);

    QString title() const override;
    zkHostError selectionChanged(const QList<QObject*>& objects) override;
    zkHostError applyChanges() override;

    // The modification mark of an editor by its name ("True", "False" or "").
    QString mark(const QString& editor) const { return m_marks.mark(editor); }

private:
    void buildEditors();
    void addCombo(const char* editor, const QStringList& items);
    void addCheck(const char* editor, const QString& caption);
    void buildMarginBox();
    void userChanged(const QString& editor);
    void updateMarginEnabling();
    void marginTextChanged(const QString& text);
    void spinChanged(int position);
    QVariant editorValue(const QString& editor) const;
    void showValue(const QString& editor, const QVariant& value, bool agree);

    zkEditorMarks m_marks;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, zkGreyCheckBox*> m_checks;
    QLineEdit* m_caption = nullptr;
    QLineEdit* m_margin = nullptr;
    QScrollBar* m_spin = nullptr;
    QLabel* m_marginLabel = nullptr;
    QLabel* m_marginFrame = nullptr;
};
