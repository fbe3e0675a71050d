// The JPEG and PDF compression windows, driven like a user.
#include "compression_dialogs.h"
#include "dialog_fakes.h"

#include <QComboBox>

using namespace folivo;
using namespace folivo::test;

namespace {

class CompressionTest : public ::testing::Test {
protected:
    template <typename D> QPointer<D> open() {
        auto* dialog = new D();
        dialog->show();
        return dialog;
    }
    static QComboBox* combo(const QWidget* d) { return Child<QComboBox>(d, "ComboComp"); }
    TempHome home;
};

// Each stored level is shown, or no step for a number out of the list; then a step button
// may be pressed ("" = none) and the window saved.
TEST_F(CompressionTest, StoredLevelIsShownStepsStayInTheListAndSaveStoresTheIndex) {
    const struct {
        const char* level; // nullptr: no setting
        int shown;
        const char* button;
        const char* saved;
    } cases[] = {
        {nullptr, 5, "", "5"},      {"0", 0, "cmdDown", "0"},     {"20", 20, "cmdUP", "20"},
        {"19", 19, "cmdUP", "20"},  {"1", 1, "cmdDown", "0"},     {"5", 5, "cmdUP", "6"},
        {"21", -1, "cmdDown", "0"}, {"-1", -1, "", "-1"},         {"4.5", -1, "cmdUP", "0"},
        {"abc", 5, "", "5"},        {"99999999999", -1, "", "-1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level ? c.level : "none");
        QFile::remove(SettingsFilePath());
        if (c.level)
            Preset("JPEG", "Complevel", QLatin1String(c.level));
        auto d = open<frmCompJPEG>();
        EXPECT_EQ(combo(d)->currentIndex(), c.shown);
        EXPECT_EQ(combo(d)->currentText(), c.shown < 0 ? QString() : QString::number(c.shown * 5));
        if (*c.button)
            Click(d, c.button);
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_EQ(Stored("JPEG", "Complevel"), QLatin1String(c.saved));
    }
}

// Only the exact "False" shows standard encoding and only the exact "True" compression;
// each window stores what it shows.
TEST_F(CompressionTest, ChoicesShownOnlyForExactTextsAndSavedAsChosen) {
    const struct {
        bool pdf;
        const char *stored, *shown, *click, *saved;
    } cases[] = {
        {false, nullptr, "OptEnc0", nullptr, "False"},
        {false, "False", "OptEnc0", "OptEnc1", "True"},
        {false, "false", "OptEnc1", nullptr, "True"},
        {false, "True", "OptEnc1", "OptEnc0", "False"},
        {false, "FALSE", "OptEnc1", "OptEnc0", "False"},
        {true, nullptr, "OptComp0", nullptr, "True"},
        {true, "true", "OptComp1", nullptr, "False"},
        {true, "False", "OptComp1", "OptComp0", "True"},
        {true, "True", "OptComp0", "OptComp1", "False"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " " + (c.stored ? c.stored : "none"));
        const char* section = c.pdf ? "PDF" : "JPEG";
        const char* key = c.pdf ? "Comp" : "Encode";
        QFile::remove(SettingsFilePath());
        if (c.stored)
            Preset(section, key, QLatin1String(c.stored));
        QPointer<QWidget> d = c.pdf ? static_cast<QWidget*>(open<frmCompPDF>())
                                    : static_cast<QWidget*>(open<frmCompJPEG>());
        EXPECT_TRUE(Checked(d, c.shown));
        if (c.click)
            Click(d, c.click);
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_EQ(Stored(section, key), QLatin1String(c.saved));
    }
}

TEST_F(CompressionTest, CloseAfterChangesLeavesTheFileByteIdentical) {
    Preset("JPEG", "Encode", QStringLiteral("True"));
    Preset("PDF", "Comp", QStringLiteral("True"));
    const QByteArray before = SettingsBytes();
    auto jpeg = open<frmCompJPEG>();
    Click(jpeg, "OptEnc0");
    Click(jpeg, "cmdDown");
    Click(jpeg, "CmdClose");
    EXPECT_TRUE(Closed(jpeg));
    auto pdf = open<frmCompPDF>();
    Click(pdf, "OptComp1");
    pdf->close(); // the close box
    EXPECT_TRUE(Closed(pdf));
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(CompressionTest, ReadOnlySettingsFileStillCloses) {
    Preset("PDF", "Comp", QStringLiteral("True"));
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner);
    auto d = open<frmCompPDF>();
    Click(d, "OptComp1");
    Click(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    QFile::setPermissions(SettingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(Stored("PDF", "Comp"), QStringLiteral("True"));
}

} // namespace
