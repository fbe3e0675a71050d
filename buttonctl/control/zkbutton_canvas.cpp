// The drawing methods of zkButton: they draw on the visible surface only, in ScaleMode
// units, and the next Redraw replaces what they drew.
#include "zk_colors.h"
#include "zk_geometry.h"
#include "zk_raster.h"
#include "zk_scale.h"
#include "zkbutton.h"
#include "zkbutton_face.h"
#include "zkbutton_p.h"

#include <cmath>

namespace {
enum class Shape { Line, Box, BoxFill };
constexpr quint32 kSourceCopy = 0x00CC0020;

// A caller's colour or raster code: the low 32 bits of the whole number it holds. A double
// is rounded (halves away from zero) and saturated here, where converting it could overflow.
quint32 lowBits(const QVariant& v) {
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return static_cast<quint32>(zk::saturatedInt64(std::round(v.toDouble())));
    return static_cast<quint32>(v.toLongLong());
}

int floorPixel(double v) {
    return zk::saturatedInt(std::floor(v));
}
} // namespace

class zkButtonCanvas {
public:
    explicit zkButtonCanvas(zkButtonPrivate& b) : m_b(b) { m_b.followSize(); }

    double toPixels(double v, bool horizontal) const {
        return zk::scaleToPixels(v, m_b.props.scaleMode, horizontal, m_b.dpi());
    }
    int toPixelsRounded(const QVariant& v, bool horizontal) const {
        return zk::roundHalfEven(toPixels(v.toDouble(), horizontal));
    }
    QRgb rgb(quint32 ole) const { return m_b.q->resolveColor(ole).rgb(); }

    void shape(Shape kind, const QVariant& x1, const QVariant& y1, const QVariant& x2,
               const QVariant& y2, const QVariant& nColor) {
        const QVariant* coords[] = {&x1, &y1, &x2, &y2};
        int values[4];
        int missing = 0;
        for (int i = 0; i < 4; ++i) {
            const bool horizontal = i % 2 == 0;
            if (!coords[i]->isValid()) {
                ++missing;
                values[i] = horizontal ? m_b.canvas.currentPoint.x() : m_b.canvas.currentPoint.y();
            } else {
                values[i] = toPixelsRounded(*coords[i], horizontal);
            }
        }
        if (missing == 4)
            return;
        const quint32 colour = nColor.isValid() ? lowBits(nColor) : m_b.props.foreColor;
        const QPoint p(values[0], values[1]), q(values[2], values[3]);
        const zk::raster::Pen pen{rgb(colour), m_b.props.drawMode, m_b.props.drawStyle};
        QImage& surface = m_b.canvas.surface;
        switch (kind) {
        case Shape::Line:
            zk::raster::thickLine(surface, p, q, m_b.props.drawWidth, pen);
            break;
        case Shape::Box:
            // FillColor is this surface's fill colour (used by every fill style but
            // transparent); the outline goes over the filled interior.
            if (m_b.props.fillStyle != 1)
                zk::raster::fillStyled(surface, p, q, m_b.props.fillStyle,
                                       rgb(m_b.props.fillColor));
            zk::raster::outline(surface, p, q, pen);
            break;
        case Shape::BoxFill:
            zk::raster::fillRect(surface, p, q, pen.color);
            break;
        }
        m_b.canvas.currentPoint = q;
        m_b.presentSurface();
    }

private:
    zkButtonPrivate& m_b;
};

void zkButton::LineEx(const QVariant& nX1, const QVariant& nY1, const QVariant& nX2,
                      const QVariant& nY2, const QVariant& nColor) {
    zkButtonCanvas(*d).shape(Shape::Line, nX1, nY1, nX2, nY2, nColor);
}

void zkButton::Box(const QVariant& nX1, const QVariant& nY1, const QVariant& nX2,
                   const QVariant& nY2, const QVariant& nColor) {
    zkButtonCanvas(*d).shape(Shape::Box, nX1, nY1, nX2, nY2, nColor);
}

void zkButton::BoxFill(const QVariant& nX1, const QVariant& nY1, const QVariant& nX2,
                       const QVariant& nY2, const QVariant& nColor) {
    zkButtonCanvas(*d).shape(Shape::BoxFill, nX1, nY1, nX2, nY2, nColor);
}

void zkButton::Cls() {
    d->followSize();
    const QColor back = resolveColor(d->props.backColor);
    d->canvas.buffer.fill(back);
    d->canvas.surface = QImage(d->canvas.buffer.size(), QImage::Format_RGB32);
    d->canvas.surface.fill(back);
    d->canvas.currentPoint = QPoint(0, 0);
    d->presentSurface();
}

void zkButton::PSetEx(int nPosX, int nPosY, qint64 nColor) {
    const zkButtonCanvas canvas(*d);
    const int x = floorPixel(canvas.toPixels(nPosX, true));
    const int y = floorPixel(canvas.toPixels(nPosY, false));
    const quint32 colour = nColor == NoColor ? d->props.foreColor : static_cast<quint32>(nColor);
    zk::raster::setPixel(d->canvas.surface, x, y, canvas.rgb(colour), d->props.drawMode);
    d->presentSurface();
}

int zkButton::Point(int nPosX, int nPosY) const {
    const int x = floorPixel(zk::scaleToPixels(nPosX, d->props.scaleMode, true, d->dpi()));
    const int y = floorPixel(zk::scaleToPixels(nPosY, d->props.scaleMode, false, d->dpi()));
    if (x < 0 || y < 0 || x >= d->canvas.surface.width() || y >= d->canvas.surface.height())
        return -1;
    return static_cast<int>(zkRgbToOle(d->canvas.surface.pixel(x, y)));
}

int zkButton::PaintPicture(const zkPictureRef& oSrcPicture, int nDstPosX, int nDstPosY,
                           const QVariant& nDstSizeWidth, const QVariant& nDstSizeHeight,
                           const QVariant& nSrcPosX, const QVariant& nSrcPosY,
                           const QVariant& nSrcSizeWidth, const QVariant& nSrcSizeHeight,
                           const QVariant& nOpCode) {
    if (!zkHoldsPicture(oSrcPicture))
        return 1;
    if (oSrcPicture->type() != zkPicture::Bitmap)
        return 2;
    const zkButtonCanvas canvas(*d);
    const auto size = [&](const QVariant& v, bool horizontal, int natural) {
        return v.isValid() ? canvas.toPixelsRounded(v, horizontal) : natural;
    };
    const int pw = oSrcPicture->width(), ph = oSrcPicture->height();
    const zk::raster::Block dst{nDstPosX, nDstPosY, size(nDstSizeWidth, true, pw),
                                size(nDstSizeHeight, false, ph)};
    const zk::raster::Block src{size(nSrcPosX, true, 0), size(nSrcPosY, false, 0),
                                size(nSrcSizeWidth, true, pw), size(nSrcSizeHeight, false, ph)};
    const quint32 rop = nOpCode.isValid() ? lowBits(nOpCode) : kSourceCopy;
    zk::raster::ternaryBlt(d->canvas.surface, dst,
                           oSrcPicture->image().convertToFormat(QImage::Format_RGB32), src, rop,
                           canvas.rgb(d->props.fillColor));
    d->presentSurface();
    return 0;
}

int zkButton::TextWidth(const QString& sSrcText) const {
    const QFont font = d->props.font ? d->props.font->toQFont(d->dpi()) : d->canvas.bufferFont;
    return zk::roundHalfEven(zk::pixelsToScale(zkButtonFace::textWidth(font, sSrcText),
                                               d->props.scaleMode, true, d->dpi()));
}

int zkButton::TextHeight(const QString& sSrcText) const {
    const QFont font = d->props.font ? d->props.font->toQFont(d->dpi()) : d->canvas.bufferFont;
    return zk::roundHalfEven(zk::pixelsToScale(zkButtonFace::textHeight(font, sSrcText),
                                               d->props.scaleMode, false, d->dpi()));
}
