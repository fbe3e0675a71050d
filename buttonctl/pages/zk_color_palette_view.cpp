#include "zk_color_palette_view.h"

#include "zk_page_widgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kListWidth = 230;
}

zkColorPaletteView::zkColorPaletteView(int number, const QList<zk::pages::PaletteEntry>& fixed,
                                       QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("picPaletteOut%1").arg(number - 1));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_window = new QWidget(this);
    m_window->setFixedSize(kListWidth, kVisibleEntries * kEntryHeight);
    m_list = new QWidget(m_window);
    m_list->setObjectName(QStringLiteral("picPaletteList%1").arg(number - 1));
    addEntry(number, zk::pages::customEntryName(), zk::pages::kCustomStart);
    for (const zk::pages::PaletteEntry& e : fixed)
        addEntry(number, e.name, e.color);
    m_list->setGeometry(0, 0, kListWidth, int(m_rows.size()) * kEntryHeight);

    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("vscPalette%1").arg(number - 1));
    const double h = m_rows.first()->height();
    m_scroll->setRange(0, int(std::nearbyint(m_list->height() - m_window->height())) /
                              int(std::nearbyint(h)));
    m_scroll->setPageStep(int(std::nearbyint(m_window->height())) / int(std::nearbyint(h)));
    m_scroll->setSingleStep(1);
    m_scroll->setValue(0);
    connect(m_scroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_list->move(0, -value * kEntryHeight); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    row->addWidget(m_window);
    row->addWidget(m_scroll);
    setHighlighted(-1);
}

void zkColorPaletteView::addEntry(int number, const QString& name, quint32 color) {
    const int k = int(m_rows.size());
    auto* background = new QWidget(m_list);
    background->setObjectName(QStringLiteral("picPaletteList%1Item_%2").arg(number).arg(k));
    background->setGeometry(0, k * kEntryHeight, kListWidth, kEntryHeight);
    auto* swatch = new zkColorSwatch(background);
    swatch->setObjectName(QStringLiteral("cmdPaletteList%1Item_%2").arg(number).arg(k));
    swatch->setColor(color);
    swatch->setGeometry(3, 2, 26, kEntryHeight - 4);
    auto* label = new QLabel(name, background);
    label->setObjectName(QStringLiteral("lblPaletteList%1Item_%2").arg(number).arg(k));
    label->setGeometry(34, 0, kListWidth - 36, kEntryHeight);
    background->installEventFilter(this);
    label->installEventFilter(this);
    connect(swatch, &zkColorSwatch::clicked, this, [this, k] { emit swatchClicked(k); });
    m_rows << background;
    m_labels << label;
    m_swatches << swatch;
}

quint32 zkColorPaletteView::entryColor(int entry) const {
    return m_swatches.at(entry)->color();
}

void zkColorPaletteView::setEntryColor(int entry, quint32 color) {
    m_swatches.at(entry)->setColor(color);
}

int zkColorPaletteView::find(quint32 color) const {
    for (int k = 0; k < entryCount(); ++k) {
        if (entryColor(k) == color)
            return k;
    }
    return -1;
}

void zkColorPaletteView::setHighlighted(int entry) {
    m_highlighted = entry;
    for (int k = 0; k < entryCount(); ++k)
        zkHighlightRow(m_rows[k], m_labels[k], k == entry);
}

void zkColorPaletteView::scrollTo(int entry) {
    m_scroll->setValue(std::min(entry, m_scroll->maximum()));
}

bool zkColorPaletteView::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (press || doubleClick) {
        for (int k = 0; k < entryCount(); ++k) {
            if (watched == m_rows[k] || watched == m_labels[k]) {
                if (press)
                    emit entryPressed(k);
                else
                    emit entryDoubleClicked(k);
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}
