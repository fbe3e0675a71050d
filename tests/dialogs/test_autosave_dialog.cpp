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
    RecordingMessageBoxes messages;
};

TEST_F(AutosaveDialogTest, BmpWithoutSettingsShowsOffWithDesktopDisabled) {
    auto d = open(QStringLiteral("BMP"));
    EXPECT_EQ(d->windowTitle(), QString::fromUtf16(u"[BMP] ファイルの自動保存設定"));
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

TEST_F(AutosaveDialogTest, CaptionsOfTheControls) {
    auto d = open(QStringLiteral("PDF"));
    EXPECT_EQ(d->windowTitle(), QString::fromUtf16(u"[PDF] ファイルの自動保存設定"));
    const std::pair<const char*, const char16_t*> captions[] = {
        {"OptSave0", u"する"},
        {"OptSave1", u"しない"},
        {"OptAutosave0", u"デスクトップ"},
        {"OptAutosave1", u"マイドキュメント"},
        {"OptAutosave2", u"その他"}};
    for (const auto& [name, text] : captions)
        EXPECT_EQ(option(d, name)->text(), QString::fromUtf16(text)) << name;
    EXPECT_EQ(Child<QGroupBox>(d, QStringLiteral("FrameAutoSave"))->title(),
              QString::fromUtf16(u"自動保存処理"));
    EXPECT_EQ(Child<QGroupBox>(d, QStringLiteral("FrameOutput"))->title(),
              QString::fromUtf16(u"出力先の指定"));
    EXPECT_EQ(Child<QPushButton>(d, QStringLiteral("CmdSave"))->text(),
              QString::fromUtf16(u"保存"));
    EXPECT_EQ(Child<QPushButton>(d, QStringLiteral("CmdClose"))->text(),
              QString::fromUtf16(u"閉じる"));
    EXPECT_FALSE(d->isModal());
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
struct CancelCase {
    const char* name;
    QString typed;
    bool saves;
};

class CancelledPicker : public AutosaveDialogTest,
                        public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledPicker, KeepsTheBoxText) {
    const CancelCase& c = GetParam();
    auto d = open(QStringLiteral("PDF"));
    UserClick(option(d, "OptSave0"));
    folderBox(d)->setFocus();
    QTest::keyClicks(folderBox(d), c.typed);
    UserClick(option(d, "OptAutosave2")); // the fake picker answers "" = cancelled
    ASSERT_EQ(picker->initialFolders.size(), 1);
    EXPECT_EQ(folderBox(d)->text(), c.typed);
    press(d, "CmdSave");
    if (c.saves) {
        EXPECT_TRUE(Closed(d));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(stored("PDF", "Type"), QStringLiteral("2"));
        EXPECT_EQ(stored("PDF", "Path"), c.typed);
    } else {
        EXPECT_FALSE(Closed(d)) << "the window stays open for a folder";
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, QString::fromUtf16(kNoOutputFolder));
        EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kNoOutputFolder));
        EXPECT_FALSE(QFile::exists(SettingsFilePath())) << "nothing may be written";
    }
}

INSTANTIATE_TEST_SUITE_P(Autosave, CancelledPicker,
                         ::testing::Values(CancelCase{"EmptyBox", QString(), false},
                                           CancelCase{"TypedFolder", QStringLiteral("/typed/dir"),
                                                      true}),
                         [](const auto& info) { return std::string(info.param.name); });

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
struct LoadCase {
    const char* name;
    QString flag;
    QString type;
    const char* checkedSave;
    const char* checkedFolder;
    QString storedType;
};

class LoadRules : public AutosaveDialogTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadRules, SelectsAsStoredAndSavesWhatItShows) {
    const LoadCase& c = GetParam();
    preset("BMP", "Flag", c.flag);
    preset("BMP", "Type", c.type);
    auto d = open(QStringLiteral("BMP"));
    EXPECT_TRUE(option(d, c.checkedSave)->isChecked());
    EXPECT_TRUE(option(d, c.checkedFolder)->isChecked());
    UserClick(option(d, "OptSave0"));
    press(d, "CmdSave");
    ASSERT_TRUE(Closed(d));
    EXPECT_EQ(stored("BMP", "Type"), c.storedType);
}

INSTANTIATE_TEST_SUITE_P(
    Autosave, LoadRules,
    ::testing::Values(LoadCase{"LowerCaseTrueIsOff", QStringLiteral("true"), QStringLiteral("1"),
                               "OptSave1", "OptAutosave1", QStringLiteral("1")},
                      LoadCase{"NumberIsOff", QStringLiteral("1"), QStringLiteral("0"), "OptSave1",
                               "OptAutosave0", QStringLiteral("0")},
                      LoadCase{"UnknownTypeIsDesktop", QStringLiteral("True"), QStringLiteral("7"),
                               "OptSave0", "OptAutosave0", QStringLiteral("0")},
                      LoadCase{"EmptyTypeIsDesktop", QStringLiteral("True"), QString(), "OptSave0",
                               "OptAutosave0", QStringLiteral("0")}),
    [](const auto& info) { return std::string(info.param.name); });

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
struct ChainCase {
    const char* name;
    AutosaveChoice choice;
    int failAt; // 1-based call that answers 0; 0 = none fails
    QStringList expected;
};

class StoreChain : public ::testing::TestWithParam<ChainCase> {};

TEST_P(StoreChain, WritesInOrderAndStopsAtTheFirstFailure) {
    const ChainCase& c = GetParam();
    QStringList calls;
    StoreAutosaveChoice(QStringLiteral("JPEG"), c.choice,
                        [&](const QString& section, const QString& key, const QString& value) {
                            calls << section + u'/' + key + u'=' + value;
                            return calls.size() == c.failAt ? 0 : 1;
                        });
    EXPECT_EQ(calls, c.expected);
}

const AutosaveChoice kOnOther{QStringLiteral("True"), QStringLiteral("2"), QStringLiteral("/f")};
const AutosaveChoice kOnDesktop{QStringLiteral("True"), QStringLiteral("0"), QStringLiteral("/f")};
const AutosaveChoice kOff{QStringLiteral("False"), QStringLiteral("2"), QStringLiteral("/f")};

INSTANTIATE_TEST_SUITE_P(
    Autosave, StoreChain,
    ::testing::Values(
        ChainCase{"AllThree", kOnOther, 0, {"JPEG/Flag=True", "JPEG/Type=2", "JPEG/Path=/f"}},
        ChainCase{
            "DesktopClearsPath", kOnDesktop, 0, {"JPEG/Flag=True", "JPEG/Type=0", "JPEG/Path="}},
        ChainCase{"FlagFails", kOnOther, 1, {"JPEG/Flag=True"}},
        ChainCase{"TypeFails", kOnOther, 2, {"JPEG/Flag=True", "JPEG/Type=2"}},
        ChainCase{"OffWritesOnlyFlag", kOff, 0, {"JPEG/Flag=False"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
