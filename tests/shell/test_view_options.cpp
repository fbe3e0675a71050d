// View options: scanner dialog on/off and toolbar on/off, stored in the settings file.
#include "main_window_fixture.h"

#include "program_paths.h"
#include "twips.h"

using namespace folivo;
using namespace folivo::test;

namespace {
QRect PreviewGeometry(const MainWindow& window) {
    return window.findChild<QWidget*>("VS")->geometry();
}

class ViewOptionsTest : public MainWindowTest {
protected:
    std::unique_ptr<MainWindow> startShown() {
        auto window = startWindow();
        window->resize(640, 480);
        window->show();
        return window;
    }
    // Both options chosen while the settings cannot be stored: nothing moves.
    void expectNothingMoves() {
        auto window = startShown();
        const QRect before = PreviewGeometry(*window);
        EXPECT_EQ(before.top(), TwipsToPixels(415, window->logicalDpiY()));
        scanner.hideUiCalls.clear();
        window->action("menuToolbar")->trigger();
        window->action("menuDialogOFF")->trigger();
        EXPECT_TRUE(checked(*window, "menuToolbar"));
        EXPECT_EQ(window->state().toolbarOffset, 415);
        EXPECT_EQ(PreviewGeometry(*window), before);
        EXPECT_TRUE(checked(*window, "menuDialogON"));
        EXPECT_FALSE(checked(*window, "menuDialogOFF"));
        EXPECT_TRUE(scanner.hideUiCalls.empty());
        EXPECT_TRUE(boxes.shown.empty()) << "a failed store shows no message";
    }
};
} // namespace

// What the options write is what the start-up reads (test_main_startup.cpp).
TEST_F(ViewOptionsTest, DialogOptionMovesItsCheckTellsTheScannerAndIsStored) {
    auto window = startWindow();
    window->action("menuDialogOFF")->trigger();
    EXPECT_FALSE(checked(*window, "menuDialogON"));
    EXPECT_TRUE(checked(*window, "menuDialogOFF"));
    EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=False\n");
    window->action("menuDialogON")->trigger();
    window->action("menuDialogON")->trigger(); // the same value is written again
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(checked(*window, "menuDialogOFF"));
    EXPECT_EQ(scanner.hideUiCalls, (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=True\n");
}

TEST_F(ViewOptionsTest, HiddenToolbarGivesThePreviewItsStripAndIsStored) {
    auto window = startShown();
    const QRect shown = PreviewGeometry(*window);
    EXPECT_EQ(shown.top(), TwipsToPixels(415, window->logicalDpiY()));
    window->action("menuToolbar")->trigger();
    EXPECT_FALSE(checked(*window, "menuToolbar"));
    EXPECT_EQ(window->state().toolbarOffset, 0);
    const QRect hidden = PreviewGeometry(*window);
    EXPECT_EQ(hidden.top(), 0);
    EXPECT_EQ(hidden.bottom(), shown.bottom()) << "the preview grows over the strip";
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nFlag=False\n");
    window->action("menuToolbar")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    EXPECT_EQ(PreviewGeometry(*window), shown);
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nFlag=True\n");
}

TEST_F(ViewOptionsTest, ReadOnlySettingsFileKeepsViewOptionsAsTheyAre) {
    const QByteArray settings = "[TWAIN]\nDialog=True\n[Toolbar]\nFlag=True\n";
    writeSettings(settings);
    const QString file = home.file("Folivo.ini");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_FALSE(IsWritablePath(file));
    expectNothingMoves();
    EXPECT_EQ(home.read("Folivo.ini"), settings);
}

TEST_F(ViewOptionsTest, ReadOnlyProgramFolderKeepsViewOptionsAsTheyAre) {
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    expectNothingMoves();
    EXPECT_FALSE(exists("Folivo.ini"));
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
