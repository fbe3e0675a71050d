#pragma once
// Conversion between surface pixels and the units of a ScaleMode (host constants: 0 user,
// 1 twips, 2 points, 3 pixels, 4 characters, 5 inches, 6 millimetres, 7 centimetres) at a
// given number of pixels per inch. A user-defined or unknown scale counts in pixels.
namespace zk {

double pixelsToScale(double pixels, int scaleMode, bool horizontal, int dpi);
double scaleToPixels(double value, int scaleMode, bool horizontal, int dpi);

} // namespace zk
