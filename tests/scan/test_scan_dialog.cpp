// The scan dialog on SANE's test device: titles in the user's language, the area chosen
// on the preview and the preview scan itself.
#include "preview_scan.h"
#include "preview_widget.h"
#include "sane_text.h"
#include "scan_area.h"
#include "scan_dialog.h"
#include "scan_test_support.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <clocale>
#include <libintl.h>

using namespace folivo;
using namespace folivo::test;

namespace {

struct OpenTestDevice {
    OpenTestDevice() {
        EXPECT_TRUE(api.initialise());
        device = SaneDevice::open(api, QStringLiteral("test:0"), nullptr);
        EXPECT_TRUE(device);
    }
    SaneApi api{CreateDlLoader()};
    std::unique_ptr<SaneDevice> device;
};

QString LabelOf(const QWidget* dialog, const QWidget* field) {
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy() == field)
            return label->text();
    return {};
}

// A bare system has only the plain "C" locale, in which glibc ignores LANGUAGE.
TEST(ScanDialogText, FollowsSanesCatalogueAndFallsBackToEnglish) {
    struct Row {
        const char* language;
        QString title, color;
    } const rows[] = {{"ja", QStringLiteral("走査モード"), QStringLiteral("カラー")},
                      {"haw", QStringLiteral("Scan mode"), QStringLiteral("Color")}};
    OpenTestDevice open;
    ASSERT_TRUE(open.device);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        std::setlocale(LC_MESSAGES, "C"); // as a bare system starts the program
        PrepareSaneText();
        qputenv("LANGUAGE", row.language);
        textdomain(textdomain(nullptr)); // gettext forgets what it looked up before
        ScanDialog dialog(*open.device);
        auto* mode = dialog.findChild<QComboBox*>(QStringLiteral("mode"));
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(LabelOf(&dialog, mode), row.title);
        EXPECT_EQ(mode->accessibleName(), row.title);
        const int color = mode->findText(row.color);
        ASSERT_GE(color, 0);
        mode->setCurrentIndex(color);
        emit mode->activated(color);
        EXPECT_EQ(open.device->value(*open.device->option(QStringLiteral("mode")))->text,
                  QStringLiteral("Color")); // the device gets its own word
    }
    qunsetenv("LANGUAGE");
}

QRectF DeviceArea(SaneDevice& device) {
    return ScanArea::find(device.options())->read(device).value_or(QRectF());
}

// Drags and keys on the preview set the device's area; the expected millimetres are read
// off the glass as it is drawn, so they hold within one preview pixel.
TEST(ScanDialogPreview, DragsAndKeysSetTheAreaOptions) {
    OpenTestDevice open;
    ASSERT_TRUE(open.device);
    SaneDevice& device = *open.device;
    ScanDialog dialog(device);
    dialog.resize(700, 500);
    dialog.show();
    PreviewWidget* preview = dialog.preview();
    const QRectF glass = preview->geometry().glassInView(); // 200 x 200 mm on the test device
    ASSERT_GT(glass.width(), 100);
    const double mmPerPixel = 200 / glass.width();
    const auto px = [&](double x, double y) {
        return QPoint(qRound(glass.left() + x / mmPerPixel), qRound(glass.top() + y / mmPerPixel));
    };
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(preview, Qt::LeftButton, {}, from);
        QTest::mouseMove(preview, (from + to) / 2);
        QTest::mouseMove(preview, to);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, to);
    };
    ASSERT_TRUE(device.setNumber(QStringLiteral("br-x"), 20));
    ASSERT_TRUE(device.setNumber(QStringLiteral("br-y"), 20));
    struct Row {
        const char* what;
        std::function<void()> act;
        QRectF expected; // left, top, width, height in mm
    } const rows[] = {
        {"new area drawn upwards", [&] { drag(px(150, 160), px(30, 40)); }, {30, 40, 120, 120}},
        {"corner handle", [&] { drag(px(150, 160), px(180, 190)); }, {30, 40, 150, 150}},
        {"moved past the glass's edge",
         [&] { drag(px(100, 100), px(180, 20)); },
         {50, 0, 150, 150}},
        {"edge handle", [&] { drag(px(50, 75), px(10, 75)); }, {10, 0, 190, 150}},
        {"arrow key", [&] { QTest::keyClick(preview, Qt::Key_Left); }, {9, 0, 190, 150}},
        {"shift arrow key",
         [&] { QTest::keyClick(preview, Qt::Key_Up, Qt::ShiftModifier); },
         {9, 0, 190, 149}},
        {"reset",
         [&] { dialog.findChild<QPushButton*>("wholeGlassButton")->click(); },
         {0, 0, 200, 200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.act();
        const QRectF area = DeviceArea(device);
        EXPECT_NEAR(area.left(), row.expected.left(), mmPerPixel);
        EXPECT_NEAR(area.top(), row.expected.top(), mmPerPixel);
        EXPECT_NEAR(area.right(), row.expected.right(), mmPerPixel);
        EXPECT_NEAR(area.bottom(), row.expected.bottom(), mmPerPixel);
        EXPECT_EQ(preview->area(), area); // the rectangle shows what the device holds
    }
    // Typed into a field, the rectangle follows.
    auto* right = dialog.findChild<QAbstractSpinBox*>(QStringLiteral("br-x"));
    right->setFocus();
    right->selectAll();
    QTest::keyClicks(right, QStringLiteral("120"));
    QTest::keyClick(right, Qt::Key_Return);
    EXPECT_EQ(preview->area().right(), 120);
    EXPECT_EQ(right->text(), QStringLiteral("120.0 mm"));
}

// The preview covers the whole glass at a low resolution, and leaves the scan's own
// resolution and area as they were.
TEST(ScanDialogPreview, ScansTheWholeGlassAndPutsTheOptionsBack) {
    OpenTestDevice open;
    ASSERT_TRUE(open.device);
    SaneDevice& device = *open.device;
    ASSERT_TRUE(device.setNumber(QStringLiteral("resolution"), 300));
    const QRectF area(10, 20, 40, 50);
    ASSERT_FALSE(ScanArea::find(device.options())->write(device, area));
    FakePrompts prompts;
    std::optional<QImage> shown;
    ScanDialog dialog(device, nullptr, [&](QWidget* owner) {
        shown = ScanPreview(device, prompts, owner);
        return shown;
    });
    dialog.findChild<QPushButton*>(QStringLiteral("previewButton"))->click();
    ASSERT_TRUE(shown);
    const int across = qRound(200 / 25.4 * kPreviewDpi);
    EXPECT_NEAR(shown->width(), across, 1);
    EXPECT_NEAR(shown->height(), across, 1);
    EXPECT_EQ(device.resolution(), 300);
    EXPECT_EQ(DeviceArea(device), area);
    EXPECT_EQ(dialog.findChild<QAbstractSpinBox*>(QStringLiteral("resolution"))->text(),
              QStringLiteral("300 dpi"));
    EXPECT_TRUE(prompts.errors.empty());
}

// Glasses the test device does not have: taller than the view (A4 in millimetres), and one
// measured in whole pixels that does not start at 0.
TEST(PreviewGeometry, MapsLetterboxedGlassesAndKeepsAreasOnTheDevicesSteps) {
    using Grip = PreviewGeometry::Grip;
    const double mm = 297.0 / 300;          // A4's height fills the view's 300 px
    const double x0 = (400 - 210 / mm) / 2; // and its width is centred
    struct Row {
        const char* what;
        QRectF glass; // device units, from the options' limits
        double step;
        QPointF from, to; // widget pixels in a 400 x 300 view
        QRectF expected;
    } const rows[] = {
        {"A4 drawn", {0, 0, 210, 297}, 0, {x0, 0}, {x0 + 105 / mm, 148.5 / mm}, {0, 0, 105, 148.5}},
        {"left of the glass clamps",
         {0, 0, 210, 297},
         0,
         {10, 100},
         {150, 200},
         {0, 100 * mm, (150 - x0) * mm, 100 * mm}},
        // 10 units a pixel, the glass from 50 px across and from 100 units.
        {"pixel glass, whole steps",
         {100, 100, 3000, 3000},
         1,
         {63.33, 10.26},
         {120.77, 61.64},
         {233, 203, 575, 513}},
        {"never thinner than a step",
         {100, 100, 3000, 3000},
         1,
         {200, 200},
         {200.04, 200.04},
         {1600, 2100, 1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PreviewGeometry g;
        g.setGlass(row.glass, row.step, row.step);
        g.setView(QRectF(0, 0, 400, 300));
        const QRectF area = g.dragged(Grip::None, {}, row.from, row.to);
        EXPECT_NEAR(area.left(), row.expected.left(), 1e-6);
        EXPECT_NEAR(area.top(), row.expected.top(), 1e-6);
        EXPECT_NEAR(area.width(), row.expected.width(), 1e-6);
        EXPECT_NEAR(area.height(), row.expected.height(), 1e-6);
    }
}

} // namespace
