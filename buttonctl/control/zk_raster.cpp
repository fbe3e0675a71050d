#include "zk_raster.h"

#include <array>
#include <cstdlib>
#include <span>

namespace zk::raster {

namespace {
constexpr quint32 kRgbMask = 0x00FFFFFFu;

bool inside(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

QRgb pixelAt(const QImage& image, int x, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

void store(QImage& image, int x, int y, quint32 rgb) {
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = 0xFF000000u | (rgb & kRgbMask);
}

// On/off run lengths of the dashed pen styles.
std::span<const int> dashPattern(int style) {
    static constexpr std::array<int, 2> dash{18, 6};
    static constexpr std::array<int, 2> dot{3, 3};
    static constexpr std::array<int, 4> dashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case 1:
        return dash;
    case 2:
        return dot;
    case 3:
        return dashDot;
    case 4:
        return dashDotDot;
    default:
        return {};
    }
}

bool patternOn(std::span<const int> pattern, int step) {
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern)
        period += run;
    int at = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
}
} // namespace

quint32 rop2(int code, quint32 pen, quint32 dst) {
    const quint32 table = static_cast<quint32>(code - 1) & 0xF;
    quint32 out = 0;
    for (int p = 0; p < 2; ++p)
        for (int d = 0; d < 2; ++d)
            if (table & (1u << (p * 2 + d)))
                out |= (p ? pen : ~pen) & (d ? dst : ~dst);
    return out & kRgbMask;
}

quint32 rop3(quint32 code, quint32 brush, quint32 src, quint32 dst) {
    const quint32 table = (code >> 16) & 0xFF;
    quint32 out = 0;
    for (int p = 0; p < 2; ++p)
        for (int s = 0; s < 2; ++s)
            for (int d = 0; d < 2; ++d)
                if (table & (1u << (p * 4 + s * 2 + d)))
                    out |= (p ? brush : ~brush) & (s ? src : ~src) & (d ? dst : ~dst);
    return out & kRgbMask;
}

void setPixel(QImage& image, int x, int y, QRgb color, int rop2Code) {
    if (!inside(image, x, y))
        return;
    const quint32 value = rop2Code == 13 ? color : rop2(rop2Code, color, pixelAt(image, x, y));
    store(image, x, y, value);
}

void line(QImage& image, QPoint p, QPoint q, const Pen& pen) {
    if (pen.style == 5)
        return;
    const std::span<const int> pattern = dashPattern(pen.style);
    int x = p.x(), y = p.y();
    const int dx = std::abs(q.x() - x), dy = -std::abs(q.y() - y);
    const int stepX = x < q.x() ? 1 : -1, stepY = y < q.y() ? 1 : -1;
    int err = dx + dy;
    for (int step = 0; x != q.x() || y != q.y(); ++step) {
        if (patternOn(pattern, step))
            setPixel(image, x, y, pen.color, pen.rop2);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

void outline(QImage& image, QPoint p, QPoint q, const Pen& pen) {
    if (pen.style == 5)
        return;
    const int left = std::min(p.x(), q.x()), right = std::max(p.x(), q.x());
    const int top = std::min(p.y(), q.y()), bottom = std::max(p.y(), q.y());
    // Each edge pixel once, so inverting raster modes do not cancel at the corners.
    for (int x = left; x <= right; ++x) {
        setPixel(image, x, top, pen.color, pen.rop2);
        if (bottom != top)
            setPixel(image, x, bottom, pen.color, pen.rop2);
    }
    for (int y = top + 1; y < bottom; ++y) {
        setPixel(image, left, y, pen.color, pen.rop2);
        if (right != left)
            setPixel(image, right, y, pen.color, pen.rop2);
    }
}

void fillRect(QImage& image, QPoint p, QPoint q, QRgb color) {
    fillStyled(image, p, q, 0, color);
}

void fillStyled(QImage& image, QPoint p, QPoint q, int fillStyle, QRgb color) {
    const int left = std::max(0, std::min(p.x(), q.x()));
    const int right = std::min(image.width() - 1, std::max(p.x(), q.x()));
    const int top = std::max(0, std::min(p.y(), q.y()));
    const int bottom = std::min(image.height() - 1, std::max(p.y(), q.y()));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            bool on = false;
            switch (fillStyle) {
            case 0:
                on = true;
                break;
            case 2:
                on = y % 8 == 0;
                break;
            case 3:
                on = x % 8 == 0;
                break;
            case 4:
                on = (x + y) % 8 == 0;
                break;
            case 5:
                on = (x - y) % 8 == 0;
                break;
            case 6:
                on = y % 8 == 0 || x % 8 == 0;
                break;
            case 7:
                on = (x + y) % 8 == 0 || (x - y) % 8 == 0;
                break;
            default:
                break;
            }
            if (on)
                store(image, x, y, color);
        }
    }
}

void invertFocusRect(QImage& image, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    const auto invert = [&](int x, int y) {
        if (inside(image, x, y) && ((x + y) & 1) == 0)
            store(image, x, y, ~pixelAt(image, x, y));
    };
    for (int x = left; x < right; ++x) {
        invert(x, top);
        if (bottom - 1 != top)
            invert(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        invert(left, y);
        if (right - 1 != left)
            invert(right - 1, y);
    }
}

void maskedCopy(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
                QRgb transparent) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            if (!inside(src, sx + i, sy + j) || !inside(dst, x + i, y + j))
                continue;
            const QRgb s = pixelAt(src, sx + i, sy + j);
            if ((s & kRgbMask) != (transparent & kRgbMask))
                store(dst, x + i, y + j, s);
        }
    }
}

void ternaryBlt(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect,
                quint32 rop, QRgb brush) {
    int dx = dstRect.x(), dw = dstRect.width(), sx = srcRect.x(), sw = srcRect.width();
    int dy = dstRect.y(), dh = dstRect.height(), sy = srcRect.y(), sh = srcRect.height();
    const bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
    // A negative size runs backwards from its position: make it a forward span.
    const auto forward = [](int& pos, int& len) {
        if (len < 0) {
            pos += len;
            len = -len;
        }
    };
    forward(dx, dw);
    forward(dy, dh);
    forward(sx, sw);
    forward(sy, sh);
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return;
    for (int j = 0; j < dh; ++j) {
        int srcJ = static_cast<int>(static_cast<qint64>(j) * sh / dh);
        if (mirrorY)
            srcJ = sh - 1 - srcJ;
        for (int i = 0; i < dw; ++i) {
            int srcI = static_cast<int>(static_cast<qint64>(i) * sw / dw);
            if (mirrorX)
                srcI = sw - 1 - srcI;
            const int px = dx + i, py = dy + j;
            if (!inside(dst, px, py) || !inside(src, sx + srcI, sy + srcJ))
                continue;
            store(dst, px, py,
                  rop3(rop, brush, pixelAt(src, sx + srcI, sy + srcJ), pixelAt(dst, px, py)));
        }
    }
}

} // namespace zk::raster
