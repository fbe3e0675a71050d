// The automatic-save window, driven like a user: click the options, answer the folder
// picker, press the buttons, then read the settings file it wrote.
#include "autosave_dialog.h"
#include "dialog_fakes.h"
#include "settings.h"
#include "temp_home.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kAbsent = QStringLiteral("<absent>");

class AutosaveDialogTest : public ::testing::Test {
protected:
    QPointer<frmAutosave> open(const QString& format) {
        auto* dialog = new frmAutosave(format, picker, messages);
        dialog->show();
        return dialog;
    }
    QRadioButton* option(const frmAutosave* d, const char* name) {
        return Child<QRadioButton>(d, QString::fromLatin1(name));
    }
    QLineEdit* folderBox(const frmAutosave* d) {
        return Child<QLineEdit>(d, QStringLiteral("TextOutput"));
    }
    void press(const frmAutosave* d, const char* name) {
        UserClick(Child<QPushButton>(d, QString::fromLatin1(name)));
    }
    static QString stored(const char* section, const char* key) {
        return ReadSetting(QString::fromLatin1(section), QString::fromLatin1(key), kAbsent);
    }
    static void preset(const char* section, const char* key, const QString& value) {
        ASSERT_EQ(WriteSetting(QString::fromLatin1(section), QString::fromLatin1(key), value), 1);
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

TEST_F(AutosaveDialogTest, BmpWithoutSettingsShowsOffWithDesktopDisabled) {
    auto d = open(QStringLiteral("BMP"));
    EXPECT_TRUE(option(d, "OptSave1")->isChecked());
    EXPECT_FALSE(option(d, "OptSave0")->isChecked());
    EXPECT_TRUE(option(d, "OptAutosave0")->isChecked());
    for (const char* name : {"OptAutosave0", "OptAutosave1", "OptAutosave2"})
        EXPECT_FALSE(option(d, name)->isEnabled()) << name;
    EXPECT_FALSE(Child<QGroupBox>(d, QStringLiteral("FrameOutput"))->isEnabled());
    EXPECT_TRUE(folderBox(d)->text().isEmpty());
    EXPECT_FALSE(folderBox(d)->isReadOnly());
    EXPECT_TRUE(picker->initialFolders.isEmpty());
}

TEST_F(AutosaveDialogTest, StoredOtherFolderLoadsWithoutPickerAndSavesTheSameValues) {
    preset("JPEG", "Flag", QStringLiteral("True"));
    preset("JPEG", "Type", QStringLiteral("2"));
    preset("JPEG", "Path", QStringLiteral("/srv/スキャン"));
    auto d = open(QStringLiteral("JPEG"));
    EXPECT_TRUE(option(d, "OptSave0")->isChecked());
    EXPECT_TRUE(option(d, "OptAutosave2")->isChecked());
    EXPECT_TRUE(option(d, "OptAutosave2")->isEnabled());
    EXPECT_EQ(folderBox(d)->text(), QStringLiteral("/srv/スキャン"));
    EXPECT_TRUE(folderBox(d)->isReadOnly());
    EXPECT_TRUE(picker->initialFolders.isEmpty()) << "the load must not open the picker";

    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(stored("JPEG", "Flag"), QStringLiteral("True"));
    EXPECT_EQ(stored("JPEG", "Type"), QStringLiteral("2"));
    EXPECT_EQ(stored("JPEG", "Path"), QStringLiteral("/srv/スキャン"));
}

TEST_F(AutosaveDialogTest, PickerStartsAtProgramFolderAndItsAnswerIsSaved) {
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptSave0"));
    ASSERT_TRUE(option(d, "OptAutosave2")->isEnabled());
    picker->answers = {QStringLiteral("/data/pages")};
    UserClick(option(d, "OptAutosave2"));
    ASSERT_EQ(picker->initialFolders, QStringList{home.path()});
    EXPECT_EQ(picker->owners.front(), d.data());
    EXPECT_EQ(folderBox(d)->text(), QStringLiteral("/data/pages"));
    EXPECT_TRUE(folderBox(d)->isReadOnly());
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(stored("BMP", "Flag"), QStringLiteral("True"));
    EXPECT_EQ(stored("BMP", "Type"), QStringLiteral("2"));
    EXPECT_EQ(stored("BMP", "Path"), QStringLiteral("/data/pages"));
}

// Choosing "その他" with the picker cancelled keeps what the folder box held; an empty box
// then cannot be saved.
TEST_F(AutosaveDialogTest, CancelledPickerKeepsTheBoxTextAndAnEmptyBoxCannotBeSaved) {
    for (const QString& typed : {QStringLiteral("/typed/dir"), QString()}) {
        SCOPED_TRACE(typed.toStdString());
        auto d = open(QStringLiteral("PDF"));
        UserClick(option(d, "OptSave0"));
        folderBox(d)->setFocus();
        QTest::keyClicks(folderBox(d), typed);
        UserClick(option(d, "OptAutosave2")); // the fake picker answers "" = cancelled
        EXPECT_EQ(folderBox(d)->text(), typed);
        press(d, "CmdSave");
        if (!typed.isEmpty()) {
            EXPECT_TRUE(Closed(d));
            EXPECT_EQ(stored("PDF", "Path"), typed);
            QFile::remove(SettingsFilePath());
            continue;
        }
        EXPECT_FALSE(Closed(d)) << "the window stays open for a folder";
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, QString::fromUtf16(kNoOutputFolder));
        EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kNoOutputFolder));
        EXPECT_FALSE(QFile::exists(SettingsFilePath())) << "nothing may be written";
    }
}

TEST_F(AutosaveDialogTest, OffWritesOnlyFlagAndReopensWithFolderOptionKeptButDisabled) {
    preset("JPEG", "Flag", QStringLiteral("True"));
    preset("JPEG", "Type", QStringLiteral("1"));
    preset("JPEG", "Path", QString());
    auto d = open(QStringLiteral("JPEG"));
    ASSERT_TRUE(option(d, "OptAutosave1")->isChecked());
    UserClick(option(d, "OptSave1"));
    EXPECT_FALSE(option(d, "OptAutosave1")->isEnabled());
    press(d, "CmdSave");
    ASSERT_TRUE(Closed(d));
    EXPECT_EQ(stored("JPEG", "Flag"), QStringLiteral("False"));
    EXPECT_EQ(stored("JPEG", "Type"), QStringLiteral("1"));

    auto again = open(QStringLiteral("JPEG"));
    EXPECT_TRUE(option(again, "OptSave1")->isChecked());
    EXPECT_TRUE(option(again, "OptAutosave1")->isChecked());
    EXPECT_FALSE(option(again, "OptAutosave1")->isEnabled());
}

TEST_F(AutosaveDialogTest, OffAfterChoosingAFolderStoresNoTypeOrPath) {
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptSave0"));
    picker->answers = {QStringLiteral("/chosen")};
    UserClick(option(d, "OptAutosave2"));
    UserClick(option(d, "OptSave1"));
    press(d, "CmdSave");
    ASSERT_TRUE(Closed(d));
    EXPECT_EQ(stored("BMP", "Flag"), QStringLiteral("False"));
    EXPECT_EQ(stored("BMP", "Type"), kAbsent);
    EXPECT_EQ(stored("BMP", "Path"), kAbsent);
}

TEST_F(AutosaveDialogTest, MyDocumentsWritesTypeOneAndEmptyPath) {
    preset("PDF", "Flag", QStringLiteral("True"));
    preset("PDF", "Type", QStringLiteral("2"));
    preset("PDF", "Path", QStringLiteral("/old/folder"));
    auto d = open(QStringLiteral("PDF"));
    UserClick(option(d, "OptAutosave1"));
    EXPECT_TRUE(picker->initialFolders.isEmpty());
    press(d, "CmdSave");
    ASSERT_TRUE(Closed(d));
    EXPECT_EQ(stored("PDF", "Type"), QStringLiteral("1"));
    EXPECT_EQ(stored("PDF", "Path"), QString()) << "key present and empty";
}

TEST_F(AutosaveDialogTest, DisabledFolderOptionsIgnoreClicks) {
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptAutosave2"));
    EXPECT_TRUE(picker->initialFolders.isEmpty());
    EXPECT_TRUE(option(d, "OptAutosave0")->isChecked());
}

TEST_F(AutosaveDialogTest, OtherFolderClickedAgainAsksAgain) {
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptSave0"));
    picker->answers = {QStringLiteral("/first"), QStringLiteral("/second")};
    UserClick(option(d, "OptAutosave2"));
    UserClick(option(d, "OptAutosave2"));
    EXPECT_EQ(picker->initialFolders.size(), 2);
    EXPECT_EQ(d->choice().folder, QStringLiteral("/second"));
}

// Flag must be exactly "True" to show "する"; any type but "1" and "2" shows the Desktop,
// and the window then stores the Desktop it shows.
TEST_F(AutosaveDialogTest, LoadSelectsAsStoredAndSavesWhatItShows) {
    const struct {
        const char* flag;
        const char* type;
        const char* checkedSave;
        const char* checkedFolder;
        const char* storedType;
    } cases[] = {{"true", "1", "OptSave1", "OptAutosave1", "1"},
                 {"1", "0", "OptSave1", "OptAutosave0", "0"},
                 {"True", "7", "OptSave0", "OptAutosave0", "0"},
                 {"True", "", "OptSave0", "OptAutosave0", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.flag) + "/" + c.type);
        preset("BMP", "Flag", QString::fromLatin1(c.flag));
        preset("BMP", "Type", QString::fromLatin1(c.type));
        auto d = open(QStringLiteral("BMP"));
        EXPECT_TRUE(option(d, c.checkedSave)->isChecked());
        EXPECT_TRUE(option(d, c.checkedFolder)->isChecked());
        UserClick(option(d, "OptSave0"));
        press(d, "CmdSave");
        ASSERT_TRUE(Closed(d));
        EXPECT_EQ(stored("BMP", "Type"), QString::fromLatin1(c.storedType));
    }
}

TEST_F(AutosaveDialogTest, CloseLeavesTheFileByteIdentical) {
    preset("BMP", "Flag", QStringLiteral("False"));
    preset("BMP", "Type", QStringLiteral("0"));
    const QByteArray before = FileBytes(SettingsFilePath());
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptSave0"));
    UserClick(option(d, "OptAutosave1"));
    press(d, "CmdClose");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(FileBytes(SettingsFilePath()), before);
}

TEST_F(AutosaveDialogTest, ReadOnlySettingsFileStillClosesWithoutChange) {
    preset("BMP", "Flag", QStringLiteral("False"));
    const QByteArray before = FileBytes(SettingsFilePath());
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::ReadGroup);
    auto d = open(QStringLiteral("BMP"));
    UserClick(option(d, "OptSave0"));
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_TRUE(messages.shown.empty()) << "a failed write is not reported";
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FileBytes(SettingsFilePath()), before);
}

// The chain of writes: a failed write skips the later ones.
TEST(AutosaveStore, WritesInOrderAndStopsAtTheFirstFailure) {
    const AutosaveChoice onOther{QStringLiteral("True"), QStringLiteral("2"), QStringLiteral("/f")};
    const AutosaveChoice onDesktop{QStringLiteral("True"), QStringLiteral("0"),
                                   QStringLiteral("/f")};
    const AutosaveChoice off{QStringLiteral("False"), QStringLiteral("2"), QStringLiteral("/f")};
    const struct {
        AutosaveChoice choice;
        int failAt; // 1-based call that answers 0; 0 = none fails
        QStringList expected;
    } cases[] = {{onOther, 0, {"JPEG/Flag=True", "JPEG/Type=2", "JPEG/Path=/f"}},
                 {onDesktop, 0, {"JPEG/Flag=True", "JPEG/Type=0", "JPEG/Path="}},
                 {onOther, 1, {"JPEG/Flag=True"}},
                 {onOther, 2, {"JPEG/Flag=True", "JPEG/Type=2"}},
                 {off, 0, {"JPEG/Flag=False"}}};
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
