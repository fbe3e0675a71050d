#include "main_layout.h"

#include "twips.h"

namespace folivo {

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
    MainLayout out;
    const int previewHeight =
        in.innerHeight - in.toolbarOffset - (in.statusHeight + kStatusGapTwips);
    if (in.innerWidth >= 0 && previewHeight >= 0)
        out.preview = QRect(0, in.toolbarOffset, in.innerWidth, previewHeight);

    out.statusIcon = QPoint(50, in.innerHeight - in.iconHeight);

    const int statusWidth = in.innerWidth - in.iconWidth - 50;
    if (statusWidth >= 0)
        out.statusLine = QRect(in.iconWidth + 100, in.innerHeight - in.statusHeight, statusWidth,
                               in.statusHeight);

    out.line1 = QLine(in.outerWidth, 0, 0, 0);
    out.line2 = QLine(0, kSeparatorGapTwips, in.outerWidth, kSeparatorGapTwips);
    return out;
}

QRect TwipsRectToPixels(const QRect& twips, double dpiX, double dpiY) {
    const int left = TwipsToPixels(twips.x(), dpiX);
    const int top = TwipsToPixels(twips.y(), dpiY);
    const int right = TwipsToPixels(twips.x() + twips.width(), dpiX);
    const int bottom = TwipsToPixels(twips.y() + twips.height(), dpiY);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace folivo
