// The toolbar's form description: written back identically, damaged blocks passed over,
// and a program without the button library still starting and saying so once.
#include "toolbar_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace folivo::test {
namespace {

class ToolbarFormTest : public ToolbarTest {
protected:
    QString written(const QString& name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        return path;
    }
    // A description file; pictures are taken from the built-in ones.
    ToolbarSource sourceFor(const QByteArray& text) {
        return {written(QStringLiteral("frmMain.frm"), text), QStringLiteral(":/forms")};
    }
    static QByteArray block(const char* name, const char* extra = "   Width = 375\n",
                            const char* className = "zkButtonProject.zkButton") {
        return QByteArray("Begin ") + className + ' ' + name + "\n   Height = 375\n" + extra +
               "   Caption = \"\"\nEnd\n";
    }
    QTemporaryDir dir;
};

TEST_F(ToolbarFormTest, SavedButtonsGiveTheDescriptionTheyWereRestoredFrom) {
    auto restored = restoreOnly();
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    const QByteArray original = BuiltInDescription();
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(QString::fromUtf8(toolbar->describe()), QString::fromUtf8(original));

    auto started = startWithToolbar(); // the save buttons are off now, and saved so
    const QByteArray saved = toolbar->describe();
    ASSERT_TRUE(saved.contains("Enabled = False"));
    auto again = restoreOnly(sourceFor(saved));
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    EXPECT_EQ(toolbar->buttons().size(), 9);
    EXPECT_EQ(toolbar->describe(), saved);
}

TEST_F(ToolbarFormTest, BlocksTheToolbarCannotUseArePassedOver) {
    const QByteArray text = block("zkFoo") + // not a toolbar button
                            block("zkClip", "   Width = 375\n", "Other.Class") + // other class
                            block("zkBMP", "   Width = 0\n") +                   // damaged size
                            block("zkScan", "   Width = 375\n   Left = 375\n") +
                            block("zkScan", "   Width = 375\n   Left = 750\n") + // duplicate
                            block("zkhelp");
    auto window = startWithToolbar(sourceFor(text));
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    ASSERT_EQ(toolbar->buttons().size(), 2);
    EXPECT_EQ(toolbar->buttons()[0], button("zkScan"));
    EXPECT_EQ(toolbar->buttons()[1], button("zkhelp"));
    EXPECT_EQ(toolbar->site(QStringLiteral("zkScan")).left, 375) << "the first block wins";
    EXPECT_EQ(button("zkBMP"), nullptr);
    EXPECT_EQ(window->clientArea()->findChildren<QWidget*>(QStringLiteral("zkBMP")).size(), 0)
        << "no half-made button is left behind";
}

TEST_F(ToolbarFormTest, ABrokenOrMissingDescriptionLeavesTheWindowWithoutToolbar) {
    const struct {
        const char* what;
        const char* text; // null: no description file at all
        const char* failureContains;
    } cases[] = {
        {"syntax", "Begin zkButtonProject.zkButton zkScan\n   Width 375\nEnd\n", ":2:"},
        {"missing End", "Begin zkButtonProject.zkButton zkScan\n", ":1:"},
        {"picture outside",
         "Begin zkButtonProject.zkButton zkScan\n   Picture = Picture(\"../../etc/passwd\")\nEnd\n",
         ":2:"},
        {"no button", "' only a comment\n", "no toolbar button"},
        {"no file", nullptr, "cannot read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto window = startWithToolbar(c.text ? sourceFor(c.text)
                                              : ToolbarSource{dir.filePath("absent.frm"), {}});
        EXPECT_FALSE(toolbar->isLoaded());
        EXPECT_TRUE(toolbar->failure().contains(QLatin1String(c.failureContains)))
            << toolbar->failure().toStdString();
        EXPECT_TRUE(toolbar->buttons().isEmpty());
    }
}

TEST_F(ToolbarFormTest, DoubleSizePicturesComeFromTheSecondFolder) {
    auto window = restoreOnly({QLatin1String(kToolbarFormPath), QStringLiteral(":/forms/2x")});
    ASSERT_TRUE(toolbar->isLoaded());
    for (const ExpectedButton& e : kExpectedButtons)
        for (const char* picture : {"Picture", "DownPicture", "DisablePicture"})
            EXPECT_EQ(PictureImage(button(e.name), picture).size(), QSize(48, 48))
                << e.name << ' ' << picture;
    // The description still names the same files.
    EXPECT_EQ(toolbar->describe(), BuiltInDescription());
    // Buttons under 48 pixels take the normal pictures.
    auto normal = startWithToolbar();
    EXPECT_EQ(toolbar->pictureFolder(), normal->twipsToPixelsX(375) >= 48
                                            ? QStringLiteral(":/forms/2x")
                                            : QStringLiteral(":/forms"));
}

TEST_F(ToolbarFormTest, WithoutTheLibraryTheProgramStartsAndSaysSoOnceAfterTheOtherMessages) {
    // The component registry points at a library that is not there.
    const QByteArray oldRegistry = qgetenv("ZKBUTTON2_REGISTRY");
    const QByteArray clsid = "{1CFA07B4-5195-4D45-A378-92E00E090F3A}";
    qputenv("ZKBUTTON2_REGISTRY",
            written("components.ini",
                    "[ProgID]\nzkButtonProject.zkButton=" + clsid + "\n[CLSID." + clsid +
                        "]\nLibrary=" + dir.filePath("gone/libzkbutton2.so.2").toUtf8() + "\n")
                .toUtf8());
    const QString log = dir.filePath("status.log");
    qputenv("FOLIVO_STATUS_LOG", log.toUtf8());
    scanner.available = false;
    auto window = startWithToolbar();
    EXPECT_FALSE(toolbar->isLoaded());
    EXPECT_TRUE(toolbar->buttons().isEmpty());
    EXPECT_EQ(window->statusText(), kNoScannerTitle) << "nothing is said before the window shows";
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->statusText() == NoToolbarMessage(); }));
    window->hide();
    window->show();
    QCoreApplication::processEvents();
    qputenv("ZKBUTTON2_REGISTRY", oldRegistry);
    qunsetenv("FOLIVO_STATUS_LOG");
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              kStartMessage + "\n" + kNoScannerTitle + "\n" + NoToolbarMessage() + "\n");
}

} // namespace
} // namespace folivo::test
