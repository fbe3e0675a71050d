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
    std::optional<OptionValue> deviceValue(const QString& name) {
        const std::optional<OptionInfo> info = device->option(name);
        return info ? device->value(*info) : std::nullopt;
    }
    template <typename W> W* widget(ScanDialog& dialog, const QString& name) {
        return dialog.findChild<W*>(name);
    }

    SaneApi api{CreateDlLoader()};
    std::unique_ptr<SaneDevice> device;
};

TEST_F(ScanDialogTest, EveryOptionOfTheDeviceHasAWidget) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    int count = 0;
    for (const OptionInfo& info : device->options()) {
        ++count;
        QWidget* w = dialog.findChild<QWidget*>(info.name);
        EXPECT_NE(w, nullptr) << info.name.toStdString();
        EXPECT_NE(dialog.editor(info.name), nullptr) << info.name.toStdString();
    }
    EXPECT_GT(count, 40); // the test options expose every type
}

struct KindCase {
    const char* option;
    const char* widgetClass;
};

class ScanDialogKinds : public ScanDialogTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ScanDialogKinds, EachOptionTypeGetsItsWidgetKind) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(GetParam().option));
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), GetParam().widgetClass);
}

INSTANTIATE_TEST_SUITE_P(Types, ScanDialogKinds,
                         ::testing::Values(KindCase{"bool-soft-select-soft-detect", "QCheckBox"},
                                           KindCase{"int", "QDoubleSpinBox"},
                                           KindCase{"int-constraint-range", "QDoubleSpinBox"},
                                           KindCase{"int-constraint-word-list", "QComboBox"},
                                           KindCase{"int-constraint-array", "QLineEdit"},
                                           KindCase{"fixed", "QDoubleSpinBox"},
                                           KindCase{"fixed-constraint-word-list", "QComboBox"},
                                           KindCase{"string", "QLineEdit"},
                                           KindCase{"string-constraint-string-list", "QComboBox"},
                                           KindCase{"button", "QPushButton"},
                                           KindCase{"mode", "QComboBox"}));

TEST_F(ScanDialogTest, ChangingAValueReachesTheDevice) {
    ScanDialog dialog(*device);
    ChooseMode(&dialog, QStringLiteral("Color"));
    EXPECT_EQ(deviceValue(QStringLiteral("mode"))->text, QStringLiteral("Color"));

    auto* resolution = widget<QDoubleSpinBox>(dialog, QStringLiteral("resolution"));
    ASSERT_NE(resolution, nullptr);
    resolution->setValue(123);
    EXPECT_EQ(deviceValue(QStringLiteral("resolution"))->words[0], 123 << 16);
}

TEST_F(ScanDialogTest, SwitchingToColourReloadsAndActivatesThreePass) {
    ScanDialog dialog(*device);
    ASSERT_FALSE(widget<QCheckBox>(dialog, QStringLiteral("three-pass"))->isEnabled());
    ChooseMode(&dialog, QStringLiteral("Color"));
    // The device asked for its options to be read again: the form is built anew.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        auto* box = widget<QCheckBox>(dialog, QStringLiteral("three-pass"));
        return box && box->isEnabled();
    }));
}

TEST_F(ScanDialogTest, ValuesAreReadBackAfterAChange) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    // The device rounds this option's values (SANE_INFO_INEXACT): the box shows the
    // device's value, not what was typed.
    auto* inexact = widget<QDoubleSpinBox>(dialog, QStringLiteral("int-inexact"));
    ASSERT_NE(inexact, nullptr);
    inexact->setValue(13);
    const std::optional<OptionValue> stored = deviceValue(QStringLiteral("int-inexact"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(inexact->value(), stored->words[0]);
}

TEST_F(ScanDialogTest, InactiveOptionsAreDisabledAndEnablingThemWorks) {
    ScanDialog dialog(*device);
    auto* intBox = widget<QDoubleSpinBox>(dialog, QStringLiteral("int"));
    ASSERT_NE(intBox, nullptr);
    EXPECT_FALSE(intBox->isEnabled());
    auto* enable = widget<QCheckBox>(dialog, QStringLiteral("enable-test-options"));
    ASSERT_NE(enable, nullptr);
    enable->click();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        auto* box = widget<QDoubleSpinBox>(dialog, QStringLiteral("int"));
        return box && box->isEnabled();
    }));
    EXPECT_NE(deviceValue(QStringLiteral("enable-test-options"))->words[0], SANE_FALSE);
}

TEST_F(ScanDialogTest, OptionsTheDeviceOnlyReportsAreReadOnly) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    auto* detectOnly = widget<QCheckBox>(dialog, QStringLiteral("bool-soft-detect"));
    ASSERT_NE(detectOnly, nullptr);
    EXPECT_FALSE(detectOnly->isEnabled());
    auto* settable = widget<QCheckBox>(dialog, QStringLiteral("bool-soft-select-soft-detect"));
    ASSERT_NE(settable, nullptr);
    EXPECT_TRUE(settable->isEnabled());
    settable->click();
    EXPECT_EQ(deviceValue(QStringLiteral("bool-soft-select-soft-detect"))->words[0],
              settable->isChecked() ? SANE_TRUE : SANE_FALSE);
}

TEST_F(ScanDialogTest, AdvancedOptionsShowOnlyWithTheToggle) {
    ScanDialog dialog(*device);
    dialog.show();
    auto* gamma = widget<QLineEdit>(dialog, QStringLiteral("gamma-table"));
    ASSERT_NE(gamma, nullptr);
    auto* resolution = widget<QDoubleSpinBox>(dialog, QStringLiteral("resolution"));
    EXPECT_FALSE(gamma->isVisibleTo(&dialog));
    EXPECT_TRUE(resolution->isVisibleTo(&dialog));
    widget<QCheckBox>(dialog, QStringLiteral("advancedToggle"))->click();
    EXPECT_TRUE(gamma->isVisibleTo(&dialog));
}

TEST_F(ScanDialogTest, TextAndArrayValuesReachTheDevice) {
    ASSERT_TRUE(device->setNumber(QStringLiteral("enable-test-options"), 1));
    ScanDialog dialog(*device);
    auto* text = widget<QLineEdit>(dialog, QStringLiteral("string"));
    ASSERT_NE(text, nullptr);
    text->setText(QStringLiteral("hello"));
    text->setModified(true);
    emit text->editingFinished();
    EXPECT_EQ(deviceValue(QStringLiteral("string"))->text, QStringLiteral("hello"));

    auto* array = widget<QLineEdit>(dialog, QStringLiteral("int-constraint-array"));
    ASSERT_NE(array, nullptr);
    const int words = device->option(QStringLiteral("int-constraint-array"))->wordCount();
    QStringList values;
    for (int i = 0; i < words; ++i)
        values.append(QString::number(i * 3));
    array->setText(values.join(QStringLiteral(", ")));
    array->setModified(true);
    emit array->editingFinished();
    const std::optional<OptionValue> stored = deviceValue(QStringLiteral("int-constraint-array"));
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->words.size(), words);
    EXPECT_EQ(stored->words.last(), (words - 1) * 3);
}

TEST_F(ScanDialogTest, ScanAndCancelButtonsCloseTheDialog) {
    {
        ScanDialog dialog(*device);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
        });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    }
    ScanDialog dialog(*device);
    QTimer::singleShot(0, &dialog, [&] {
        dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
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
