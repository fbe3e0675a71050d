#pragma once
// ppgFont: the font page ("フォント") of zkButton. Edits Name, Size, Bold, Italic,
// Underline and Strikethrough of each selected button's existing font object (changed in
// place, never replaced), previews the choice on an editable sample text, and after Apply
// re-assigns every button's Caption so that it redraws.
//
// Children carry their published names: cboFont, cboFontSize, chkStyle0..chkStyle3 (bold,
// italic, underline, strikethrough), txtPreview.
#include "zk_page_widgets.h"
#include "zk_property_page.h"

#include <array>
#include <optional>

class QComboBox;
class QLineEdit;

namespace zk::pages {
// A size typed into the size box as a whole number of points (halves round to even);
// nothing for text that is not a number or a size no font can have (outside 1 to 1638).
std::optional<int> parseFontSize(const QString& text);
} // namespace zk::pages

class ppgFont : public zkPropertyPage {
    Q_OBJECT

public:
    explicit ppgFont(zkPageServices services = {}, QWidget* parent = nullptr);

    QString title() const override;
    zkHostError selectionChanged(const QList<QObject*>& objects) override;
    zkHostError applyChanges() override;
    QString propertyOf(const QWidget*) const override { return QStringLiteral("Font"); }

    QString mark(const QString& editor) const { return m_marks.mark(editor); }

private:
    void build();
    void initialise();
    void fontChosen();
    void sizeChanged();
    void styleClicked(int index);
    zkHostError fontsOfSelection(QList<QObject*>& buttons, QList<QObject*>& fonts) const;
    zkHostError writeToFonts(const QList<QObject*>& fonts, const char* name, const QVariant& v);

    zkEditorMarks m_marks;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    std::array<zkGreyCheckBox*, 4> m_styles{};
    QLineEdit* m_preview = nullptr;
    bool m_previewInit = false; // the sample text still follows the first caption
};
