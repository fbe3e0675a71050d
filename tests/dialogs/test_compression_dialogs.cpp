// The JPEG and PDF compression windows, driven like a user.
#include "compression_dialogs.h"
#include "compression_steps.h"
#include "dialog_fakes.h"
#include "settings.h"
#include "temp_home.h"

#include <QComboBox>
#include <QPointer>
#include <QRadioButton>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kAbsent = QStringLiteral("<absent>");

class CompressionTest : public ::testing::Test {
protected:
    template <typename D> QPointer<D> open() {
        auto* dialog = new D();
        dialog->show();
        return dialog;
    }
    static void preset(const char* section, const char* key, const std::optional<QString>& value) {
        if (value)
            ASSERT_EQ(WriteSetting(QString::fromLatin1(section), QString::fromLatin1(key), *value),
                      1);
        else
            QFile::remove(SettingsFilePath());
    }
    static QString stored(const char* section, const char* key) {
        return ReadSetting(QString::fromLatin1(section), QString::fromLatin1(key), kAbsent);
    }
    static QComboBox* combo(const QWidget* d) {
        return Child<QComboBox>(d, QStringLiteral("ComboComp"));
    }
    static bool checked(const QWidget* d, const char* name) {
        return Child<QRadioButton>(d, QString::fromLatin1(name))->isChecked();
    }
    static void press(const QWidget* d, const char* name) {
        UserClick(Child<QAbstractButton>(d, QString::fromLatin1(name)));
    }
    TempHome home;
};

TEST_F(CompressionTest, StoredEncodingAndLevelAreShownOnlyWhenExact) {
    const struct {
        std::optional<QString> encode;
        const char* shown;
    } encodes[] = {{QStringLiteral("False"), "OptEnc0"},
                   {QStringLiteral("false"), "OptEnc1"},
                   {QStringLiteral("FALSE"), "OptEnc1"},
                   {QStringLiteral("True"), "OptEnc1"},
                   {std::nullopt, "OptEnc0"}};
    for (const auto& c : encodes) {
        SCOPED_TRACE(c.encode.value_or(kAbsent).toStdString());
        preset("JPEG", "Encode", c.encode);
        auto d = open<frmCompJPEG>();
        EXPECT_TRUE(checked(d, c.shown));
        delete d;
    }
    const struct {
        std::optional<QString> level;
        int index;
    } levels[] = {{std::nullopt, 5},
                  {QStringLiteral("0"), 0},
                  {QStringLiteral("5"), 5},
                  {QStringLiteral("20"), 20},
                  {QStringLiteral("21"), -1},
                  {QStringLiteral("-1"), -1},
                  {QString(), 5},
                  {QStringLiteral("4.5"), -1},
                  {QStringLiteral("abc"), 5},
                  {QStringLiteral("99999999999"), -1}};
    for (const auto& c : levels) {
        SCOPED_TRACE(c.level.value_or(kAbsent).toStdString());
        preset("JPEG", "Complevel", c.level);
        auto d = open<frmCompJPEG>();
        EXPECT_EQ(combo(d)->currentIndex(), c.index);
        EXPECT_EQ(combo(d)->currentText(), c.index < 0 ? QString() : QString::number(c.index * 5));
        delete d;
    }
}

TEST_F(CompressionTest, StepButtonsMoveWithinTheList) {
    const struct {
        const char* stored;
        const char* button;
        int expected;
    } cases[] = {{"20", "cmdUP", 20}, {"0", "cmdDown", 0}, {"19", "cmdUP", 20},
                 {"5", "cmdUP", 6},   {"5", "cmdDown", 4}, {"1", "cmdDown", 0},
                 {"21", "cmdUP", 0},  {"21", "cmdDown", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " " + c.button);
        preset("JPEG", "Complevel", QString::fromLatin1(c.stored));
        auto d = open<frmCompJPEG>();
        press(d, c.button);
        EXPECT_EQ(combo(d)->currentIndex(), c.expected);
        delete d;
    }
}

TEST_F(CompressionTest, SaveStoresTheIndexAndEncodingThenCloses) {
    auto d = open<frmCompJPEG>();
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptEnc0")));
    combo(d)->setCurrentIndex(combo(d)->findText(QStringLiteral("25")));
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(stored("JPEG", "Complevel"), QStringLiteral("5"));
    EXPECT_EQ(stored("JPEG", "Encode"), QStringLiteral("False"));

    QFile::remove(SettingsFilePath());
    preset("JPEG", "Complevel", QStringLiteral("21"));
    d = open<frmCompJPEG>();
    press(d, "CmdSave");
    EXPECT_EQ(stored("JPEG", "Complevel"), QStringLiteral("-1"));
    EXPECT_EQ(stored("JPEG", "Encode"), QStringLiteral("False"));
}

TEST_F(CompressionTest, CloseAfterChangesLeavesTheFileByteIdentical) {
    preset("JPEG", "Encode", QStringLiteral("True"));
    preset("PDF", "Comp", QStringLiteral("True"));
    const QByteArray before = FileBytes(SettingsFilePath());
    auto jpeg = open<frmCompJPEG>();
    UserClick(Child<QRadioButton>(jpeg, QStringLiteral("OptEnc0")));
    press(jpeg, "cmdDown");
    press(jpeg, "CmdClose");
    EXPECT_TRUE(Closed(jpeg));
    auto pdf = open<frmCompPDF>();
    UserClick(Child<QRadioButton>(pdf, QStringLiteral("OptComp1")));
    pdf->close(); // the close box
    EXPECT_TRUE(Closed(pdf));
    EXPECT_EQ(FileBytes(SettingsFilePath()), before);
}

TEST_F(CompressionTest, PdfShowsExactTrueAsCompressAndSavesTheChoice) {
    const struct {
        std::optional<QString> stored;
        const char* shown;
        const char* click;
        const char* saved;
    } cases[] = {{std::nullopt, "OptComp0", nullptr, "True"},
                 {QStringLiteral("true"), "OptComp1", nullptr, "False"},
                 {QStringLiteral("False"), "OptComp1", "OptComp0", "True"},
                 {QStringLiteral("True"), "OptComp0", "OptComp1", "False"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or(kAbsent).toStdString());
        preset("PDF", "Comp", c.stored);
        auto d = open<frmCompPDF>();
        EXPECT_TRUE(checked(d, c.shown));
        if (c.click)
            UserClick(Child<QRadioButton>(d, QString::fromLatin1(c.click)));
        press(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_EQ(stored("PDF", "Comp"), QString::fromLatin1(c.saved));
    }
}

TEST_F(CompressionTest, ReadOnlySettingsFileStillCloses) {
    preset("PDF", "Comp", QStringLiteral("True"));
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner);
    auto d = open<frmCompPDF>();
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptComp1")));
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(stored("PDF", "Comp"), QStringLiteral("True"));
}

} // namespace
