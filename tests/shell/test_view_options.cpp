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

void MakeReadOnly(const QString& path) {
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_FALSE(IsWritablePath(path));
}
} // namespace

TEST_F(MainWindowTest, DialogOffIsStoredAndSurvivesARestart) {
    {
        auto window = startWindow();
        window->action("menuDialogOFF")->trigger();
        EXPECT_FALSE(checked(*window, "menuDialogON"));
        EXPECT_TRUE(checked(*window, "menuDialogOFF"));
        EXPECT_EQ(scanner.hideUiCalls, (std::vector<int>{0, 1}));
        EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=False\n");
    }
    scanner.hideUiCalls.clear();
    auto again = startWindow();
    EXPECT_TRUE(checked(*again, "menuDialogOFF"));
    EXPECT_FALSE(checked(*again, "menuDialogON"));
    EXPECT_EQ(scanner.hideUiCalls, std::vector<int>{1});
}

TEST_F(MainWindowTest, DialogOnAfterOffAndChoosingTheCheckedItemAgain) {
    writeSettings("[TWAIN]\nDialog=False\n");
    auto window = startWindow();
    window->action("menuDialogON")->trigger();
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(checked(*window, "menuDialogOFF"));
    window->action("menuDialogON")->trigger(); // the same value is written again
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(checked(*window, "menuDialogOFF"));
    EXPECT_EQ(scanner.hideUiCalls, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=True\n");
}

TEST_F(MainWindowTest, ReadOnlySettingsFileMovesNoDialogCheckMark) {
    writeSettings("[TWAIN]\nDialog=True\n");
    MakeReadOnly(home.file("Folivo.ini"));
    auto window = startWindow();
    scanner.hideUiCalls.clear();
    window->action("menuDialogOFF")->trigger();
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(checked(*window, "menuDialogOFF"));
    EXPECT_TRUE(scanner.hideUiCalls.empty());
    EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=True\n");
    EXPECT_TRUE(boxes.shown.empty()) << "a failed store shows no message";
}

TEST_F(MainWindowTest, HidingTheToolbarMovesThePreviewToTheTopAndBack) {
    auto window = startWindow();
    window->resize(640, 480);
    window->show();
    const int offsetPixels = TwipsToPixels(415, window->logicalDpiY());
    const QRect shown = PreviewGeometry(*window);
    EXPECT_EQ(shown.top(), offsetPixels);

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

TEST_F(MainWindowTest, HiddenToolbarIsReadBackFromToolBarSectionAtTheNextStart) {
    {
        auto window = startWindow();
        window->action("menuToolbar")->trigger();
    }
    auto again = startWindow();
    EXPECT_FALSE(checked(*again, "menuToolbar"));
    EXPECT_EQ(again->state().toolbarOffset, 0);
}

TEST_F(MainWindowTest, PreviewCoversToolbarButtonsWhenHidden) {
    auto window = startWindow();
    window->resize(640, 480);
    auto* button = new QWidget(window->clientArea());
    button->setGeometry(5, window->twipsToPixelsY(40), 30, 20);
    button->show();
    window->show();
    window->action("menuToolbar")->trigger();
    const QPoint inButton = button->geometry().center();
    EXPECT_EQ(window->clientArea()->childAt(inButton), window->findChild<QWidget*>("VS"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->geometry().topLeft(), QPoint(5, window->twipsToPixelsY(40)));
}

TEST_F(MainWindowTest, ReadOnlySettingsFileNeitherHidesTheToolbarNorMovesItsCheck) {
    writeSettings("[Toolbar]\nFlag=True\n");
    MakeReadOnly(home.file("Folivo.ini"));
    auto window = startWindow();
    window->resize(640, 480);
    window->show();
    const QRect before = PreviewGeometry(*window);
    EXPECT_EQ(before.top(), TwipsToPixels(415, window->logicalDpiY()));
    window->action("menuToolbar")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    EXPECT_EQ(window->state().toolbarOffset, 415);
    EXPECT_EQ(PreviewGeometry(*window), before);
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nFlag=True\n");
}

TEST_F(MainWindowTest, ReadOnlyProgramFolderKeepsViewOptionsAsTheyAre) {
    auto window = startWindow();
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    window->action("menuToolbar")->trigger();
    window->action("menuDialogOFF")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(exists("Folivo.ini"));
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
