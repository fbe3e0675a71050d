#include "ppg_color.h"

#include "zk_property_access.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

const std::array<const char*, ppgColor::kRows>& ppgColor::propertyNames() {
    static const std::array<const char*, kRows> names{"BackColor", "FillColor", "ForeColor",
                                                      "MaskColor"};
    return names;
}

ppgColor::ppgColor(zkPageServices services, QWidget* parent)
    : zkPropertyPage(std::move(services), parent) {
    setObjectName(QStringLiteral("ppgColor"));
    m_customColors.fill(0xFFFFFF);
    build();
    // Initialisation: the standard palette.
    m_type->setCurrentIndex(0);
    showPalette(0);
}

QString ppgColor::title() const {
    return QStringLiteral("色");
}

quint32 ppgColor::rowColor(int row) const {
    return m_rowSwatches.at(size_t(row))->color();
}

void ppgColor::build() {
    auto* listLabel = new QLabel(QStringLiteral("プロパティ(&P) :"), this);
    listLabel->setObjectName(QStringLiteral("Label1"));
    auto* listFrame = new QFrame(this);
    listFrame->setObjectName(QStringLiteral("Picture1"));
    listFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* rows = new QVBoxLayout(listFrame);
    rows->setContentsMargins(1, 1, 1, 1);
    rows->setSpacing(0);
    for (int r = 0; r < kRows; ++r) {
        auto* background = new QWidget(listFrame);
        background->setObjectName(QStringLiteral("picList%1").arg(r));
        background->setFixedHeight(zkColorPaletteView::kEntryHeight + 2);
        auto* swatch = new zkColorSwatch(background);
        swatch->setObjectName(QStringLiteral("cmdList%1").arg(r));
        swatch->setGeometry(3, 2, 26, zkColorPaletteView::kEntryHeight - 2);
        auto* label = new QLabel(QLatin1String(propertyNames()[size_t(r)]), background);
        label->setObjectName(QStringLiteral("lblList%1").arg(r));
        label->setGeometry(34, 0, 120, zkColorPaletteView::kEntryHeight + 2);
        background->installEventFilter(this);
        label->installEventFilter(this);
        // The swatch lies inside its row: pressing it chooses the row as well.
        connect(swatch, &zkColorSwatch::pressed, this, [this, r] { chooseRow(r); });
        m_rowBackgrounds[size_t(r)] = background;
        m_rowLabels[size_t(r)] = label;
        m_rowSwatches[size_t(r)] = swatch;
        zkHighlightRow(background, label, false);
        rows->addWidget(background);
    }
    rows->addStretch();
    listLabel->setBuddy(listFrame);

    auto* typeLabel = new QLabel(QStringLiteral("色の設定(S) :"), this);
    typeLabel->setObjectName(QStringLiteral("Label2"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("cboType"));
    m_type->addItems({QStringLiteral("標準の色"), QStringLiteral("Windowsシステムカラー")});
    auto* paletteLabel = new QLabel(QStringLiteral("カラーパレット(&C) :"), this);
    paletteLabel->setObjectName(QStringLiteral("Label3"));
    m_views[0] = new zkColorPaletteView(1, zk::pages::standardPalette(), this);
    m_views[1] = new zkColorPaletteView(2, zk::pages::systemPalette(), this);
    paletteLabel->setBuddy(m_views[0]);

    auto* grid = new QGridLayout(this);
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(listFrame, 1, 0, 4, 1);
    grid->addWidget(typeLabel, 0, 1);
    grid->addWidget(m_type, 1, 1);
    grid->addWidget(paletteLabel, 2, 1);
    grid->addWidget(m_views[0], 3, 1);
    grid->addWidget(m_views[1], 3, 1);
    grid->setRowStretch(4, 1);

    connect(m_type, &QComboBox::currentIndexChanged, this, &ppgColor::showPalette);
    for (int p = 0; p < 2; ++p) {
        zkColorPaletteView* view = m_views[size_t(p)];
        connect(view, &zkColorPaletteView::swatchClicked, this,
                [this, p](int k) { chooseEntry(p, k, true); });
        // A press on the standard palette's custom row only highlights it; there a double
        // click opens the dialog. The system palette opens it on the press.
        connect(view, &zkColorPaletteView::entryPressed, this,
                [this, p](int k) { chooseEntry(p, k, p == 1); });
        if (p == 0)
            connect(view, &zkColorPaletteView::entryDoubleClicked, this,
                    [this](int k) { chooseEntry(0, k, true); });
    }
}

void ppgColor::showPalette(int palette) {
    m_views[0]->setVisible(palette == 0);
    m_views[1]->setVisible(palette == 1);
}

bool ppgColor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int r = 0; r < kRows; ++r) {
            if (watched == m_rowBackgrounds[size_t(r)] || watched == m_rowLabels[size_t(r)]) {
                chooseRow(r);
                return true;
            }
        }
    }
    return zkPropertyPage::eventFilter(watched, event);
}

QString ppgColor::propertyOf(const QWidget*) const {
    return QLatin1String(propertyNames()[size_t(m_current)]);
}

void ppgColor::chooseRow(int row) {
    for (int r = 0; r < kRows; ++r)
        zkHighlightRow(m_rowBackgrounds[size_t(r)], m_rowLabels[size_t(r)], r == row);
    m_current = row;
    emit currentPropertyChanged();
    const quint32 color = rowColor(row);
    for (int p = 0; p < 2; ++p) {
        const int k = m_views[size_t(p)]->find(color);
        if (k >= 0) {
            m_type->setCurrentIndex(p);
            chooseEntry(p, k, false);
            m_views[size_t(p)]->scrollTo(k);
            return;
        }
    }
    m_type->setCurrentIndex(0);
    m_views[0]->setEntryColor(0, color);
    chooseEntry(0, 0, false);
    m_views[0]->scrollTo(0);
}

void ppgColor::chooseEntry(int palette, int entry, bool withDialog) {
    zkColorPaletteView* view = m_views[size_t(palette)];
    view->setHighlighted(entry);
    zkColorSwatch* swatch = m_rowSwatches[size_t(m_current)];
    if (entry > 0) {
        swatch->setColor(view->entryColor(entry));
    } else if (withDialog) {
        const quint32 initial = view->entryColor(0);
        const std::optional<quint32> picked = services().colorDialog->chooseColor(
            window(), initial, zk::pages::colorDialogFlags(initial), m_customColors);
        if (!picked)
            return;
        view->setEntryColor(0, *picked);
        swatch->setColor(*picked);
    }
    m_marks.touch(QString::number(m_current));
    setChanged(true);
}

zkHostError ppgColor::selectionChanged(const QList<QObject*>& objects) {
    if (zkHostError e = takeSelection(objects); e.failed())
        return e;
    const auto& names = propertyNames();
    const zk::pages::SelectionValues read =
        zk::pages::readSelection(objects, {names[0], names[1], names[2], names[3]});
    if (read.error.failed())
        return read.error;
    for (int r = 0; r < kRows; ++r) {
        const bool agree = read.agree[size_t(r)];
        // Where the buttons disagree the swatch keeps what it showed before.
        if (agree)
            m_rowSwatches[size_t(r)]->setColor(read.first[r].toUInt());
        m_marks.setAgreement(QString::number(r), agree);
    }
    setChanged(false);
    return {};
}

zkHostError ppgColor::applyChanges() {
    for (int r = 0; r < kRows; ++r) {
        if (!m_marks.isTouched(QString::number(r)))
            continue;
        if (zkHostError e =
                writeToAll(propertyNames()[size_t(r)], QVariant::fromValue(uint(rowColor(r))));
            e.failed())
            return e;
    }
    setChanged(false);
    return {};
}
