#pragma once
// Pixel operations with the drawing rules of the button's surfaces (images in
// QImage::Format_RGB32). Coordinates outside an image are clipped silently, and every
// operation visits only the pixels of the image: its cost follows the image's size, never
// the size of the shape asked for.
//
// - line(P, Q): the pixels from P to Q including P and excluding Q;
// - outline(P, Q): the four edges of the rectangle with corners P and Q, both included;
// - rop2 codes 1..16 combine pen and destination (13 = copy pen), rop3 ternary codes
//   combine brush, source and destination (0xCC0020 = source copy), per bit as the
//   platform defines them.
#include <QImage>
#include <QPoint>

namespace zk::raster {

struct Pen {
    QRgb color = 0;
    int rop2 = 13;
    int style = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible, 6 solid
};

quint32 rop2(int code, quint32 pen, quint32 dst);
quint32 rop3(quint32 code, quint32 brush, quint32 src, quint32 dst);

void setPixel(QImage& image, int x, int y, QRgb color, int rop2Code = 13);
void line(QImage& image, QPoint p, QPoint q, const Pen& pen);
// `width` parallel copies of line(p, q), shifted across the line's main direction
// (-(width - 1) / 2 .. width / 2); a width below 1 draws one.
void thickLine(QImage& image, QPoint p, QPoint q, int width, const Pen& pen);
void outline(QImage& image, QPoint p, QPoint q, const Pen& pen);
// Fills the rectangle with corners p and q, both included.
void fillRect(QImage& image, QPoint p, QPoint q, QRgb color);
// Fills with a host fill style: 0 solid, 2..7 hatches; 1 (transparent) draws nothing.
void fillStyled(QImage& image, QPoint p, QPoint q, int fillStyle, QRgb color);
// The dotted focus rectangle, drawn by inverting every other pixel of its edges;
// right and bottom are exclusive.
void invertFocusRect(QImage& image, int left, int top, int right, int bottom);
// Copies the w x h block at (sx, sy) of src to (x, y) of dst, except the pixels whose
// colour is exactly `transparent` (compared without alpha).
void maskedCopy(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
                QRgb transparent);
// A block by position and size, wide enough for any caller-given rectangle; a negative size
// runs backwards from the position.
struct Block {
    qint64 x = 0, y = 0, w = 0, h = 0;
};
// Stretches the source block onto the destination block (negative sizes mirror)
// combining each pixel by the ternary raster operation.
void ternaryBlt(QImage& dst, const Block& dstRect, const QImage& src, const Block& srcRect,
                quint32 rop, QRgb brush);

} // namespace zk::raster
