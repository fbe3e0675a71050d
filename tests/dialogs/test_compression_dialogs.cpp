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

// Only the exact "False" shows standard encoding; the window stores what it shows.
TEST_F(CompressionTest, EncodingShownOnlyWhenExactAndSavedAsChosen) {
    const struct {
        const char* stored;
        const char* shown;
        const char* click;
        const char* saved;
    } cases[] = {{nullptr, "OptEnc0", nullptr, "False"},
                 {"False", "OptEnc0", "OptEnc1", "True"},
                 {"false", "OptEnc1", nullptr, "True"},
                 {"True", "OptEnc1", "OptEnc0", "False"},
                 {"FALSE", "OptEnc1", "OptEnc0", "False"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        QFile::remove(SettingsFilePath());
        if (c.stored)
            Preset("JPEG", "Encode", QLatin1String(c.stored));
        auto d = open<frmCompJPEG>();
        EXPECT_TRUE(Checked(d, c.shown));
        if (c.click)
            Click(d, c.click);
        Click(d, "CmdSave");
        EXPECT_EQ(Stored("JPEG", "Encode"), QLatin1String(c.saved));
    }
}

TEST_F(CompressionTest, PdfShowsExactTrueAsCompressAndSavesTheChoice) {
    const struct {
        const char* stored;
        const char* shown;
        const char* click;
        const char* saved;
    } cases[] = {{nullptr, "OptComp0", nullptr, "True"},
                 {"true", "OptComp1", nullptr, "False"},
                 {"False", "OptComp1", "OptComp0", "True"},
                 {"True", "OptComp0", "OptComp1", "False"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        QFile::remove(SettingsFilePath());
        if (c.stored)
            Preset("PDF", "Comp", QLatin1String(c.stored));
        auto d = open<frmCompPDF>();
        EXPECT_TRUE(Checked(d, c.shown));
        if (c.click)
            Click(d, c.click);
        Click(d, "CmdSave");
        EXPECT_TRUE(Closed(d));
        EXPECT_EQ(Stored("PDF", "Comp"), QLatin1String(c.saved));
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
