// The toolbar as the user meets it: nine buttons from libzkbutton2 in the main window,
// restored from the window's form description, running the menu commands.
#include "page_preview.h"
#include "toolbar_fixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <dlfcn.h>

namespace folivo::test {
namespace {

TEST_F(ToolbarTest, NineButtonsOfTheLibraryClassStandWhereTheDesignPutsThem) {
    auto window = startWithToolbar();
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    ASSERT_EQ(toolbar->buttons().size(), 9);
    for (const ExpectedButton& e : kExpectedButtons) {
        SCOPED_TRACE(e.name);
        QWidget* b = button(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_STREQ(b->metaObject()->className(), "zkButton");
        EXPECT_EQ(b->parentWidget(), window->clientArea());
        EXPECT_EQ(b->geometry(),
                  QRect(window->twipsToPixelsX(e.left), window->twipsToPixelsY(e.top),
                        window->twipsToPixelsX(375), window->twipsToPixelsY(375)));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.toolTip));
    }
}

TEST_F(ToolbarTest, TheProgramDoesNotLinkTheButtonLibrary) {
    auto window = startWithToolbar();
    ASSERT_TRUE(toolbar->isLoaded());
    // Loaded privately at run time: its entry points are not in the program's own scope.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "DllGetClassObject"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "zkGetFormApi"), nullptr);
}

TEST_F(ToolbarTest, EveryButtonIsRestoredWithTheStoredProperties) {
    auto window = startWithToolbar();
    ASSERT_TRUE(toolbar->isLoaded());
    for (const ExpectedButton& e : kExpectedButtons) {
        SCOPED_TRACE(e.name);
        const QWidget* b = button(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->property("Caption").toString(), QString()); // not its name
        EXPECT_EQ(b->property("CaptionAlign").toInt(), 3);
        EXPECT_EQ(b->property("PictureAlign").toInt(), 4);
        EXPECT_FALSE(b->property("ShowFocusRect").toBool());
        const QObject* font = PropertyObject(b, "Font");
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->property("Name").toString(), QStringLiteral("ＭＳ Ｐゴシック"));
        for (const char* picture : {"Picture", "DownPicture", "DisablePicture"}) {
            const QImage image = PictureImage(b, picture);
            EXPECT_EQ(image.size(), QSize(24, 24)) << picture;
        }
        // Three different pictures per button: pressed and disabled are not the normal one.
        EXPECT_NE(PictureImage(b, "Picture"), PictureImage(b, "DownPicture"));
        EXPECT_NE(PictureImage(b, "Picture"), PictureImage(b, "DisablePicture"));
    }
}

TEST_F(ToolbarTest, TabOrderFollowsTheStoredTabIndex) {
    auto window = startWithToolbar();
    const char* order[] = {"zkScan", "zkSelect", "zkClip", "zkBookPDF", "zkBMP",
                           "zkJPEG", "zkPDF",    "zkhelp", "zkExit"};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_EQ(button(order[i - 1])->nextInFocusChain(), button(order[i]))
            << order[i - 1] << " -> " << order[i];
}

TEST_F(ToolbarTest, AssistiveTechnologyNamesEachButtonByItsTooltip) {
    auto window = startWithToolbar();
    for (const ExpectedButton& e : kExpectedButtons) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button(e.name));
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->role(), QAccessible::Button) << e.name;
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(e.toolTip)) << e.name;
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(button("zkPDF"))->state().disabled)
        << "no page yet";
}

TEST_F(ToolbarTest, ClickingAButtonRunsItsMenuCommand) {
    auto window = startWithToolbar();
    recordCommands(*window);
    window->setSaveCommandsEnabled(true); // a page on display
    QStringList expected;
    for (const ExpectedButton& e : kExpectedButtons) {
        QTest::mouseClick(button(e.name), Qt::LeftButton, {}, QPoint(12, 12));
        expected.append(QLatin1String(e.menuItem));
    }
    EXPECT_EQ(ran, expected);
}

TEST_F(ToolbarTest, APressReleasedOutsideTheButtonRunsNothing) {
    auto window = startWithToolbar();
    recordCommands(*window);
    QWidget* scan = button("zkScan");
    QTest::mousePress(scan, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseMove(scan, QPoint(60, 12));
    QTest::mouseRelease(scan, Qt::LeftButton, {}, QPoint(60, 12));
    EXPECT_TRUE(ran.isEmpty());
}

TEST_F(ToolbarTest, PointerOverAButtonShowsItsDescriptionInTheStatusLine) {
    auto window = startWithToolbar();
    window->setSaveCommandsEnabled(true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (const ExpectedButton& e : kExpectedButtons) {
        window->SetStatus(QStringLiteral("before"));
        QTest::mouseMove(button(e.name), QPoint(10, 10));
        EXPECT_EQ(window->statusText(), QString::fromUtf8(e.toolTip)) << e.name;
    }
}

TEST_F(ToolbarTest, LeavingZkPdfKeepsItsDescriptionUntilTheNextMessage) {
    auto window = startWithToolbar();
    window->setSaveCommandsEnabled(true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QString description = QStringLiteral("スキャンした画像をPDFファイルに保存します。");
    QTest::mouseMove(button("zkPDF"), QPoint(12, 12));
    ASSERT_EQ(window->statusText(), description);
    QWidget* preview = window->preview();
    QTest::mouseMove(preview, preview->rect().center());
    QTest::mouseMove(window->clientArea(), QPoint(400, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->statusText(), description);
    window->SetStatus(QStringLiteral("next"));
    EXPECT_EQ(window->statusText(), QStringLiteral("next"));
}

TEST_F(ToolbarTest, BeforeTheFirstPageSaveButtonsShowDisabledPicturesAndIgnoreClicks) {
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
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_EQ(window->statusText(), kStartMessage) << "a disabled button shows no description";
}

TEST_F(ToolbarTest, AnAcquisitionEnablesTheSaveButtonsAndTheMultiPageEndDisablesThem) {
    auto window = startWithToolbar();
    QWidget* bmp = button("zkBMP");
    window->setSaveCommandsEnabled(true);
    EXPECT_TRUE(bmp->property("Enabled").toBool());
    EXPECT_GE(PictureShownShare(bmp, PictureImage(bmp, "Picture")), 0.95);
    window->setSaveCommandsEnabled(false);
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

TEST_F(ToolbarTest, ZkScanWithNoPageRunsTheSameCommandAsCtrlR) {
    auto window = startWithToolbar();
    int scans = 0;
    window->setCommand(QStringLiteral("menuScan"), [&] {
        ++scans;
        window->SetStatus(QStringLiteral("scan %1").arg(scans));
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(scans, 1);
    EXPECT_EQ(window->statusText(), QStringLiteral("scan 1"));
    QTest::mouseClick(button("zkScan"), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(scans, 2);
    EXPECT_EQ(window->statusText(), QStringLiteral("scan 2"));
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
    QWidget* under = window->clientArea()->childAt(place.center());
    EXPECT_NE(under, scan) << "the preview covers the button";
    EXPECT_EQ(scan->geometry(), place);
    EXPECT_TRUE(scan->property("Enabled").toBool());
    EXPECT_TRUE(button("zkBMP")->property("Enabled").toBool());
    window->runCommand(QStringLiteral("menuToolbar"));
    EXPECT_EQ(window->clientArea()->childAt(place.center()), scan);
}

} // namespace
} // namespace folivo::test
