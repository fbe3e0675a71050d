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

} // namespace folivo
