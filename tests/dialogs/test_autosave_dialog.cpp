// The automatic-save window, driven like a user: click the options, answer the folder
// picker, press the buttons, then read the settings file it wrote.
#include "autosave_dialog.h"
#include "dialog_fakes.h"

#include <QLineEdit>

using namespace folivo;
using namespace folivo::test;

namespace {

class AutosaveDialogTest : public ::testing::Test {
protected:
    QPointer<frmAutosave> open() {
        auto* dialog = new frmAutosave(QStringLiteral("BMP"), picker, messages);
        dialog->show();
        return dialog;
    }
    static QLineEdit* folderBox(const frmAutosave* d) { return Child<QLineEdit>(d, "TextOutput"); }
    static bool enabled(const frmAutosave* d, const char* name) {
        return Child<QWidget>(d, name)->isEnabled();
    }
    static void preset(const QStringList& entries) {
        for (const QString& entry : entries)
            Preset("BMP", qPrintable(entry.section(u'=', 0, 0)), entry.section(u'=', 1));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmAutosave*>(w))
                delete w;
    }

    TempHome home;
    std::shared_ptr<FakeFolderPicker> picker = std::make_shared<FakeFolderPicker>();
    FakeMessageBoxes messages;
};

// Flag must be exactly "True" to show "する"; any type but "1" and "2" shows the Desktop.
// The picker opens only when "その他" is clicked (again), at the program folder; "off"
// stores only the flag.
TEST_F(AutosaveDialogTest, EachWayThroughTheWindowStoresWhatItShows) {
    const struct {
        const char *stored, *shown, *clicks, *answers; // "+text" types into the folder box
        int asked;                                     // folder picker calls
        const char* saved;
    } cases[] = {
        {"Flag=True Type=2 Path=/srv/スキャン", "OptSave0 OptAutosave2", "", "", 0,
         "Flag=True Type=2 Path=/srv/スキャン"},
        {"", "OptSave1 OptAutosave0", "OptSave0 OptAutosave2", "/data", 1,
         "Flag=True Type=2 Path=/data"},
        {"", "", "OptSave0 OptAutosave2 OptAutosave2", "/first /second", 2, "Type=2 Path=/second"},
        {"", "", "OptSave0 +/typed/dir OptAutosave2", "", 1, "Type=2 Path=/typed/dir"},
        {"", "", "OptSave0 OptAutosave2 OptSave1", "/chosen", 1,
         "Flag=False Type=<absent> Path=<absent>"},
        {"Flag=True Type=1 Path=", "OptSave0 OptAutosave1", "OptSave1", "", 0, "Flag=False Type=1"},
        {"Flag=True Type=2 Path=/old", "", "OptAutosave1", "", 0, "Type=1 Path="},
        {"", "", "OptAutosave2 OptAutosave1", "/never", 0, "Flag=False Type=<absent>"},
        {"Flag=true Type=1", "OptSave1 OptAutosave1", "OptSave0", "", 0, "Type=1"},
        {"Flag=1 Type=0", "OptSave1 OptAutosave0", "OptSave0", "", 0, "Type=0"},
        {"Flag=True Type=7", "OptSave0 OptAutosave0", "", "", 0, "Type=0"},
        {"Flag=True Type=", "OptAutosave0", "", "", 0, "Type=0"},
    };
    const auto words = [](const char* text) {
        return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " / " + c.clicks);
        QFile::remove(SettingsFilePath());
        preset(words(c.stored));
        *picker = FakeFolderPicker();
        picker->answers = words(c.answers);
        auto d = open();
        for (const QString& option : words(c.shown))
            EXPECT_TRUE(Checked(d, qPrintable(option))) << option.toStdString();
        for (const QString& click : words(c.clicks)) {
            if (click.startsWith(u'+'))
                QTest::keyClicks(folderBox(d), click.mid(1));
            else
                Click(d, qPrintable(click));
        }
        EXPECT_EQ(picker->initialFolders, QStringList(c.asked, home.path()));
        for (QWidget* owner : picker->owners)
            EXPECT_EQ(owner, d.data());
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_TRUE(messages.shown.empty());
        for (const QString& entry : words(c.saved))
            EXPECT_EQ(Stored("BMP", qPrintable(entry.section(u'=', 0, 0))), entry.section(u'=', 1))
                << entry.toStdString();
    }
}

// Without "する" the folder options are shown but cannot be used; a chosen folder cannot
// be typed over.
TEST_F(AutosaveDialogTest, FolderOptionsFollowTheSaveChoice) {
    preset({"Flag=False", "Type=2", "Path=/kept"});
    auto d = open();
    EXPECT_TRUE(Checked(d, "OptAutosave2"));
    for (const char* name : {"OptAutosave0", "OptAutosave1", "OptAutosave2", "FrameOutput"})
        EXPECT_FALSE(enabled(d, name)) << name;
    Click(d, "OptSave0");
    EXPECT_TRUE(enabled(d, "OptAutosave2"));
    EXPECT_EQ(folderBox(d)->text(), QStringLiteral("/kept"));
    EXPECT_TRUE(folderBox(d)->isReadOnly());
}

TEST_F(AutosaveDialogTest, AnEmptyFolderCannotBeSaved) {
    auto d = open();
    EXPECT_FALSE(folderBox(d)->isReadOnly());
    Click(d, "OptSave0");
    Click(d, "OptAutosave2"); // the picker is cancelled
    Click(d, "CmdSave");
    EXPECT_FALSE(Closed(d)) << "the window stays open for a folder";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QString::fromUtf16(kNoOutputFolder));
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kNoOutputFolder));
    EXPECT_FALSE(QFile::exists(SettingsFilePath())) << "nothing may be written";
}

// Closing never writes; a settings file that cannot be written is not reported.
TEST_F(AutosaveDialogTest, CloseOrAReadOnlyFileLeavesTheFileByteIdentical) {
    preset({"Flag=False", "Type=0"});
    const QByteArray before = SettingsBytes();
    for (const char* button : {"CmdClose", "CmdSave"}) {
        if (QLatin1String(button) == QLatin1String("CmdSave"))
            QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner);
        auto d = open();
        Click(d, "OptSave0");
        Click(d, "OptAutosave1");
        Click(d, button);
        EXPECT_TRUE(Closed(d)) << button;
    }
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(SettingsBytes(), before);
}

// The chain of writes: a failed write skips the later ones.
TEST(AutosaveStore, WritesInOrderAndStopsAtTheFirstFailure) {
    const auto choice = [](const char* flag, const char* type) {
        return AutosaveChoice{QLatin1String(flag), QLatin1String(type), QStringLiteral("/f")};
    };
    const struct {
        AutosaveChoice choice;
        int failAt; // 1-based call that answers 0; 0 = none fails
        QStringList expected;
    } cases[] = {{choice("True", "2"), 0, {"JPEG/Flag=True", "JPEG/Type=2", "JPEG/Path=/f"}},
                 {choice("True", "0"), 0, {"JPEG/Flag=True", "JPEG/Type=0", "JPEG/Path="}},
                 {choice("True", "1"), 0, {"JPEG/Flag=True", "JPEG/Type=1", "JPEG/Path="}},
                 {choice("True", "2"), 1, {"JPEG/Flag=True"}},
                 {choice("True", "2"), 2, {"JPEG/Flag=True", "JPEG/Type=2"}},
                 {choice("False", "2"), 0, {"JPEG/Flag=False"}}};
    for (const auto& c : cases) {
        QStringList calls;
        StoreAutosaveChoice(QStringLiteral("JPEG"), c.choice,
                            [&](const QString& section, const QString& key, const QString& value) {
                                calls << section + u'/' + key + u'=' + value;
                                return calls.size() == c.failAt ? 0 : 1;
                            });
        EXPECT_EQ(calls, c.expected);
    }
}

} // namespace
