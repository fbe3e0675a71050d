// The toolbar's form description: written back identically, damaged blocks passed over,
// and a program without the button library still starting and saying so once.
#include "button_site.h"
#include "toolbar_fixture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

// The window's own keys of a toolbar block, read with every bound checked.
namespace folivo {
namespace {

using Block = QMap<QString, QVariant>;

SiteValueLookup lookupIn(const Block& block) {
    return [block](const QString& key) -> std::optional<QVariant> {
        if (!block.contains(key))
            return std::nullopt;
        return block.value(key);
    };
}

const QString kTip = QStringLiteral("TWAINデバイスから新しいスキャンを行います。");
const Block kScanBlock{{"Height", 375},       {"Left", 375}, {"TabIndex", 1},
                       {"ToolTipText", kTip}, {"Top", 40},   {"Width", 750}};

TEST(ButtonSite, ReadsAWholeBlockAndTakesDefaultsForAbsentOptionalKeys) {
    const ButtonSiteResult r = ReadButtonSite(lookupIn(kScanBlock));
    ASSERT_TRUE(r.site.has_value()) << r.badKey.toStdString();
    EXPECT_EQ(*r.site, (ButtonSite{375, 40, 750, 375, 1, kTip}));
    const ButtonSiteResult bare = ReadButtonSite(lookupIn({{"Height", 300}, {"Width", 200}}));
    ASSERT_TRUE(bare.site.has_value());
    EXPECT_EQ(*bare.site, (ButtonSite{0, 0, 200, 300, 0, QString()}));
}

TEST(ButtonSite, ADamagedKeyIsNamedAndGivesNoSiteWhileTheLimitsThemselvesAreRead) {
    const struct {
        const char* key;
        QVariant value; // an invalid QVariant removes the key
        bool accepted;
    } cases[] = {
        {"Width", QVariant(), false},
        {"Height", QVariant(), false},
        {"Width", 0, false},
        {"Height", -375, false},
        {"Width", kMaxSiteSizeTwips + 1, false},
        {"Width", kMaxSiteSizeTwips, true},
        {"Left", -1, false},
        {"Left", kMaxSiteTwips, true},
        {"Top", kMaxSiteTwips + 1, false},
        {"Left", QStringLiteral("375"), false},
        {"Top", true, false},
        {"Left", 375.5, false},
        {"Height", QVariant::fromValue(1u), true}, // a colour-style unsigned number
        {"TabIndex", kMaxTabIndex + 1, false},
        {"TabIndex", kMaxTabIndex, true},
        {"TabIndex", -1, false},
        {"Width", QVariant::fromValue(qlonglong(1) << 40), false},
        {"ToolTipText", 7, false},
        {"ToolTipText", QString(kMaxToolTipLength + 1, QChar(u'x')), false},
        {"ToolTipText", QString(kMaxToolTipLength, QChar(u'x')), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.key << " = " << c.value.toString().left(9).toStdString());
        Block block = kScanBlock;
        if (c.value.isValid())
            block[QLatin1String(c.key)] = c.value;
        else
            block.remove(QLatin1String(c.key));
        const ButtonSiteResult r = ReadButtonSite(lookupIn(block));
        EXPECT_EQ(r.site.has_value(), c.accepted);
        EXPECT_EQ(r.badKey, c.accepted ? QString() : QLatin1String(c.key));
    }
}

} // namespace
} // namespace folivo
