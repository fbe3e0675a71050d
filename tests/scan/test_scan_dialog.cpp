// The scan dialog on SANE's test device, used the way a person uses it.
#include "scan_dialog.h"
#include "scan_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

namespace {

// Picks an entry of the mode list as a user does; the dialog sends it to the device.
void ChooseMode(QWidget* dialog, const QString& mode) {
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("mode"));
    ASSERT_NE(list, nullptr);
    const int index = list->findText(mode);
    ASSERT_GE(index, 0);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

class ScanDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(api.initialise());
        device = SaneDevice::open(api, QStringLiteral("test:0"), nullptr);
        ASSERT_TRUE(device);
    }
    std::optional<OptionValue> deviceValue(const char* name) {
        const std::optional<OptionInfo> info = device->option(QLatin1String(name));
        return info ? device->value(*info) : std::nullopt;
    }
    // The widget, or a failed test (no null pointer to follow).
    template <typename W> W* widget(ScanDialog& dialog, const char* name) {
        W* w = dialog.findChild<W*>(QLatin1String(name));
        if (!w)
            ADD_FAILURE() << "no widget " << name;
        return w;
    }

    SaneApi api{CreateDlLoader()};
    std::unique_ptr<SaneDevice> device;
};

TEST_F(ScanDialogTest, EveryOptionHasAWidgetOfItsKindAndChangesReachTheDevice) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    for (const OptionInfo& info : device->options()) {
        EXPECT_NE(dialog.findChild<QWidget*>(info.name), nullptr) << info.name.toStdString();
        EXPECT_NE(dialog.editor(info.name), nullptr) << info.name.toStdString();
    }
    EXPECT_GT(device->options().size(), 40u); // the test options expose every type
    const std::pair<const char*, const char*> kinds[] = {
        {"bool-soft-select-soft-detect", "QCheckBox"},
        {"int", "QDoubleSpinBox"},
        {"int-constraint-word-list", "QComboBox"},
        {"int-constraint-array", "QLineEdit"},
        {"fixed", "QDoubleSpinBox"},
        {"fixed-constraint-word-list", "QComboBox"},
        {"string", "QLineEdit"},
        {"string-constraint-string-list", "QComboBox"},
        {"button", "QPushButton"},
        {"mode", "QComboBox"}};
    for (const auto& [option, widgetClass] : kinds)
        EXPECT_STREQ(widget<QWidget>(dialog, option)->metaObject()->className(), widgetClass);

    widget<QDoubleSpinBox>(dialog, "resolution")->setValue(123);
    EXPECT_EQ(deviceValue("resolution")->words[0], 123 << 16);
    // The device rounds this one (SANE_INFO_INEXACT): the box shows the device's value.
    auto* inexact = widget<QDoubleSpinBox>(dialog, "int-inexact");
    inexact->setValue(13);
    EXPECT_EQ(inexact->value(), deviceValue("int-inexact")->words[0]);
    // What the device only reports cannot be set.
    EXPECT_FALSE(widget<QCheckBox>(dialog, "bool-soft-detect")->isEnabled());
    auto* settable = widget<QCheckBox>(dialog, "bool-soft-select-soft-detect");
    settable->click();
    EXPECT_EQ(deviceValue("bool-soft-select-soft-detect")->words[0],
              settable->isChecked() ? SANE_TRUE : SANE_FALSE);

    auto* text = widget<QLineEdit>(dialog, "string");
    text->setText(QStringLiteral("hello"));
    text->setModified(true);
    emit text->editingFinished();
    EXPECT_EQ(deviceValue("string")->text, QStringLiteral("hello"));
    auto* array = widget<QLineEdit>(dialog, "int-constraint-array");
    const int words = device->option(QStringLiteral("int-constraint-array"))->wordCount();
    QStringList values;
    for (int i = 0; i < words; ++i)
        values.append(QString::number(i * 3));
    array->setText(values.join(QStringLiteral(", ")));
    array->setModified(true);
    emit array->editingFinished();
    const std::optional<OptionValue> stored = deviceValue("int-constraint-array");
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->words.size(), words);
    EXPECT_EQ(stored->words.last(), (words - 1) * 3);
}

TEST_F(ScanDialogTest, OptionsTheDeviceReloadsComeBackWithTheirNewState) {
    ScanDialog dialog(*device);
    dialog.show();
    // Advanced options show only with the toggle.
    auto* gamma = widget<QLineEdit>(dialog, "gamma-table");
    EXPECT_FALSE(gamma->isVisibleTo(&dialog));
    EXPECT_TRUE(widget<QWidget>(dialog, "resolution")->isVisibleTo(&dialog));
    widget<QCheckBox>(dialog, "advancedToggle")->click();
    EXPECT_TRUE(gamma->isVisibleTo(&dialog));
    // Colour activates three-pass; enabling the test options activates "int".
    EXPECT_FALSE(widget<QCheckBox>(dialog, "three-pass")->isEnabled());
    EXPECT_FALSE(widget<QDoubleSpinBox>(dialog, "int")->isEnabled());
    ChooseMode(&dialog, QStringLiteral("Color"));
    EXPECT_EQ(deviceValue("mode")->text, QStringLiteral("Color"));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("three-pass"));
        return box && box->isEnabled();
    }));
    widget<QCheckBox>(dialog, "enable-test-options")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        auto* box = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("int"));
        return box && box->isEnabled();
    }));
}

// Through the layer: the dialog shows when SetHideUI(0), its Cancel gives the 0 handle,
// and what the user set there is what gets scanned and remembered.
TEST(ScanDialogInLayer, CancelGivesNoPageAndScanUsesTheDialogsSettings) {
    TestScanner scanner;
    Remember(scanner.store, QStringLiteral("test:0"),
             {{"mode", "Gray"}, {"resolution", 50}, {"test-picture", "Solid white"}});
    auto lib = scanner.make(false);
    WhenShown<ScanDialog>(
        [](ScanDialog* d) { d->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click(); });
    EXPECT_EQ(lib->TWAIN_AcquireNative(nullptr, 0), 0u);
    EXPECT_TRUE(scanner.prompts->errors.empty());

    WhenShown<ScanDialog>([](ScanDialog* d) {
        ChooseMode(d, QStringLiteral("Color"));
        QTimer::singleShot(
            50, d, [d] { d->findChild<QPushButton*>(QStringLiteral("scanButton"))->click(); });
    });
    const NativeHandle h = lib->TWAIN_AcquireNative(nullptr, 0);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(lib->images().image(h)->format(), QImage::Format_RGB32);
    const SavedOptions saved = scanner.store.options(QStringLiteral("test:0"));
    const auto mode = std::find_if(saved.begin(), saved.end(),
                                   [](const auto& p) { return p.first == QLatin1String("mode"); });
    ASSERT_NE(mode, saved.end());
    EXPECT_EQ(mode->second, QStringLiteral("Color"));
}

} // namespace
