// Choosing the source: the dialog lists the devices, looks again on request, and the
// layer keeps the choice (and each device's options) in a file of its own.
#include "scan_test_support.h"
#include "source_dialog.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTreeWidget>

using namespace folivo;
using namespace folivo::test;

namespace {

std::vector<DeviceEntry> Two() {
    return {{"a:0", "Acme", "Flat 1", "flatbed scanner"}, {"b:1", "Bravo", "Feed 2", "sheetfed"}};
}

QTreeWidget* List(SourceDialog& d) {
    return d.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
}

TEST(SourceDialog, ListsVendorModelAndNameAndSelectsTheCurrentOne) {
    SourceDialog dialog(Two, QStringLiteral("b:1"));
    QTreeWidget* list = List(dialog);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const QTreeWidgetItem* first = list->topLevelItem(0);
    EXPECT_EQ(first->text(0), QStringLiteral("Acme"));
    EXPECT_EQ(first->text(1), QStringLiteral("Flat 1"));
    EXPECT_EQ(first->text(2), QStringLiteral("a:0"));
    EXPECT_EQ(dialog.chosen(), QStringLiteral("b:1"));
}

TEST(SourceDialog, WithoutACurrentOneTheFirstIsSelected) {
    SourceDialog dialog(Two, QString());
    EXPECT_EQ(dialog.chosen(), QStringLiteral("a:0"));
}

TEST(SourceDialog, RedetectShowsWhatIsFoundNowAndKeepsTheSelection) {
    int calls = 0;
    SourceDialog dialog(
        [&] {
            ++calls;
            std::vector<DeviceEntry> found = Two();
            if (calls > 1)
                found.push_back({"c:2", "Charlie", "New", "flatbed scanner"});
            return found;
        },
        QStringLiteral("b:1"));
    dialog.findChild<QPushButton*>(QStringLiteral("redetectButton"))->click();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(List(dialog)->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.chosen(), QStringLiteral("b:1"));
}

TEST(SourceDialog, NothingFoundDisablesTheChoice) {
    SourceDialog dialog([] { return std::vector<DeviceEntry>{}; }, QString());
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
    EXPECT_TRUE(dialog.chosen().isEmpty());
}

TEST(SelectImageSource, ChosenTestDeviceBecomesTheDefault) {
    TestScanner scanner;
    auto lib = scanner.make();
    WhenShown<SourceDialog>([](SourceDialog* d) {
        QTreeWidget* list = List(*d);
        const auto found = list->findItems(QStringLiteral("test:1"), Qt::MatchExactly, 2);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.front());
        d->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    EXPECT_EQ(lib->TWAIN_SelectImageSource(nullptr), 1);
    EXPECT_EQ(scanner.store.defaultDevice(), QStringLiteral("test:1"));
}

TEST(SelectImageSource, CancelKeepsTheDefault) {
    TestScanner scanner;
    scanner.store.setDefaultDevice(QStringLiteral("test:0"));
    auto lib = scanner.make();
    WhenShown<SourceDialog>([](SourceDialog* d) {
        List(*d)->setCurrentItem(List(*d)->topLevelItem(1));
        d->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    EXPECT_EQ(lib->TWAIN_SelectImageSource(nullptr), 0);
    EXPECT_EQ(scanner.store.defaultDevice(), QStringLiteral("test:0"));
}

TEST(DeviceSettingsStore, LivesInItsOwnFileUnderTheConfigurationFolder) {
    const QFileInfo file(DeviceSettingsStore::DefaultFilePath());
    EXPECT_EQ(file.fileName(), QStringLiteral("scanner.ini"));
    EXPECT_EQ(file.dir().dirName(), QStringLiteral("Folivo"));
}

TEST(DeviceSettingsStore, KeepsOptionsPerDeviceInOrderWithAwkwardNames) {
    QTemporaryDir dir;
    DeviceSettingsStore store(dir.filePath(QStringLiteral("scanner.ini")));
    const SavedOptions a{
        {"mode", "Color"}, {"depth", "8"}, {"gamma", "1,2,3"}, {"title", "a=b; c"}};
    const SavedOptions b{{"resolution", "19660800"}};
    store.setOptions(QStringLiteral("net:host/dev:1"), a);
    store.setOptions(QStringLiteral("test:0"), b);
    store.setDefaultDevice(QStringLiteral("net:host/dev:1"));
    DeviceSettingsStore again(store.filePath());
    EXPECT_EQ(again.options(QStringLiteral("net:host/dev:1")), a);
    EXPECT_EQ(again.options(QStringLiteral("test:0")), b);
    EXPECT_TRUE(again.options(QStringLiteral("test:1")).empty());
    EXPECT_EQ(again.defaultDevice(), QStringLiteral("net:host/dev:1"));
}

TEST(DeviceSettingsStore, RememberedOptionsComeBackOnTheDevice) {
    TestScanner scanner;
    Remember(scanner.store, QStringLiteral("test:0"),
             {{"mode", "Color"},
              {"depth", 16},
              {"resolution", 77},
              {"test-picture", "Grid"},
              {"br-x", 33.0}});
    SaneApi api(CreateDlLoader());
    ASSERT_TRUE(api.initialise());
    auto device = SaneDevice::open(api, QStringLiteral("test:0"), nullptr);
    ASSERT_TRUE(device);
    EXPECT_GT(ApplyOptions(*device, scanner.store.options(QStringLiteral("test:0"))), 5);
    EXPECT_EQ(device->value(*device->option("mode"))->text, QStringLiteral("Color"));
    EXPECT_EQ(device->value(*device->option("depth"))->words[0], 16);
    EXPECT_DOUBLE_EQ(device->resolution(), 77.0);
    EXPECT_EQ(device->value(*device->option("br-x"))->words[0], 33 << 16);
}

TEST(DeviceSettingsStore, UnknownOrMalformedValuesArePassedOver) {
    TestScanner scanner;
    SaneApi api(CreateDlLoader());
    ASSERT_TRUE(api.initialise());
    auto device = SaneDevice::open(api, QStringLiteral("test:0"), nullptr);
    ASSERT_TRUE(device);
    const SavedOptions odd{{"no-such-option", "1"},
                           {"depth", "eight"},
                           {"resolution", "1,2"},
                           {"mode", "Sepia"},
                           {"test-picture", "Grid"}};
    EXPECT_EQ(ApplyOptions(*device, odd), 1);
    EXPECT_EQ(device->value(*device->option("test-picture"))->text, QStringLiteral("Grid"));
    EXPECT_EQ(device->value(*device->option("mode"))->text, QStringLiteral("Gray"));
}

} // namespace
