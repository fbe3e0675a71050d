#pragma once
// Where the preview draws a page: pure functions, in pixels.
#include <QRect>
#include <QSize>

namespace folivo {

inline constexpr int kSheetMargin = 12; // free pixels around the sheet
inline constexpr int kSheetShadow = 4;  // shadow offset, inside the margin

// The largest rectangle of the page's proportions that fits into area with margin pixels
// free on every side, centred. Empty when the area is too small or the page has no size.
QRect FitSheet(const QSize& area, const QSize& pageTwips, int margin = kSheetMargin);

// A picture box given in twips on a page of pageTwips, mapped onto the sheet rectangle.
QRect MapBoxToSheet(const QRect& boxTwips, const QSize& pageTwips, const QRect& sheet);

// How large the preview draws the page: the whole page in the view (the default), the
// page's width across the view, or a fixed scale where 1.0 shows the page at its real size
// on a screen of the given logical dpi.
class PreviewZoom {
public:
    enum class Mode { FitPage, FitWidth, Scale };

    Mode mode() const { return m_mode; }
    double scale() const { return m_scale; } // only meaningful in Mode::Scale
    void fitPage() { m_mode = Mode::FitPage; }
    void fitWidth() { m_mode = Mode::FitWidth; }
    void setScale(double scale);
    // The next step of the zoom ladder above or below the scale shown now (a fit mode
    // shows some scale too), bounded by the ladder's ends.
    void zoomIn(double shownScale);
    void zoomOut(double shownScale);

    static constexpr double kMinScale = 0.25;
    static constexpr double kMaxScale = 4.0;

private:
    Mode m_mode = Mode::FitPage;
    double m_scale = 1.0;
};

// The sheet laid out in a view of area pixels (scroll bars not yet taken off). Scroll bars
// of barExtent pixels appear only where the sheet with its margins does not fit; each one
// narrows the room for the other.
struct SheetLayout {
    QRect sheet;    // in content coordinates (the scrolled plane)
    QSize content;  // size of the scrolled plane, never smaller than the viewport
    QSize viewport; // area minus the scroll bars shown
    bool horizontalBar = false;
    bool verticalBar = false;
    double shownScale = 0; // the scale in PreviewZoom's terms, whatever the mode
};

SheetLayout LayOutSheet(const QSize& area, const QSize& pageTwips, const PreviewZoom& zoom,
                        double logicalDpi, int barExtent);

} // namespace folivo
