// The toolbar as the user meets it: nine buttons from libzkbutton2 in the main window,
// restored from the window's form description, running the menu commands.
#include "page_preview.h"
#include "toolbar_fixture.h"

#include <QTest>
#include <dlfcn.h>

namespace folivo::test {
namespace {

TEST_F(ToolbarTest, NineLibraryButtonsStandLeftToRightAsTheirFormDescriptionPlacesThem) {
    auto window = startWithToolbar();
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    ASSERT_EQ(toolbar->buttons().size(), 9);
    int left = -1;
    for (const ExpectedButton& e : kExpectedButtons) {
        SCOPED_TRACE(e.name);
        QWidget* b = button(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_STREQ(b->metaObject()->className(), "zkButton");
        EXPECT_EQ(b->parentWidget(), window->clientArea());
        const ButtonSite s = toolbar->site(QLatin1String(e.name));
        EXPECT_GT(s.left, left);
        left = s.left;
        EXPECT_EQ(b->geometry(),
                  QRect(window->twipsToPixelsX(s.left), window->twipsToPixelsY(s.top),
                        window->twipsToPixelsX(s.width), window->twipsToPixelsY(s.height)));
        EXPECT_FALSE(s.toolTipText.isEmpty());
        EXPECT_EQ(b->toolTip(), s.toolTipText); // also its name on the accessibility bus
    }
    // Tab order follows the stored TabIndex.
    const char* order[] = {"zkScan", "zkSelect", "zkClip", "zkBookPDF", "zkBMP",
                           "zkJPEG", "zkPDF",    "zkhelp", "zkExit"};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_EQ(button(order[i - 1])->nextInFocusChain(), button(order[i])) << order[i];
    // Loaded privately at run time: the library's entry points are not in the program's scope.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "DllGetClassObject"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "zkGetFormApi"), nullptr);
}

TEST_F(ToolbarTest, EachButtonShowsItsDescriptionOnHoverAndRunsItsMenuCommand) {
    auto window = startWithToolbar();
    recordCommands(*window);
    window->setSaveCommandsEnabled(true); // a page on display
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QWidget* scan = button("zkScan");
    QTest::mousePress(scan, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseMove(scan, QPoint(60, 12));
    QTest::mouseRelease(scan, Qt::LeftButton, {}, QPoint(60, 12));
    EXPECT_TRUE(ran.isEmpty()) << "a press released outside the button runs nothing";
    QStringList expected;
    for (const ExpectedButton& e : kExpectedButtons) {
        window->SetStatus(QStringLiteral("before"));
        QTest::mouseMove(button(e.name), QPoint(10, 10));
        EXPECT_EQ(window->statusText(), button(e.name)->toolTip()) << e.name;
        QTest::mouseClick(button(e.name), Qt::LeftButton, {}, QPoint(12, 12));
        expected.append(QLatin1String(e.menuItem));
    }
    EXPECT_EQ(ran, expected);
    // Leaving a button keeps its description until the next message.
    QTest::mouseMove(button("zkPDF"), QPoint(12, 12));
    const QString description = button("zkPDF")->toolTip();
    ASSERT_EQ(window->statusText(), description);
    QWidget* preview = window->preview();
    QTest::mouseMove(preview, preview->rect().center());
    QTest::mouseMove(window->clientArea(), QPoint(400, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusText(), description);
}

// The buttons' pictures for each state are the button library's own business.
TEST_F(ToolbarTest, SaveButtonsFollowThePageAndWithoutAScannerOnlyHelpAndExitWork) {
    for (const bool hasScanner : {true, false}) {
        SCOPED_TRACE(hasScanner);
        scanner.available = hasScanner;
        ran.clear();
        auto window = startWithToolbar();
        recordCommands(*window);
        QStringList expected;
        for (const ExpectedButton& e : kExpectedButtons) {
            const QLatin1String name(e.name);
            const bool on = name == "zkhelp" || name == "zkExit" ||
                            (hasScanner && name != "zkBMP" && name != "zkJPEG" && name != "zkPDF");
            EXPECT_EQ(button(e.name)->property("Enabled").toBool(), on) << e.name;
            EXPECT_EQ(button(e.name)->isEnabled(), on) << e.name;
            QTest::mouseClick(button(e.name), Qt::LeftButton, {}, QPoint(12, 12));
            if (on)
                expected.append(QLatin1String(e.menuItem));
        }
        EXPECT_EQ(ran, expected);
        if (!hasScanner)
            continue;
        window->setSaveCommandsEnabled(true); // an acquisition
        EXPECT_TRUE(button("zkBMP")->property("Enabled").toBool());
        window->setSaveCommandsEnabled(false); // the end of a multi-page run
        EXPECT_FALSE(button("zkPDF")->property("Enabled").toBool());
    }
}

TEST_F(ToolbarTest, HidingTheToolbarLaysThePreviewOverTheStripAndIsStored) {
    auto window = startWithToolbar();
    window->setSaveCommandsEnabled(true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QWidget* scan = button("zkScan");
    const QRect place = scan->geometry();
    const QRect preview = window->preview()->geometry();
    window->runCommand(QStringLiteral("menuToolbar"));
    ASSERT_FALSE(window->action(QStringLiteral("menuToolbar"))->isChecked());
    EXPECT_EQ(window->clientArea()->childAt(place.center()), window->preview());
    EXPECT_EQ(window->preview()->y(), 0);
    EXPECT_EQ(window->preview()->geometry().bottom(), preview.bottom());
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nFlag=False\n");
    EXPECT_EQ(scan->geometry(), place);
    EXPECT_TRUE(scan->property("Enabled").toBool());
    EXPECT_TRUE(button("zkBMP")->property("Enabled").toBool());
    window->runCommand(QStringLiteral("menuToolbar"));
    EXPECT_EQ(window->clientArea()->childAt(place.center()), scan);
    EXPECT_EQ(window->preview()->geometry(), preview);
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nFlag=True\n");
}

} // namespace
} // namespace folivo::test
