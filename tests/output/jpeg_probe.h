#pragma once
// Decodes a JPEG file with libjpeg for the output tests.
#include <QByteArray>
#include <QImage>

namespace folivo::test {

struct ProbedJpeg {
    bool ok = false;
    int components = 0;
    bool progressive = false;
    int densityUnit = -1;
    int xDensity = 0;
    int yDensity = 0;
    int startOfFrame = 0; // 0xC0 baseline, 0xC2 progressive: the first SOFn marker
    QImage pixels;        // Grayscale8 or RGB888
};

ProbedJpeg ProbeJpeg(const QByteArray& bytes);

// Mean absolute difference of all samples (as RGB) of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b);

} // namespace folivo::test
