#include "preview_geometry.h"

#include <QtMath>
#include <array>

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

namespace {
constexpr std::array kZoomSteps = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0,
                                   1.25, 1.5,     2.0, 3.0,     4.0};
constexpr double kStepTolerance = 0.01; // a shown scale this close to a step counts as on it

// Scroll bars and centring for a sheet of the given size in area.
SheetLayout Place(const QSize& area, const QSize& sheetSize, int bar) {
    SheetLayout out;
    const int needWidth = sheetSize.width() + 2 * kSheetMargin;
    const int needHeight = sheetSize.height() + 2 * kSheetMargin;
    out.verticalBar = needHeight > area.height();
    out.horizontalBar = needWidth > area.width() - (out.verticalBar ? bar : 0);
    if (out.horizontalBar && !out.verticalBar)
        out.verticalBar = needHeight > area.height() - bar;
    out.viewport = QSize(area.width() - (out.verticalBar ? bar : 0),
                         area.height() - (out.horizontalBar ? bar : 0));
    out.content = out.viewport.expandedTo(QSize(needWidth, needHeight));
    out.sheet = QRect((out.content.width() - sheetSize.width()) / 2,
                      (out.content.height() - sheetSize.height()) / 2, sheetSize.width(),
                      sheetSize.height());
    return out;
}
} // namespace

void PreviewZoom::setScale(double scale) {
    m_mode = Mode::Scale;
    m_scale = qBound(kMinScale, scale, kMaxScale);
}

void PreviewZoom::zoomIn(double shownScale) {
    for (double step : kZoomSteps)
        if (step > shownScale * (1 + kStepTolerance))
            return setScale(step);
    setScale(kMaxScale);
}

void PreviewZoom::zoomOut(double shownScale) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < shownScale * (1 - kStepTolerance))
            return setScale(*it);
    setScale(kMinScale);
}

SheetLayout LayOutSheet(const QSize& area, const QSize& pageTwips, const PreviewZoom& zoom,
                        double logicalDpi, int barExtent) {
    SheetLayout out;
    if (pageTwips.width() <= 0 || pageTwips.height() <= 0 || logicalDpi <= 0 || area.isEmpty())
        return out;
    const double pixelsAtScaleOne = logicalDpi / 1440.0; // per twip
    switch (zoom.mode()) {
    case PreviewZoom::Mode::FitPage:
        out.sheet = FitSheet(area, pageTwips);
        out.content = out.viewport = area;
        break;
    case PreviewZoom::Mode::FitWidth: {
        auto sheetFor = [&](int viewWidth) {
            const int width = qMax(1, viewWidth - 2 * kSheetMargin);
            return QSize(width,
                         qMax(1, qRound(double(pageTwips.height()) * width / pageTwips.width())));
        };
        QSize sheet = sheetFor(area.width());
        if (sheet.height() + 2 * kSheetMargin > area.height())
            sheet = sheetFor(area.width() - barExtent); // the bar's room comes off the sheet
        out = Place(area, sheet, barExtent);
        break;
    }
    case PreviewZoom::Mode::Scale: {
        const double perTwip = zoom.scale() * pixelsAtScaleOne;
        out = Place(area,
                    QSize(qMax(1, qRound(pageTwips.width() * perTwip)),
                          qMax(1, qRound(pageTwips.height() * perTwip))),
                    barExtent);
        break;
    }
    }
    if (!out.sheet.isEmpty())
        out.shownScale = out.sheet.width() / (pageTwips.width() * pixelsAtScaleOne);
    return out;
}

} // namespace folivo
