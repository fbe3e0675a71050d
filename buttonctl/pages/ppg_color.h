#pragma once
// ppgColor: the colour page ("色") of zkButton for BackColor, FillColor, ForeColor and
// MaskColor. A list of the four properties with swatches on the left; on the right the
// standard palette (sixteen colours) or the system palette (twenty-five system colours),
// each with a custom entry that opens the colour dialog (zkColorDialog). Choosing a row
// finds its colour in the palettes and scrolls to it; choosing an entry gives the current
// row that colour. Apply writes only the rows that were chosen or given a colour.
//
// Children carry their published names: picList<r>, lblList<r>, cmdList<r>, cboType, and
// the palette views picPaletteOut0/1 (see zk_color_palette_view.h).
#include "zk_color_palette_view.h"
#include "zk_page_services.h"
#include "zk_page_widgets.h"
#include "zk_property_page.h"

#include <array>

class QComboBox;
class QLabel;

class ppgColor : public zkPropertyPage {
    Q_OBJECT

public:
    static constexpr int kRows = 4;
    static const std::array<const char*, kRows>& propertyNames();

    explicit ppgColor(zkPageServices services = {}, QWidget* parent = nullptr);

    QString title() const override;
    zkHostError selectionChanged(const QList<QObject*>& objects) override;
    zkHostError applyChanges() override;
    QString propertyOf(const QWidget* editor) const override;

    int currentRow() const { return m_current; }
    quint32 rowColor(int row) const;
    QString mark(int row) const { return m_marks.mark(QString::number(row)); }
    zkColorPaletteView* paletteView(int palette) const { return m_views.at(size_t(palette)); }
    const zkCustomColors& customColors() const { return m_customColors; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void chooseRow(int row);
    void chooseEntry(int palette, int entry, bool withDialog);
    void showPalette(int palette);

    zkEditorMarks m_marks; // keyed by row number
    int m_current = 0;
    std::array<QWidget*, kRows> m_rowBackgrounds{};
    std::array<QLabel*, kRows> m_rowLabels{};
    std::array<zkColorSwatch*, kRows> m_rowSwatches{};
    std::array<zkColorPaletteView*, 2> m_views{};
    QComboBox* m_type = nullptr;
    zkCustomColors m_customColors{};
};
