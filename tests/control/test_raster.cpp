// Pixel rules of the surfaces: line and outline coverage, raster operations and the
// inverted focus rectangle.
#include "zk_raster.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
using namespace zk::raster;

constexpr QRgb W = 0xFFFFFFFF, K = 0xFF000000, R = 0xFFFF0000;

QImage blank(int w, int h, QRgb c = W) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QString row(const QImage& img, int y, QRgb ink = R) {
    QString s;
    for (int x = 0; x < img.width(); ++x)
        s.append(img.pixel(x, y) == ink ? u'#' : u'.');
    return s;
}

// The line walked one step at a time from p, the way the clipped walk must agree with.
void walkedLine(QImage& img, QPoint p, QPoint q) {
    int x = p.x(), y = p.y();
    const int dx = std::abs(q.x() - x), dy = -std::abs(q.y() - y);
    const int sx = x < q.x() ? 1 : -1, sy = y < q.y() ? 1 : -1;
    for (int err = dx + dy; x != q.x() || y != q.y();) {
        if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
            img.setPixel(x, y, R);
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
    }
}

TEST(Line, ClippedWalkVisitsTheSamePixelsAsTheWholeWalk) {
    quint32 seed = 12345;
    const auto next = [&](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % quint32(hi - lo + 1));
    };
    for (int i = 0; i < 400; ++i) {
        const QPoint p(next(-30, 70), next(-30, 50)), q(next(-30, 70), next(-30, 50));
        const int width = next(1, 4);
        QImage expected = blank(40, 20), drawn = blank(40, 20);
        const bool steep = std::abs(q.y() - p.y()) > std::abs(q.x() - p.x());
        for (int k = -(width - 1) / 2; k <= width / 2; ++k)
            walkedLine(expected, p + (steep ? QPoint(k, 0) : QPoint(0, k)),
                       q + (steep ? QPoint(k, 0) : QPoint(0, k)));
        thickLine(drawn, p, q, width, {R});
        ASSERT_EQ(drawn, expected)
            << p.x() << "," << p.y() << " " << q.x() << "," << q.y() << " width " << width;
    }
}

TEST(Line, DashesInvisibleAndZeroLength) {
    QImage img = blank(30, 1);
    line(img, {0, 0}, {30, 0}, {R, 13, 2}); // dot: 3 on, 3 off
    EXPECT_EQ(row(img, 0), QStringLiteral("###...###...###...###...###..."));
    img = blank(30, 1); // the phase is kept where the start is clipped away
    line(img, {-3, 0}, {30, 0}, {R, 13, 2});
    EXPECT_EQ(row(img, 0), QStringLiteral("...###...###...###...###...###"));
    img = blank(5, 1);
    line(img, {0, 0}, {5, 0}, {R, 13, 5});
    line(img, {2, 0}, {2, 0}, {R});
    EXPECT_EQ(row(img, 0), QStringLiteral("....."));
}

TEST(Outline, BothCornersIncludedAndDegenerateRun) {
    QImage img = blank(5, 4);
    outline(img, {3, 2}, {0, 0}, {R});
    EXPECT_EQ(row(img, 0), QStringLiteral("####."));
    EXPECT_EQ(row(img, 1), QStringLiteral("#..#."));
    EXPECT_EQ(row(img, 2), QStringLiteral("####."));
    img = blank(5, 1);
    outline(img, {1, 0}, {3, 0}, {R});
    EXPECT_EQ(row(img, 0), QStringLiteral(".###."));
}

TEST(Rop2, AllSixteenCodes) {
    const quint32 P = 0x00F0F0F0 & 0xFFFFFF, D = 0x00CCCCCC;
    const quint32 expected[16] = {0,     ~(P | D), ~P & D, ~P,        P & ~D, ~D,
                                  P ^ D, ~(P & D), P & D,  ~(P ^ D),  D,      ~P | D,
                                  P,     P | ~D,   P | D,  0xFFFFFFFF};
    for (int code = 1; code <= 16; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(rop2(code, P, D), expected[code - 1] & 0xFFFFFF);
    }
}

TEST(Rop3, KnownCodes) {
    const quint32 P = 0x00F00F, S = 0x0FF000, D = 0x3C3C3C;
    EXPECT_EQ(rop3(0x00CC0020, P, S, D), S);                 // SRCCOPY
    EXPECT_EQ(rop3(0x008800C6, P, S, D), S & D);             // SRCAND
    EXPECT_EQ(rop3(0x00660046, P, S, D), S ^ D);             // SRCINVERT
    EXPECT_EQ(rop3(0x00EE0086, P, S, D), S | D);             // SRCPAINT
    EXPECT_EQ(rop3(0x00220326, P, S, D), D & ~S & 0xFFFFFF); // D AND NOT S
    EXPECT_EQ(rop3(0x00F00021, P, S, D), P);                 // PATCOPY
    EXPECT_EQ(rop3(0x00550009, P, S, D), ~D & 0xFFFFFF);     // DSTINVERT
    EXPECT_EQ(rop3(0x00000042, P, S, D), 0u);                // BLACKNESS
    EXPECT_EQ(rop3(0x00B8074A, P, S, D), ((S & D & ~P) | (P & (D | ~S))) & 0xFFFFFF);
}

TEST(FocusRect, InvertsAlternatePixelsOfTheEdgesOnly) {
    QImage img = blank(6, 6, K);
    invertFocusRect(img, 1, 1, 5, 5);
    QStringList rows;
    for (int y = 0; y < 6; ++y)
        rows << row(img, y, W);
    EXPECT_EQ(rows, QStringList({"......", ".#.#..", "....#.", ".#....", "..#.#.", "......"}));
    invertFocusRect(img, 1, 1, 5, 5);
    EXPECT_EQ(img, blank(6, 6, K)); // drawn twice it disappears
}

} // namespace
