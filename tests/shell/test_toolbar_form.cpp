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
    // A description file in a temporary folder; pictures are taken from the built-in ones.
    ToolbarSource sourceFor(const QByteArray& text) {
        const QString path = dir.filePath(QStringLiteral("frmMain.frm"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return {path, QStringLiteral(":/forms")};
    }
    static QByteArray block(const char* name, const char* extra = "   Width = 375\n",
                            const char* className = "zkButtonProject.zkButton") {
        return QByteArray("Begin ") + className + ' ' + name + "\n   Height = 375\n" + extra +
               "   Caption = \"\"\nEnd\n";
    }
    QTemporaryDir dir;
};

TEST_F(ToolbarFormTest, LoadingAndSavingTheButtonsGivesTheSameDescription) {
    auto window = restoreOnly();
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    const QByteArray original = BuiltInDescription();
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(QString::fromUtf8(toolbar->describe()), QString::fromUtf8(original));
}

TEST_F(ToolbarFormTest, ASavedDescriptionRestoresTheSameToolbarAgain) {
    auto first = startWithToolbar(); // the save buttons are off now, and saved so
    const QByteArray saved = toolbar->describe();
    ASSERT_TRUE(saved.contains("Enabled = False"));
    auto second = restoreOnly(sourceFor(saved));
    ASSERT_TRUE(toolbar->isLoaded()) << toolbar->failure().toStdString();
    EXPECT_EQ(toolbar->buttons().size(), 9);
    EXPECT_EQ(toolbar->describe(), saved);
}

TEST_F(ToolbarFormTest, AChangedPropertyIsWrittenBack) {
    auto window = startWithToolbar();
    QWidget* help = button("zkhelp");
    help->setProperty("Caption", QStringLiteral("&Help"));
    help->setProperty("ShowFocusRect", true); // back to its default: no longer written
    const QString text = QString::fromUtf8(toolbar->describe());
    const qsizetype start = text.indexOf(QStringLiteral("Begin zkButtonProject.zkButton zkhelp"));
    const QString helpBlock = text.mid(start, text.indexOf(QStringLiteral("End"), start) - start);
    EXPECT_TRUE(helpBlock.contains(QStringLiteral("Caption = \"&Help\"")))
        << helpBlock.toStdString();
    EXPECT_FALSE(helpBlock.contains(QStringLiteral("ShowFocusRect")));
    EXPECT_TRUE(text.contains(QStringLiteral("ShowFocusRect = False")))
        << "the other buttons keep theirs";
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

struct BrokenForm {
    const char* what;
    QByteArray text;
    const char* failureContains;
};

class ToolbarBrokenForm : public ToolbarFormTest,
                          public ::testing::WithParamInterface<BrokenForm> {};

TEST_P(ToolbarBrokenForm, LeavesTheWindowWithoutToolbar) {
    const BrokenForm& c = GetParam();
    auto window = startWithToolbar(sourceFor(c.text));
    EXPECT_FALSE(toolbar->isLoaded()) << c.what;
    EXPECT_TRUE(toolbar->failure().contains(QLatin1String(c.failureContains)))
        << toolbar->failure().toStdString();
    EXPECT_TRUE(toolbar->buttons().isEmpty());
    EXPECT_TRUE(toolbar->describe().isEmpty() || toolbar->buttons().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ToolbarBrokenForm,
    ::testing::Values(
        BrokenForm{"syntax", "Begin zkButtonProject.zkButton zkScan\n   Width 375\nEnd\n", ":2:"},
        BrokenForm{"missing End", "Begin zkButtonProject.zkButton zkScan\n", ":1:"},
        BrokenForm{"picture outside",
                   "Begin zkButtonProject.zkButton zkScan\n"
                   "   Picture = Picture(\"../../etc/passwd\")\nEnd\n",
                   ":2:"},
        BrokenForm{"no button", "' only a comment\n", "no toolbar button"}));

TEST_F(ToolbarFormTest, AMissingDescriptionFileLeavesTheWindowWithoutToolbar) {
    auto window = startWithToolbar({dir.filePath(QStringLiteral("absent.frm")), {}});
    EXPECT_FALSE(toolbar->isLoaded());
    EXPECT_TRUE(toolbar->buttons().isEmpty());
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
}

TEST_F(ToolbarFormTest, NormalScreensUseTheSmallPictures) {
    auto window = startWithToolbar();
    const bool large = window->twipsToPixelsX(375) >= 48;
    EXPECT_EQ(toolbar->pictureFolder(),
              large ? QStringLiteral(":/forms/2x") : QStringLiteral(":/forms"));
}

// Points the component registry at a library that is not there.
class NoLibraryTest : public ToolbarTest {
protected:
    void SetUp() override {
        registry = dir.filePath(QStringLiteral("components.ini"));
        QFile file(registry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[ProgID]\nzkButtonProject.zkButton={1CFA07B4-5195-4D45-A378-92E00E090F3A}\n"
                   "[CLSID.{1CFA07B4-5195-4D45-A378-92E00E090F3A}]\nLibrary=" +
                   dir.filePath(QStringLiteral("gone/libzkbutton2.so.2")).toUtf8() + "\n");
        file.close();
        oldRegistry = qgetenv("ZKBUTTON2_REGISTRY");
        qputenv("ZKBUTTON2_REGISTRY", registry.toUtf8());
        statusLog = dir.filePath(QStringLiteral("status.log"));
        qputenv("FOLIVO_STATUS_LOG", statusLog.toUtf8());
    }
    void TearDown() override {
        qputenv("ZKBUTTON2_REGISTRY", oldRegistry);
        qunsetenv("FOLIVO_STATUS_LOG");
    }
    QStringList statusLines() const {
        QFile file(statusLog);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QTemporaryDir dir;
    QString registry;
    QString statusLog;
    QByteArray oldRegistry;
};

TEST_F(NoLibraryTest, TheProgramStartsWithoutToolbarAndSaysSoOnce) {
    auto window = startWithToolbar();
    EXPECT_FALSE(toolbar->isLoaded());
    EXPECT_TRUE(toolbar->buttons().isEmpty());
    EXPECT_EQ(window->statusText(), kStartMessage) << "nothing is said before the window shows";
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->statusText() == NoToolbarMessage(); }));
    window->hide();
    window->show();
    QCoreApplication::processEvents();
    const QStringList lines = statusLines();
    EXPECT_EQ(lines.count(NoToolbarMessage()), 1) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.value(0), kStartMessage);
    // The rest of the window works as before.
    EXPECT_TRUE(window->action(QStringLiteral("menuScan"))->isEnabled());
    EXPECT_FALSE(window->action(QStringLiteral("menuSaveBMP"))->isEnabled());
}

TEST_F(NoLibraryTest, WithoutAScannerTheMessageComesAfterTheScannerMessage) {
    scanner.available = false;
    auto window = startWithToolbar();
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->statusText() == NoToolbarMessage(); }));
    const QStringList lines = statusLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.last(), NoToolbarMessage());
    EXPECT_TRUE(lines.contains(kNoScannerTitle));
}

} // namespace
} // namespace folivo::test
