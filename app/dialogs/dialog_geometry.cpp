#include "dialog_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace folivo {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int Pixels(int twips, double dpi) {
    return qRound(twips * dpi / kTwipsPerInch);
}

} // namespace

double DialogDpi(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

QRect TwipsRect(int left, int top, int width, int height, double dpi) {
    const int x = Pixels(left, dpi);
    const int y = Pixels(top, dpi);
    return QRect(x, y, Pixels(left + width, dpi) - x, Pixels(top + height, dpi) - y);
}

void SetInnerTwips(QWidget* dialog, int width, int height, double dpi) {
    dialog->setFixedSize(Pixels(width, dpi), Pixels(height, dpi));
}

void CentreOn(QWidget* dialog, const QWidget* owner) {
    QRect area;
    QSize decoration; // title bar and borders; before the first show only the owner's are known
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
        decoration = owner->frameGeometry().size() - owner->size();
    } else if (const QScreen* screen = dialog->screen()) {
        area = screen->availableGeometry();
    }
    if (dialog->isVisible())
        decoration = dialog->frameGeometry().size() - dialog->size();
    if (area.isValid())
        dialog->move(area.center() - QRect(QPoint(), dialog->size() + decoration).center());
}

} // namespace folivo
