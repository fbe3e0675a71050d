// The toolbar as the user meets it: nine buttons from libzkbutton2 in the main window,
// restored from the window's form description, running the menu commands.
#include "page_preview.h"
#include "toolbar_fixture.h"

#include <QTest>
#include <dlfcn.h>

namespace folivo::test {
namespace {

TEST_F(ToolbarTest, NineLibraryButtonsStandWhereTheirFormDescriptionPlacesThem) {
    auto window = startWithToolbar();
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    ASSERT_EQ(toolbar->buttons().size(), 9);
    for (const ExpectedButton& e : kExpectedButtons) {
        SCOPED_TRACE(e.name);
        QWidget* b = button(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_STREQ(b->metaObject()->className(), "zkButton");
        EXPECT_EQ(b->parentWidget(), window->clientArea());
        EXPECT_EQ(b->x(), window->twipsToPixelsX(toolbar->site(QLatin1String(e.name)).left));
    }
    // Loaded privately at run time: the library's entry points are not in the program's scope.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "DllGetClassObject"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "zkGetFormApi"), nullptr);
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

} // namespace
} // namespace folivo::test
