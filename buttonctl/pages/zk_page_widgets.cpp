#include "zk_page_widgets.h"

#include "zk_colors.h"

#include <QLabel>
#include <QPainter>

zkGreyCheckBox::zkGreyCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setTristate(true);
}

int zkGreyCheckBox::state() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void zkGreyCheckBox::setState(int state) {
    setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void zkGreyCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

zkColorSwatch::zkColorSwatch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void zkColorSwatch::setColor(quint32 oleColor) {
    m_color = oleColor;
    update();
}

void zkColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(r, zkResolveColor(m_color, palette()));
    p.setPen(isDown() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Shadow));
    p.drawRect(r);
    if (hasFocus()) {
        p.setPen(Qt::DotLine);
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

void zkHighlightRow(QWidget* background, QLabel* label, bool chosen) {
    const QColor back = zkResolveColor(chosen ? 0x8000000D : 0x80000005, background->palette());
    const QColor text = zkResolveColor(chosen ? 0x8000000E : 0x80000008, label->palette());
    QPalette p = background->palette();
    p.setColor(QPalette::Window, back);
    background->setAutoFillBackground(true);
    background->setPalette(p);
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, text);
    label->setPalette(lp);
}
