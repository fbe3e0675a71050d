#pragma once
// One palette of the colour page: a clipping frame (picPaletteOut<n>) over a tall list
// (picPaletteList<n>) of entries, each a row background, a swatch and a name, scrolled by
// whole entries with a vertical scroll bar (vscPalette<n>). Entry 0 is the custom entry.
//
// The view only shows and reports; the page decides what a press or click means.
#include "zk_color_palettes.h"

#include <QFrame>
#include <QList>

class QLabel;
class QScrollBar;
class zkColorSwatch;

class zkColorPaletteView : public QFrame {
    Q_OBJECT

public:
    static constexpr int kEntryHeight = 18;
    static constexpr int kVisibleEntries = 8;

    // `number` is 1 (standard) or 2 (system) and names the children
    // (picPaletteList1Item_<k>, cmdPaletteList1Item_<k>, lblPaletteList1Item_<k>).
    zkColorPaletteView(int number, const QList<zk::pages::PaletteEntry>& fixed,
                       QWidget* parent = nullptr);

    int entryCount() const { return int(m_swatches.size()); }
    quint32 entryColor(int entry) const;
    void setEntryColor(int entry, quint32 color);
    // The first entry (from 0) of this colour, or -1.
    int find(quint32 color) const;
    void setHighlighted(int entry);
    int highlighted() const { return m_highlighted; }
    // Scrolls so that `entry` is at the top, or as far as the scroll bar goes.
    void scrollTo(int entry);
    QScrollBar* scrollBar() const { return m_scroll; }
    QWidget* list() const { return m_list; }

signals:
    void swatchClicked(int entry);
    void entryPressed(int entry);
    void entryDoubleClicked(int entry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addEntry(int number, const QString& name, quint32 color);

    QWidget* m_window = nullptr;
    QWidget* m_list = nullptr;
    QScrollBar* m_scroll = nullptr;
    QList<QWidget*> m_rows;
    QList<QLabel*> m_labels;
    QList<zkColorSwatch*> m_swatches;
    int m_highlighted = -1;
};
