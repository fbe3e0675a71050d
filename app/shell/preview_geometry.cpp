#include "preview_geometry.h"

#include <QtMath>

namespace folivo {

QRect FitSheet(const QSize& area, const QSize& pageTwips, int margin) {
    const int freeWidth = area.width() - 2 * margin;
    const int freeHeight = area.height() - 2 * margin;
    if (freeWidth <= 0 || freeHeight <= 0 || pageTwips.width() <= 0 || pageTwips.height() <= 0)
        return {};
    const double scale =
        qMin(double(freeWidth) / pageTwips.width(), double(freeHeight) / pageTwips.height());
    const int width = qMax(1, qRound(pageTwips.width() * scale));
    const int height = qMax(1, qRound(pageTwips.height() * scale));
    return QRect((area.width() - width) / 2, (area.height() - height) / 2, width, height);
}

QRect MapBoxToSheet(const QRect& boxTwips, const QSize& pageTwips, const QRect& sheet) {
    if (pageTwips.width() <= 0 || pageTwips.height() <= 0 || sheet.isEmpty())
        return {};
    const double sx = double(sheet.width()) / pageTwips.width();
    const double sy = double(sheet.height()) / pageTwips.height();
    const int left = sheet.x() + qRound(boxTwips.x() * sx);
    const int top = sheet.y() + qRound(boxTwips.y() * sy);
    const int right = sheet.x() + qRound((qint64(boxTwips.x()) + boxTwips.width()) * sx);
    const int bottom = sheet.y() + qRound((qint64(boxTwips.y()) + boxTwips.height()) * sy);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace folivo
