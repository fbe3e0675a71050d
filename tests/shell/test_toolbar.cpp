// The toolbar as the user meets it: nine buttons from libzkbutton2 in the main window,
// restored from the window's form description, running the menu commands.
#include "page_preview.h"
#include "toolbar_fixture.h"

#include <QAccessible>
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
        EXPECT_EQ(b->toolTip(), s.toolTipText);
        // Assistive technology names each button by its tooltip.
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Button);
        EXPECT_EQ(a->text(QAccessible::Name), s.toolTipText);
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(button("zkPDF"))->state().disabled)
        << "no page yet";
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

TEST_F(ToolbarTest, SaveButtonsFollowThePageWithTheirPicturesWhileZkScanWorksWithoutOne) {
    auto window = startWithToolbar();
    recordCommands(*window);
    for (const char* name : {"zkBMP", "zkJPEG", "zkPDF"}) {
        SCOPED_TRACE(name);
        QWidget* b = button(name);
        EXPECT_FALSE(b->property("Enabled").toBool());
        EXPECT_GE(PictureShownShare(b, PictureImage(b, "DisablePicture")), 0.95);
        EXPECT_LT(PictureShownShare(b, PictureImage(b, "Picture")), 0.5);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 12));
        QTest::mouseMove(b, QPoint(10, 10));
    }
    EXPECT_EQ(window->statusText(), kStartMessage) << "a disabled button shows no description";
    QTest::mouseClick(button("zkScan"), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(ran, QStringList{QStringLiteral("menuScan")});

    QWidget* bmp = button("zkBMP");
    window->setSaveCommandsEnabled(true); // an acquisition
    EXPECT_TRUE(bmp->property("Enabled").toBool());
    EXPECT_GE(PictureShownShare(bmp, PictureImage(bmp, "Picture")), 0.95);
    window->setSaveCommandsEnabled(false); // the end of a multi-page run
    EXPECT_FALSE(bmp->property("Enabled").toBool());
    EXPECT_GE(PictureShownShare(bmp, PictureImage(bmp, "DisablePicture")), 0.95);
}

TEST_F(ToolbarTest, WithoutAScannerOnlyHelpAndExitAreEnabled) {
    scanner.available = false;
    auto window = startWithToolbar();
    recordCommands(*window);
    for (const ExpectedButton& e : kExpectedButtons) {
        const bool always = QLatin1String(e.name) == "zkhelp" || QLatin1String(e.name) == "zkExit";
        EXPECT_EQ(button(e.name)->property("Enabled").toBool(), always) << e.name;
        EXPECT_EQ(button(e.name)->isEnabled(), always) << e.name;
        QTest::mouseClick(button(e.name), Qt::LeftButton, {}, QPoint(12, 12));
    }
    EXPECT_EQ(ran, (QStringList{"menuMokuji", "menuExit"}));
}

TEST_F(ToolbarTest, HidingTheToolbarLaysThePreviewOverTheStrip) {
    auto window = startWithToolbar();
    window->setSaveCommandsEnabled(true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QWidget* scan = button("zkScan");
    const QRect place = scan->geometry();
    window->runCommand(QStringLiteral("menuToolbar"));
    ASSERT_FALSE(window->action(QStringLiteral("menuToolbar"))->isChecked());
    EXPECT_EQ(window->clientArea()->childAt(place.center()), window->preview());
    EXPECT_EQ(scan->geometry(), place);
    EXPECT_TRUE(scan->property("Enabled").toBool());
    EXPECT_TRUE(button("zkBMP")->property("Enabled").toBool());
    window->runCommand(QStringLiteral("menuToolbar"));
    EXPECT_EQ(window->clientArea()->childAt(place.center()), scan);
}

} // namespace
} // namespace folivo::test
