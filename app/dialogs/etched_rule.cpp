#include "etched_rule.h"

#include <QPainter>

namespace folivo {

EtchedRule::EtchedRule(int lineWidth, int whiteOffset, QWidget* parent)
    : QWidget(parent), m_lineWidth(lineWidth), m_whiteOffset(qMax(1, whiteOffset)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(lineWidth, m_whiteOffset + 1);
}

void EtchedRule::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, m_lineWidth, 1, QColor(128, 128, 128));
    painter.fillRect(0, m_whiteOffset, m_lineWidth, 1, Qt::white);
}

} // namespace folivo
