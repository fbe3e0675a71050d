// The settings and information windows driven like a user (click the options, answer the
// folder picker, press the buttons, read the settings back), the controller of these
// modeless windows, and the registry reader.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "dialog_ports.h"
#include "fake_message_boxes.h"
#include "ocr_setting.h"
#include "platform_ports.h"
#include "program_state.h"
#include "settings.h"
#include "settings_windows.h"
#include "system_info.h"
#include "temp_home.h"
#include "ui_ports.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace folivo::test {

// Answers the queued folders (none left: cancelled), records each owner and start folder.
class FakeFolderPicker final : public FolderPicker {
public:
    QString BrowseForFolder(QWidget* owner, const QString& initialFolder) override {
        owners.push_back(owner);
        initialFolders << initialFolder;
        return answers.empty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    std::vector<QWidget*> owners;
    QStringList initialFolders;
};

// Records every key asked for, in order.
class FakeRegistry final : public Registry {
public:
    void set(const QString& key, const QString& name, std::uint32_t type, QByteArray data) {
        values[key + u'\\' + name] = RegistryValue{type, std::move(data)};
    }
    std::optional<RegistryValue> queryValue(std::uint32_t, const QString& keyPath,
                                            const QString& valueName) override {
        const auto it = values.find(keyPath + u'\\' + valueName);
        return it == values.end() ? std::nullopt : std::optional(it.value());
    }
    QMap<QString, RegistryValue> values;
};

// Finds no program, so nothing is ever started.
class NoProgramLauncher final : public ProcessLauncher {
public:
    QString findExecutable(const QString&) override { return {}; }
    bool startDetached(const QString&) override { return false; }
};

class FakeUrlOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl&) override { return true; }
};

template <typename T> T* Child(const QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << "no control named " << name;
    return child;
}

// A click where a user aims: on the indicator of an option button, the middle of a button.
inline void UserClick(QAbstractButton* button) {
    const bool option = button->inherits("QRadioButton") || button->inherits("QCheckBox");
    const QPoint at = option ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}
inline void Click(const QWidget* window, const char* name) {
    UserClick(Child<QAbstractButton>(window, name));
}
inline void AccessibleToggle(QAbstractButton* button) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_TRUE(accessible && accessible->actionInterface());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}
inline bool Checked(const QWidget* window, const char* name) {
    return Child<QAbstractButton>(window, name)->isChecked();
}

// Whether a window the user closed is gone (deleted) or at least hidden.
template <typename W> bool Closed(const QPointer<W>& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull() || !window->isVisible();
}

inline const QString kAbsent = QStringLiteral("<absent>");
inline QString Stored(const char* section, const char* key) {
    return ReadSetting(QLatin1String(section), QLatin1String(key), kAbsent);
}
inline void Preset(const char* section, const char* key, const QString& value) {
    EXPECT_EQ(WriteSetting(QLatin1String(section), QLatin1String(key), value), 1);
}
inline QByteArray SettingsBytes() {
    QFile file(SettingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace folivo::test

using namespace folivo;
using namespace folivo::test;

namespace {

QStringList Words(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}
// Stores, or expects stored, each "Key=Value" of `entries` in `section`.
void PresetAll(const char* section, const char* entries) {
    for (const QString& entry : Words(entries))
        Preset(section, qPrintable(entry.section(u'=', 0, 0)), entry.section(u'=', 1));
}
void ExpectStored(const char* section, const char* entries) {
    for (const QString& entry : Words(entries))
        EXPECT_EQ(Stored(section, qPrintable(entry.section(u'=', 0, 0))), entry.section(u'=', 1))
            << entry.toStdString();
}

class SettingsDialogTest : public ::testing::Test {
protected:
    template <typename D, typename... A> QPointer<D> open(A&&... args) {
        auto* dialog = new D(std::forward<A>(args)...);
        dialog->show();
        return dialog;
    }
    QPointer<frmAutosave> autosave() {
        return open<frmAutosave>(QStringLiteral("BMP"), picker, messages);
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(w))
                w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempHome home;
    std::shared_ptr<FakeFolderPicker> picker = std::make_shared<FakeFolderPicker>();
    FakeMessageBoxes messages;
};

// Flag must be exactly "True" to show "する"; any type but "1" and "2" shows the Desktop.
// The picker opens only when "その他" is clicked (again) while "する" is on, at the program
// folder; "off" stores only the flag, and a folder other than "その他" is stored empty.
// "!name" changes an option through the accessibility toggle action, as a screen reader
// does: the rules follow it as they follow a click.
TEST_F(SettingsDialogTest, EachWayThroughTheAutosaveWindowStoresWhatItShows) {
    const struct {
        const char *stored, *shown, *clicks, *answers; // "+text" types into the folder box
        int asked;                                     // folder picker calls
        const char* saved;
    } cases[] = {
        {"Flag=True Type=2 Path=/srv/スキャン", "OptSave0 OptAutosave2", "", "", 0,
         "Flag=True Type=2 Path=/srv/スキャン"},
        {"", "OptSave1 OptAutosave0", "OptSave0 OptAutosave2", "/data", 1,
         "Flag=True Type=2 Path=/data"},
        {"", "", "OptSave0 +/typed/dir OptAutosave2", "", 1, "Type=2 Path=/typed/dir"},
        {"", "", "OptSave0 OptAutosave2 OptSave1", "/chosen", 1,
         "Flag=False Type=<absent> Path=<absent>"},
        {"Flag=True Type=2 Path=/old", "", "OptAutosave1", "", 0, "Type=1 Path="},
        {"", "", "OptAutosave2 OptAutosave1", "/never", 0, "Flag=False Type=<absent>"},
        {"Flag=true Type=1", "OptSave1 OptAutosave1", "OptSave0", "", 0, "Type=1"},
        {"Flag=True Type=7", "OptSave0 OptAutosave0", "", "", 0, "Type=0"},
        {"Flag=True Type=2 Path=/old", "", "OptAutosave2", "/new", 1, "Type=2 Path=/new"},
        {"", "", "!OptSave0 !OptAutosave1", "", 0, "Flag=True Type=1 Path="},
        {"", "", "!OptSave0 !OptAutosave2", "/spoken", 1, "Flag=True Type=2 Path=/spoken"},
        {"Flag=True Type=1", "", "!OptSave1", "", 0, "Flag=False Type=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " / " + c.clicks);
        QFile::remove(SettingsFilePath());
        PresetAll("BMP", c.stored);
        *picker = FakeFolderPicker();
        picker->answers = Words(c.answers);
        auto d = autosave();
        for (const QString& option : Words(c.shown))
            EXPECT_TRUE(Checked(d, qPrintable(option))) << option.toStdString();
        for (const QString& click : Words(c.clicks)) {
            if (click.startsWith(u'+'))
                QTest::keyClicks(Child<QLineEdit>(d, "TextOutput"), click.mid(1));
            else if (click.startsWith(u'!'))
                AccessibleToggle(Child<QAbstractButton>(d, qPrintable(click.mid(1))));
            else
                Click(d, qPrintable(click));
        }
        EXPECT_EQ(picker->initialFolders, QStringList(c.asked, home.path()));
        for (QWidget* owner : picker->owners)
            EXPECT_EQ(owner, d.data());
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_TRUE(messages.shown.empty());
        ExpectStored("BMP", c.saved);
    }
}

TEST_F(SettingsDialogTest, AnEmptyFolderCannotBeSaved) {
    auto d = autosave();
    Click(d, "OptSave0");
    Click(d, "OptAutosave2"); // the picker is cancelled
    Click(d, "CmdSave");
    EXPECT_FALSE(Closed(d)) << "the window stays open for a folder";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kNoOutputFolder));
    EXPECT_FALSE(QFile::exists(SettingsFilePath())) << "nothing may be written";
}

// The chain of writes: a failed write skips the later ones.
TEST(AutosaveStore, WritesInOrderAndStopsAtTheFirstFailure) {
    const struct {
        const char *flag, *type;
        int failAt; // 1-based call that answers 0; 0 = none fails
        const char* expected;
    } cases[] = {{"True", "2", 0, "Flag=True Type=2 Path=/f"},
                 {"True", "0", 0, "Flag=True Type=0 Path="},
                 {"True", "1", 0, "Flag=True Type=1 Path="},
                 {"True", "2", 2, "Flag=True Type=2"},
                 {"False", "2", 0, "Flag=False"}};
    for (const auto& c : cases) {
        QStringList calls;
        StoreAutosaveChoice(QStringLiteral("JPEG"),
                            {QLatin1String(c.flag), QLatin1String(c.type), QStringLiteral("/f")},
                            [&](const QString& section, const QString& key, const QString& value) {
                                EXPECT_EQ(section, QStringLiteral("JPEG"));
                                calls << key + u'=' + value;
                                return calls.size() == c.failAt ? 0 : 1;
                            });
        EXPECT_EQ(calls, Words(c.expected)) << c.expected;
    }
}

// Each stored level is shown, or no step for a number out of the list; then a step button
// may be pressed ("" = none) and the window saved.
TEST_F(SettingsDialogTest, StoredLevelIsShownStepsStayInTheListAndSaveStoresTheIndex) {
    const struct {
        const char* level; // nullptr: no setting
        int shown;
        const char *button, *saved;
    } cases[] = {
        {nullptr, 5, "", "5"},     {"0", 0, "cmdDown", "0"}, {"20", 20, "cmdUP", "20"},
        {"19", 19, "cmdUP", "20"}, {"1", 1, "cmdDown", "0"}, {"21", -1, "cmdDown", "0"},
        {"-1", -1, "", "-1"},      {"abc", 5, "", "5"},      {"99999999999", -1, "", "-1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level ? c.level : "none");
        QFile::remove(SettingsFilePath());
        if (c.level)
            Preset("JPEG", "Complevel", QLatin1String(c.level));
        auto d = open<frmCompJPEG>();
        auto* combo = Child<QComboBox>(d, "ComboComp");
        EXPECT_EQ(combo->currentIndex(), c.shown);
        EXPECT_EQ(combo->currentText(), c.shown < 0 ? QString() : QString::number(c.shown * 5));
        if (*c.button)
            Click(d, c.button);
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_EQ(Stored("JPEG", "Complevel"), QLatin1String(c.saved));
    }
}

// Only the exact "False" shows standard encoding and only the exact "True" compression;
// the PDF image is "Jpeg" in any letter case, else lossless, and can be chosen only while
// compression is. Each window stores what it shows.
TEST_F(SettingsDialogTest, ChoicesShownOnlyForExactTextsAndSavedAsChosen) {
    const struct {
        const char *section, *stored, *shown, *click, *saved;
    } cases[] = {
        {"JPEG", "", "OptEnc0", "", "Encode=False"},
        {"JPEG", "Encode=False", "OptEnc0", "OptEnc1", "Encode=True"},
        {"JPEG", "Encode=false", "OptEnc1", "", "Encode=True"},
        {"JPEG", "Encode=True", "OptEnc1", "OptEnc0", "Encode=False"},
        {"PDF", "", "OptComp0", "", "Comp=True"},
        {"PDF", "Comp=true", "OptComp1", "", "Comp=False"},
        {"PDF", "Comp=False", "OptComp1", "OptComp0", "Comp=True"},
        {"PDF", "Comp=True", "OptComp0", "OptComp1", "Comp=False"},
        {"PDF", "", "OptImage0", "OptImage1", "Image=Jpeg"},
        {"PDF", "Image=JPEG", "OptImage1", "OptImage0", "Image=Lossless"},
        {"PDF", "Image=Photo", "OptImage0", "", "Image=Lossless"},
        {"PDF", "Comp=False Image=Jpeg", "OptImage1", "", "Image=Jpeg"},
        {"PDF", "Ocr=true OcrLanguage=eng", "ChkOcr", "ChkOcr", "Ocr=False OcrLanguage=eng"},
        {"PDF", "Ocr=yes OcrLanguage=fra", "OptComp0", "ChkOcr", "Ocr=True OcrLanguage=jpn+eng"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " " + c.stored);
        QFile::remove(SettingsFilePath());
        PresetAll(c.section, c.stored);
        const bool pdf = c.section == std::string("PDF");
        QPointer<QWidget> d = pdf ? static_cast<QWidget*>(open<frmCompPDF>())
                                  : static_cast<QWidget*>(open<frmCompJPEG>());
        EXPECT_TRUE(Checked(d, c.shown));
        if (pdf) {
            EXPECT_EQ(Child<QGroupBox>(d, "FrameImage")->isEnabled(), Checked(d, "OptComp0"));
        }
        for (const QString& click : Words(c.click))
            Click(d, qPrintable(click));
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        ExpectStored(c.section, c.saved);
    }
}

// Without the chosen language's models the option cannot be taken, says why, and is
// stored off; a language whose models are there can be.
TEST_F(SettingsDialogTest, TextRecognitionIsGreyedOutWhileItsModelsAreMissing) {
    SetOcrModelCheck([](OcrLanguage language) {
        return language == OcrLanguage::English ? QString() : QStringLiteral("jpn_vert");
    });
    Preset("PDF", "Ocr", QStringLiteral("True"));
    QPointer<frmCompPDF> d = open<frmCompPDF>();
    EXPECT_FALSE(Child<QAbstractButton>(d, "ChkOcr")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(d, "lblOcrReason")->text().contains(u"jpn_vert"));
    Click(d, "CmdSave");
    ExpectStored("PDF", "Ocr=False");
    d = open<frmCompPDF>();
    Child<QComboBox>(d, "ComboOcrLanguage")->setCurrentIndex(2);
    EXPECT_TRUE(Child<QAbstractButton>(d, "ChkOcr")->isEnabled());
    Click(d, "ChkOcr");
    Click(d, "CmdSave");
    ExpectStored("PDF", "Ocr=True OcrLanguage=eng");
    SetOcrModelCheck({});
}

// Closing never writes; a settings file that cannot be written is not reported.
TEST_F(SettingsDialogTest, CloseOrAReadOnlyFileLeavesTheFileByteIdentical) {
    Preset("JPEG", "Encode", QStringLiteral("True"));
    Preset("PDF", "Comp", QStringLiteral("True"));
    Preset("BMP", "Flag", QStringLiteral("False"));
    const QByteArray before = SettingsBytes();
    // "x" is the close box.
    const auto changed = [](auto d, const char* clicks) {
        for (const QString& name : Words(clicks))
            name == u'x' ? void(d->close()) : Click(d, qPrintable(name));
        EXPECT_TRUE(Closed(d)) << clicks;
    };
    changed(open<frmCompJPEG>(), "OptEnc0 cmdDown CmdClose");
    changed(open<frmCompPDF>(), "OptComp1 x");
    changed(autosave(), "OptSave0 OptAutosave1 CmdClose");
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner);
    changed(open<frmCompPDF>(), "OptComp1 CmdSave");
    changed(autosave(), "OptSave0 OptAutosave1 CmdSave");
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(SettingsBytes(), before);
}

const QString kKey1 = QString::fromUtf16(kSystemInfoKey1);

class SettingsWindowsTest : public SettingsDialogTest {
protected:
    SettingsWindowsTest() {
        main->show();
        windows = new SettingsWindows(main.get(), state, messages,
                                      DialogServices{picker, registry, launcher, opener});
    }
    QList<QWidget*> all() const {
        return {windows->autosaveWindow(), windows->jpegWindow(), windows->pdfWindow(),
                windows->aboutWindow()};
    }
    void showAll() {
        windows->showAutosave(QStringLiteral("JPEG"));
        windows->showCompressionJpeg();
        windows->showCompressionPdf();
        windows->showAbout();
    }

    std::unique_ptr<QWidget> main = std::make_unique<QWidget>();
    ProgramState state;
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<NoProgramLauncher> launcher = std::make_shared<NoProgramLauncher>();
    std::shared_ptr<FakeUrlOpener> opener = std::make_shared<FakeUrlOpener>();
    SettingsWindows* windows = nullptr; // owned by the main window
};

// Closing everything, or the main window going, closes all windows without storing;
// until then each window exists once.
TEST_F(SettingsWindowsTest, CloseAllOrTheMainWindowGoingStoresNothing) {
    for (const bool mainGoes : {false, true}) {
        SCOPED_TRACE(mainGoes);
        Preset("PDF", "Comp", QStringLiteral("True"));
        const QByteArray before = SettingsBytes();
        showAll();
        const QList<QWidget*> first = all();
        windows->pdfWindow()->showMinimized();
        showAll(); // asked again, each window (even a minimised one) is shown once more
        EXPECT_EQ(all(), first);
        EXPECT_FALSE(windows->pdfWindow()->isMinimized());
        EXPECT_EQ(main->findChildren<QDialog*>().size(), 4);
        Click(windows->autosaveWindow(), "OptSave0");
        Click(windows->pdfWindow(), "OptComp1");
        Click(windows->jpegWindow(), "cmdDown");
        if (mainGoes)
            main.reset();
        else
            windows->closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!mainGoes) {
            EXPECT_EQ(all(), QList<QWidget*>(4, nullptr));
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<QDialog*>(w), nullptr);
        EXPECT_EQ(SettingsBytes(), before);
    }
}

TEST(RegistryRead, TrimsOneClosingNulAndConvertsByType) {
    const struct {
        std::uint32_t type;
        QByteArray data;
        bool found;
        QString text;
    } cases[] = {
        {kRegSz, QByteArray("C:\\info.exe\0", 12), true, "C:\\info.exe"},
        {kRegSz, QByteArray("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {kRegSz, QString::fromUtf16(u"情報").toUtf8(), true, QString::fromUtf16(u"情報")},
        {kRegDword, "\xff\xff\xff\xff", true, "4294967295"},
        {kRegDword, "\x01\x02", true, "513"},
        {3, "\x01\x02\x03", true, QString()},
        {kRegSz, QByteArray(1024, 'a'), true, QString(1024, u'a')},
        {kRegSz, QByteArray(1025, 'a'), false, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.left(16).toHex().toStdString());
        FakeRegistry registry;
        registry.set(QStringLiteral("K"), QStringLiteral("V"), c.type, c.data);
        const RegistryText got =
            ReadRegistryText(registry, kHKeyLocalMachine, QStringLiteral("K"), QStringLiteral("V"));
        EXPECT_EQ(got.found, c.found);
        EXPECT_EQ(got.text, c.text);
    }
    NullRegistry none;
    EXPECT_FALSE(ReadRegistryText(none, kHKeyLocalMachine, kKey1, QStringLiteral("PATH")).found);
}

} // namespace
