#pragma once
// The main window's layout pass, in twips, as a pure function.
//
// Inner width and height are the client area, outer width the window's full width.
// Preview: (0, toolbar offset), inner width x (inner height - offset - status height - 60).
// Status icon: left 50, bottom on the client area's bottom edge.
// Status line: left = icon width + 100, bottom on the bottom edge,
//              width = inner width - icon width - 50 (its height is its own).
// Separator: Line1 along y = 0, Line2 along y = 15, both the outer width long.
// A step whose size would be negative is skipped (nullopt): that control keeps its
// previous size and place.
#include <QLine>
#include <QPoint>
#include <QRect>
#include <optional>

namespace folivo {

inline constexpr int kStatusIconTwips = 255;
inline constexpr int kStatusLineHeightTwips = 300;
inline constexpr int kStatusGapTwips = 60;
inline constexpr int kSeparatorGapTwips = 15;

struct MainLayoutInput {
    int innerWidth = 0;
    int innerHeight = 0;
    int outerWidth = 0;
    int toolbarOffset = 0;
    int statusHeight = kStatusLineHeightTwips;
    int iconWidth = kStatusIconTwips;
    int iconHeight = kStatusIconTwips;
};

struct MainLayout {
    std::optional<QRect> preview;
    QPoint statusIcon;
    std::optional<QRect> statusLine;
    QLine line1;
    QLine line2;
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);

// The same rectangle in pixels at the given resolution (each edge rounded on its own,
// so neighbouring controls meet without gaps).
QRect TwipsRectToPixels(const QRect& twips, double dpiX, double dpiY);

} // namespace folivo
