// Google Benchmark of zkButton's drawing methods with extreme arguments on a 120 x 40
// button: every call must cost what the visible surface costs, never what was asked for.
#include "zkbutton.h"

#include <QApplication>
#include <QFocusEvent>
#include <benchmark/benchmark.h>
#include <climits>
#include <functional>
#include <limits>

namespace {
constexpr double kHuge = 1e12;
constexpr quint32 kRed = 0x000000FF;

zkPictureRef solid() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(0xFFFF0000);
    return zkPictureRef::create(image);
}

void drawing(benchmark::State& state, const std::function<void(zkButton&)>& call) {
    zkButton button;
    button.resize(120, 40);
    button.setScaleMode(zkButton::vbPixels);
    for (auto _ : state)
        call(button);
}

struct Case {
    const char* name;
    std::function<void(zkButton&)> call;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const zkPictureRef picture = solid();
    const Case cases[] = {
        {"LineEx/visible", [](zkButton& b) { b.LineEx(0, 0, 119, 39, kRed); }},
        {"LineEx/to_1e12", [](zkButton& b) { b.LineEx(0, 0, kHuge, 0, kRed); }},
        {"LineEx/-1e12_to_1e12", [](zkButton& b) { b.LineEx(-kHuge, -kHuge, kHuge, kHuge, kRed); }},
        {"LineEx/nan_inf", [&](zkButton& b) { b.LineEx(nan, -inf, inf, nan, kRed); }},
        {"LineEx/DrawWidth_2e9",
         [](zkButton& b) {
             b.setDrawWidth(2000000000);
             b.LineEx(0, 0, kHuge, 7, kRed);
         }},
        {"Box/1e12", [](zkButton& b) { b.Box(-kHuge, -kHuge, kHuge, kHuge, kRed); }},
        {"Box/hatched_1e12",
         [](zkButton& b) {
             b.setFillStyle(7);
             b.Box(-kHuge, -kHuge, kHuge, kHuge, kRed);
         }},
        {"BoxFill/1e12", [](zkButton& b) { b.BoxFill(-kHuge, -kHuge, kHuge, kHuge, kRed); }},
        {"PaintPicture/100000px",
         [&](zkButton& b) { b.PaintPicture(picture, 0, 0, 100000, 100000); }},
        {"PaintPicture/mirrored_1e12",
         [&](zkButton& b) { b.PaintPicture(picture, 119, 39, -kHuge, -kHuge, kHuge, 0, -kHuge); }},
        {"PaintPicture/int_limits",
         [&](zkButton& b) { b.PaintPicture(picture, INT_MIN, INT_MAX, kHuge, -kHuge); }},
        {"PSetEx/int_limits_inches",
         [](zkButton& b) {
             b.setScaleMode(zkButton::vbInches);
             b.PSetEx(INT_MAX, INT_MIN, kRed);
         }},
        {"Point/int_limits_inches",
         [](zkButton& b) {
             b.setScaleMode(zkButton::vbInches);
             benchmark::DoNotOptimize(b.Point(INT_MIN, INT_MAX));
         }},
        {"Redraw/FocusRectMargin_int_min",
         [](zkButton& b) {
             QFocusEvent focusIn(QEvent::FocusIn); // the focus rectangle is drawn
             QCoreApplication::sendEvent(&b, &focusIn);
             b.setFocusRectMargin(INT_MIN);
         }},
    };
    for (const Case& c : cases)
        benchmark::RegisterBenchmark(c.name, drawing, c.call)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
