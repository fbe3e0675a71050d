// Choosing the source: the dialog lists the devices, looks again on request, and the
// layer keeps the choice (and each device's options) in a file of its own.
#include "scan_test_support.h"
#include "source_dialog.h"

#include <QPushButton>
#include <QTreeWidget>

using namespace folivo;
using namespace folivo::test;

namespace {

QTreeWidget* List(SourceDialog& d) {
    return d.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
}

TEST(SourceDialog, ListsTheDevicesSelectsTheCurrentOneAndLooksAgainOnRequest) {
    int calls = 0;
    const auto found = [&] {
        std::vector<DeviceEntry> all{{"a:0", "Acme", "Flat 1", "flatbed scanner"},
                                     {"b:1", "Bravo", "Feed 2", "sheetfed"}};
        if (++calls > 1)
            all.push_back({"c:2", "Charlie", "New", "flatbed scanner"});
        return all;
    };
    SourceDialog dialog(found, QStringLiteral("b:1"));
    const QTreeWidgetItem* first = List(dialog)->topLevelItem(0);
    EXPECT_EQ(QStringList({first->text(0), first->text(1), first->text(2)}),
              QStringList({"Acme", "Flat 1", "a:0"}));
    EXPECT_EQ(dialog.chosen(), QStringLiteral("b:1"));
    dialog.findChild<QPushButton*>(QStringLiteral("redetectButton"))->click();
    EXPECT_EQ(List(dialog)->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.chosen(), QStringLiteral("b:1"));

    EXPECT_EQ(SourceDialog(found, QString()).chosen(), QStringLiteral("a:0"));
    SourceDialog none([] { return std::vector<DeviceEntry>{}; }, QString());
    EXPECT_FALSE(none.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
    EXPECT_TRUE(none.chosen().isEmpty());
}

TEST(SelectImageSource, TheChosenDeviceBecomesTheDefaultAndCancelKeepsIt) {
    TestScanner scanner;
    auto lib = scanner.make();
    for (const char* button : {"okButton", "cancelButton"}) {
        WhenShown<SourceDialog>([button](SourceDialog* d) {
            QTreeWidget* list = List(*d);
            const auto found = list->findItems(QStringLiteral("test:1"), Qt::MatchExactly, 2);
            ASSERT_EQ(found.size(), 1);
            list->setCurrentItem(found.front());
            d->findChild<QPushButton*>(QLatin1String(button))->click();
        });
        scanner.store.setDefaultDevice(QStringLiteral("test:0"));
        EXPECT_EQ(lib->TWAIN_SelectImageSource(nullptr), *button == 'o' ? 1 : 0);
        EXPECT_EQ(scanner.store.defaultDevice(), *button == 'o' ? "test:1" : "test:0");
    }
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

TEST(DeviceSettingsStore, UnknownOrMalformedValuesArePassedOver) {
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
