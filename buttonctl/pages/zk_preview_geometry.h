#pragma once
// Where the picture page's preview puts a picture of natural size `picture` inside a
// preview area of size `area` (both in pixels), for each zoom setting:
//   ActualSize  the natural size;
//   Zoom        scaled by 1/r, r = max(w/W, h/H): fits the area, proportions kept;
//   ZoomToFit   as Zoom, but r is at most 1: small pictures grow, large ones keep their
//               natural size;
//   Stretch     the whole area.
// The first three are centred: left = round(W - width) div 2 (round halves to even, div
// truncating toward zero), so a picture larger than the area starts at a negative
// position and is clipped on all sides. An empty picture gives an empty rectangle.
#include <QRect>
#include <QSize>

namespace zk::pages {

enum class Zoom { ActualSize = 0, Zoom = 1, ZoomToFit = 2, Stretch = 3 };

QRect previewGeometry(Zoom zoom, QSize area, QSize picture);

} // namespace zk::pages
