#include "zk_raster.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace zk::raster {

namespace {
constexpr quint32 kRgbMask = 0x00FFFFFFu;

__extension__ typedef __int128 Wide;

bool inside(const QImage& image, qint64 x, qint64 y) {
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

bool patternOn(std::span<const int> pattern, qint64 step) {
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern)
        period += run;
    qint64 at = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
}
// The line from p to q as the error-stepping walk visits it (p included, q excluded), in
// closed form: step n moves once along the main axis and minorAt(n) times across it, so
// the walk can start at the first step that reaches the image instead of at p.
struct Walk {
    qint64 major0, minor0; // p on the main axis and across it
    qint64 majorStep, minorStep;
    qint64 steps, across; // |main extent|, |cross extent|
    bool xMain;

    Walk(qint64 px, qint64 py, qint64 qx, qint64 qy) {
        const qint64 dx = std::abs(qx - px), dy = std::abs(qy - py);
        xMain = dx >= dy;
        major0 = xMain ? px : py;
        minor0 = xMain ? py : px;
        majorStep = (xMain ? qx > px : qy > py) ? 1 : -1;
        minorStep = (xMain ? qy > py : qx > px) ? 1 : -1;
        steps = xMain ? dx : dy;
        across = xMain ? dy : dx;
    }
    qint64 minorAt(qint64 n) const {
        return minor0 +
               minorStep * static_cast<qint64>((Wide(2) * across * n + steps) / (Wide(2) * steps));
    }
    // The steps [first, last) whose main coordinate lies in [0, extent).
    std::pair<qint64, qint64> stepsWithin(qint64 extent) const {
        qint64 first = majorStep > 0 ? -major0 : major0 - extent + 1;
        first = std::max<qint64>(first, 0);
        const qint64 last = std::min(steps, majorStep > 0 ? extent - major0 : major0 + 1);
        return {first, std::max(first, last)};
    }
};

void walkLine(QImage& image, const Walk& walk, qint64 shift, const Pen& pen) {
    const std::span<const int> pattern = dashPattern(pen.style);
    const auto [first, last] = walk.stepsWithin(walk.xMain ? image.width() : image.height());
    for (qint64 n = first; n < last; ++n) {
        if (!patternOn(pattern, n))
            continue;
        const qint64 major = walk.major0 + walk.majorStep * n, minor = walk.minorAt(n) + shift;
        const qint64 x = walk.xMain ? major : minor, y = walk.xMain ? minor : major;
        if (inside(image, x, y))
            setPixel(image, static_cast<int>(x), static_cast<int>(y), pen.color, pen.rop2);
    }
}

// The part [lo, hi] of an inclusive run that lies in [0, extent); empty when lo > hi.
std::pair<qint64, qint64> clipRun(qint64 lo, qint64 hi, qint64 extent) {
    return {std::max<qint64>(lo, 0), std::min(hi, extent - 1)};
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
    if (pen.style == 5 || p == q)
        return;
    walkLine(image, Walk(p.x(), p.y(), q.x(), q.y()), 0, pen);
}

void thickLine(QImage& image, QPoint p, QPoint q, int width, const Pen& pen) {
    if (pen.style == 5 || p == q)
        return;
    const Walk walk(p.x(), p.y(), q.x(), q.y());
    const qint64 copies = std::max(1, width);
    qint64 lo = -(copies - 1) / 2, hi = copies / 2;
    // Only copies that cross the image are drawn: the walk's cross coordinates over the
    // steps inside the image, shifted, must meet the image across the line.
    const auto [first, last] = walk.stepsWithin(walk.xMain ? image.width() : image.height());
    if (first >= last)
        return;
    const qint64 a = walk.minorAt(first), b = walk.minorAt(last - 1);
    const qint64 acrossExtent = walk.xMain ? image.height() : image.width();
    lo = std::max(lo, -std::max(a, b));
    hi = std::min(hi, acrossExtent - 1 - std::min(a, b));
    for (qint64 k = lo; k <= hi; ++k)
        walkLine(image, walk, k, pen);
}

void outline(QImage& image, QPoint p, QPoint q, const Pen& pen) {
    if (pen.style == 5)
        return;
    const qint64 left = std::min(p.x(), q.x()), right = std::max(p.x(), q.x());
    const qint64 top = std::min(p.y(), q.y()), bottom = std::max(p.y(), q.y());
    const auto put = [&](qint64 x, qint64 y) {
        if (inside(image, x, y))
            setPixel(image, static_cast<int>(x), static_cast<int>(y), pen.color, pen.rop2);
    };
    // Each edge pixel once, so inverting raster modes do not cancel at the corners.
    const auto [x0, x1] = clipRun(left, right, image.width());
    for (qint64 x = x0; x <= x1; ++x) {
        put(x, top);
        if (bottom != top)
            put(x, bottom);
    }
    const auto [y0, y1] = clipRun(top + 1, bottom - 1, image.height());
    for (qint64 y = y0; y <= y1; ++y) {
        put(left, y);
        if (right != left)
            put(right, y);
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
    const qint64 lastX = qint64(right) - 1, lastY = qint64(bottom) - 1;
    const auto invert = [&](qint64 x, qint64 y) {
        if (inside(image, x, y) && ((x + y) & 1) == 0) {
            const int ix = static_cast<int>(x), iy = static_cast<int>(y);
            store(image, ix, iy, ~pixelAt(image, ix, iy));
        }
    };
    const auto [x0, x1] = clipRun(left, lastX, image.width());
    for (qint64 x = x0; x <= x1; ++x) {
        invert(x, top);
        if (lastY != top)
            invert(x, lastY);
    }
    const auto [y0, y1] = clipRun(qint64(top) + 1, lastY - 1, image.height());
    for (qint64 y = y0; y <= y1; ++y) {
        invert(left, y);
        if (lastX != left)
            invert(lastX, y);
    }
}

void maskedCopy(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
                QRgb transparent) {
    // Only the offsets that land inside both images.
    const qint64 i0 = std::max<qint64>({0, -qint64(x), -qint64(sx)});
    const qint64 i1 = std::min<qint64>({w, qint64(dst.width()) - x, qint64(src.width()) - sx});
    const qint64 j0 = std::max<qint64>({0, -qint64(y), -qint64(sy)});
    const qint64 j1 = std::min<qint64>({h, qint64(dst.height()) - y, qint64(src.height()) - sy});
    for (qint64 j = j0; j < j1; ++j) {
        for (qint64 i = i0; i < i1; ++i) {
            const QRgb s = pixelAt(src, static_cast<int>(sx + i), static_cast<int>(sy + j));
            if ((s & kRgbMask) != (transparent & kRgbMask))
                store(dst, static_cast<int>(x + i), static_cast<int>(y + j), s);
        }
    }
}

void ternaryBlt(QImage& dst, const Block& dstRect, const QImage& src, const Block& srcRect,
                quint32 rop, QRgb brush) {
    Block d = dstRect, s = srcRect;
    const bool mirrorX = (d.w < 0) != (s.w < 0), mirrorY = (d.h < 0) != (s.h < 0);
    // A negative size runs backwards from its position: make it a forward span.
    const auto forward = [](qint64& pos, qint64& len) {
        if (len < 0) {
            pos += len;
            len = -len;
        }
    };
    forward(d.x, d.w);
    forward(d.y, d.h);
    forward(s.x, s.w);
    forward(s.y, s.h);
    if (d.w == 0 || d.h == 0 || s.w == 0 || s.h == 0)
        return;
    // The source offset of a destination offset: its share of the source span.
    const auto scaled = [](qint64 at, qint64 from, qint64 to, bool mirror) {
        const qint64 offset = static_cast<qint64>(Wide(at) * to / from);
        return mirror ? to - 1 - offset : offset;
    };
    const auto [i0, i1] = clipRun(-d.x, qint64(dst.width()) - 1 - d.x, d.w);
    const auto [j0, j1] = clipRun(-d.y, qint64(dst.height()) - 1 - d.y, d.h);
    for (qint64 j = j0; j <= j1; ++j) {
        const qint64 srcY = s.y + scaled(j, d.h, s.h, mirrorY);
        for (qint64 i = i0; i <= i1; ++i) {
            const qint64 srcX = s.x + scaled(i, d.w, s.w, mirrorX);
            if (!inside(src, srcX, srcY))
                continue;
            const int px = static_cast<int>(d.x + i), py = static_cast<int>(d.y + j);
            store(dst, px, py,
                  rop3(rop, brush, pixelAt(src, static_cast<int>(srcX), static_cast<int>(srcY)),
                       pixelAt(dst, px, py)));
        }
    }
}

} // namespace zk::raster
