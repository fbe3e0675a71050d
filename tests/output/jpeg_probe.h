#pragma once
// Reads a JPEG file back for the output tests: its frame, JFIF density and pixels.
#include <QByteArray>
#include <QImage>

namespace folivo::test {

struct ProbedJpeg {
    bool ok = false;
    int startOfFrame = 0; // 0xC0 baseline, 0xC2 progressive: the first SOFn marker
    int components = 0;
    int densityUnit = -1;
    int xDensity = 0;
    int yDensity = 0;
    QImage pixels;
};

inline ProbedJpeg ProbeJpeg(const QByteArray& b) {
    ProbedJpeg out;
    const auto at = [&](qsizetype i) { return i < b.size() ? int(quint8(b[i])) : 0; };
    if (b.mid(6, 5) == QByteArray("JFIF", 5)) {
        out.densityUnit = at(13);
        out.xDensity = at(14) * 256 + at(15);
        out.yDensity = at(16) * 256 + at(17);
    }
    for (qsizetype i = 2; i + 9 < b.size() && !out.startOfFrame; ++i) {
        const int m = at(i + 1);
        if (at(i) == 0xFF && m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
            out.startOfFrame = m;
            out.components = at(i + 9);
        }
    }
    out.pixels = QImage::fromData(b, "JPEG");
    out.ok = !out.pixels.isNull() && out.startOfFrame;
    return out;
}

// Mean absolute difference of all samples (as RGB) of two pictures of one size.
inline double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16})
                sum += std::abs(int(a.pixel(x, y) >> shift & 0xFF) -
                                int(b.pixel(x, y) >> shift & 0xFF));
    return sum / (3.0 * a.width() * a.height());
}

} // namespace folivo::test
