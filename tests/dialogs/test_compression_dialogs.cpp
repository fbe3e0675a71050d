// The JPEG and PDF compression windows, driven like a user.
#include "compression_dialogs.h"
#include "compression_steps.h"
#include "dialog_fakes.h"
#include "dialog_geometry.h"
#include "settings.h"
#include "temp_home.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
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
    static void preset(const char* section, const char* key, const QString& value) {
        ASSERT_EQ(WriteSetting(QString::fromLatin1(section), QString::fromLatin1(key), value), 1);
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

TEST_F(CompressionTest, WithoutSettingsJpegShowsProgressiveAt100AndPdfCompresses) {
    auto jpeg = open<frmCompJPEG>();
    EXPECT_TRUE(checked(jpeg, "OptEnc1"));
    EXPECT_FALSE(checked(jpeg, "OptEnc0"));
    EXPECT_EQ(combo(jpeg)->currentIndex(), 20);
    EXPECT_EQ(combo(jpeg)->currentText(), QStringLiteral("100"));
    auto pdf = open<frmCompPDF>();
    EXPECT_TRUE(checked(pdf, "OptComp0"));
    delete jpeg;
    delete pdf;
}

TEST_F(CompressionTest, JpegWindowTextsAndList) {
    auto d = open<frmCompJPEG>();
    EXPECT_EQ(d->windowTitle(), QString::fromUtf16(u"JPEG圧縮設定"));
    EXPECT_TRUE(d->windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(d->isModal());
    QStringList items;
    for (int i = 0; i < combo(d)->count(); ++i)
        items << combo(d)->itemText(i);
    EXPECT_EQ(items.size(), 21);
    EXPECT_EQ(items.first(), QStringLiteral("0"));
    EXPECT_EQ(items.at(5), QStringLiteral("25"));
    EXPECT_EQ(items.last(), QStringLiteral("100"));
    EXPECT_FALSE(combo(d)->isEditable());
    const QStringList guide = Child<QLabel>(d, QStringLiteral("lblGuide"))->text().split(u'\n');
    EXPECT_EQ(guide,
              (QStringList{QString::fromUtf16(u"圧縮レベルが高くなると、"),
                           QString::fromUtf16(u"画質が低下してファイルサイズが小さくなります。"),
                           QString(), QString::fromUtf16(u"圧縮レベルが小さくなると、"),
                           QString::fromUtf16(u"画質が良くなりファイルサイズが大きくなります。")}));
    const std::pair<const char*, const char16_t*> texts[] = {
        {"OptEnc0", u"スタンダード　エンコーディング"},
        {"OptEnc1", u"プログレッシブ　エンコーディング"},
        {"cmdUP", u"↑"},
        {"cmdDown", u"↓"},
        {"CmdSave", u"保存"},
        {"CmdClose", u"閉じる"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(Child<QAbstractButton>(d, QString::fromLatin1(name))->text(),
                  QString::fromUtf16(text))
            << name;
    EXPECT_EQ(Child<QLabel>(d, QStringLiteral("lblComp"))->text(),
              QString::fromUtf16(u"圧縮レベル"));
    EXPECT_EQ(Child<QGroupBox>(d, QStringLiteral("FrameEncode"))->title(),
              QString::fromUtf16(u"エンコーディングの選択"));
    EXPECT_EQ(Child<QGroupBox>(d, QStringLiteral("FrameComp"))->title(),
              QString::fromUtf16(u"圧縮"));
    delete d;
}

// At 96 dpi a pixel is 15 twips: the designed positions land on these pixels.
TEST_F(CompressionTest, GeometryFollowsTheTwipsDesignAt96Dpi) {
    auto jpeg = open<frmCompJPEG>();
    ASSERT_DOUBLE_EQ(DialogDpi(jpeg), 96.0);
    EXPECT_EQ(jpeg->size(), QSize(297, 256));
    EXPECT_EQ(Child<QWidget>(jpeg, QStringLiteral("FrameComp"))->geometry(),
              QRect(8, 88, 281, 129));
    EXPECT_EQ(Child<QWidget>(jpeg, QStringLiteral("cmdUP"))->geometry(), QRect(192, 20, 25, 20));
    EXPECT_EQ(Child<QWidget>(jpeg, QStringLiteral("cmdDown"))->geometry(), QRect(216, 20, 25, 20));
    EXPECT_EQ(Child<QWidget>(jpeg, QStringLiteral("CmdSave"))->geometry(), QRect(104, 224, 89, 25));
    auto pdf = open<frmCompPDF>();
    EXPECT_EQ(pdf->size(), QSize(218, 122));
    EXPECT_EQ(Child<QWidget>(pdf, QStringLiteral("OptComp1"))->geometry(), QRect(24, 40, 145, 25));
    EXPECT_EQ(Child<QWidget>(pdf, QStringLiteral("CmdClose"))->geometry(), QRect(112, 88, 89, 25));
    delete jpeg;
    delete pdf;
}

struct EncodeCase {
    const char* name;
    std::optional<QString> stored;
    const char* checked;
};

class JpegEncodeRead : public CompressionTest, public ::testing::WithParamInterface<EncodeCase> {};

TEST_P(JpegEncodeRead, OnlyExactFalseShowsStandard) {
    if (GetParam().stored)
        preset("JPEG", "Encode", *GetParam().stored);
    auto d = open<frmCompJPEG>();
    EXPECT_TRUE(checked(d, GetParam().checked));
    delete d;
}

INSTANTIATE_TEST_SUITE_P(
    Compression, JpegEncodeRead,
    ::testing::Values(EncodeCase{"ExactFalse", QStringLiteral("False"), "OptEnc0"},
                      EncodeCase{"LowerCaseFalse", QStringLiteral("false"), "OptEnc1"},
                      EncodeCase{"UpperCaseFalse", QStringLiteral("FALSE"), "OptEnc1"},
                      EncodeCase{"True", QStringLiteral("True"), "OptEnc1"},
                      EncodeCase{"Absent", std::nullopt, "OptEnc1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LevelCase {
    const char* name;
    std::optional<QString> stored;
    int index;
};

class JpegLevelRead : public CompressionTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(JpegLevelRead, SelectsTheStoredIndexOrNothing) {
    if (GetParam().stored)
        preset("JPEG", "Complevel", *GetParam().stored);
    auto d = open<frmCompJPEG>();
    EXPECT_EQ(combo(d)->currentIndex(), GetParam().index);
    EXPECT_EQ(ParseJpegStep(GetParam().stored.value_or(QStringLiteral("20"))), GetParam().index);
    delete d;
}

INSTANTIATE_TEST_SUITE_P(Compression, JpegLevelRead,
                         ::testing::Values(LevelCase{"Absent", std::nullopt, 20},
                                           LevelCase{"Zero", QStringLiteral("0"), 0},
                                           LevelCase{"Five", QStringLiteral("5"), 5},
                                           LevelCase{"Twenty", QStringLiteral("20"), 20},
                                           LevelCase{"TwentyOne", QStringLiteral("21"), -1},
                                           LevelCase{"Negative", QStringLiteral("-1"), -1},
                                           LevelCase{"Empty", QString(), -1},
                                           LevelCase{"Fraction", QStringLiteral("4.5"), -1},
                                           LevelCase{"Text", QStringLiteral("abc"), -1},
                                           LevelCase{"Huge", QStringLiteral("99999999999"), -1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    QString stored;
    const char* button;
    int expected;
};

class JpegStepButtons : public CompressionTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(JpegStepButtons, MoveWithinTheList) {
    preset("JPEG", "Complevel", GetParam().stored);
    auto d = open<frmCompJPEG>();
    press(d, GetParam().button);
    EXPECT_EQ(combo(d)->currentIndex(), GetParam().expected);
    delete d;
}

INSTANTIATE_TEST_SUITE_P(
    Compression, JpegStepButtons,
    ::testing::Values(StepCase{"UpAt100Stays", QStringLiteral("20"), "cmdUP", 20},
                      StepCase{"DownAt0Stays", QStringLiteral("0"), "cmdDown", 0},
                      StepCase{"UpFrom19", QStringLiteral("19"), "cmdUP", 20},
                      StepCase{"UpFrom5", QStringLiteral("5"), "cmdUP", 6},
                      StepCase{"DownFrom5", QStringLiteral("5"), "cmdDown", 4},
                      StepCase{"DownFrom1", QStringLiteral("1"), "cmdDown", 0},
                      StepCase{"UpFromNothing", QStringLiteral("x"), "cmdUP", 0},
                      StepCase{"DownFromNothing", QStringLiteral("x"), "cmdDown", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompressionTest, SaveStoresTheIndexNotTheLevelText) {
    auto d = open<frmCompJPEG>();
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptEnc0")));
    combo(d)->setCurrentIndex(combo(d)->findText(QStringLiteral("25")));
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(stored("JPEG", "Complevel"), QStringLiteral("5"));
    EXPECT_EQ(stored("JPEG", "Encode"), QStringLiteral("False"));
}

TEST_F(CompressionTest, SaveWithNothingSelectedStoresMinusOne) {
    preset("JPEG", "Complevel", QStringLiteral("abc"));
    auto d = open<frmCompJPEG>();
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(stored("JPEG", "Complevel"), QStringLiteral("-1"));
    EXPECT_EQ(stored("JPEG", "Encode"), QStringLiteral("True"));
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

struct PdfCase {
    const char* name;
    std::optional<QString> stored;
    const char* shown;
    const char* click;
    QString saved;
};

class PdfRoundTrip : public CompressionTest, public ::testing::WithParamInterface<PdfCase> {};

TEST_P(PdfRoundTrip, ShowsExactTrueAsCompressAndSavesTheChoice) {
    const PdfCase& c = GetParam();
    if (c.stored)
        preset("PDF", "Comp", *c.stored);
    auto d = open<frmCompPDF>();
    EXPECT_EQ(d->windowTitle(), QString::fromUtf16(u"PDF圧縮設定"));
    EXPECT_TRUE(checked(d, c.shown));
    if (c.click)
        UserClick(Child<QRadioButton>(d, QString::fromLatin1(c.click)));
    press(d, "CmdSave");
    EXPECT_TRUE(Closed(d));
    EXPECT_EQ(stored("PDF", "Comp"), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Compression, PdfRoundTrip,
    ::testing::Values(PdfCase{"Absent", std::nullopt, "OptComp0", nullptr, QStringLiteral("True")},
                      PdfCase{"LowerCaseTrue", QStringLiteral("true"), "OptComp1", nullptr,
                              QStringLiteral("False")},
                      PdfCase{"False", QStringLiteral("False"), "OptComp1", "OptComp0",
                              QStringLiteral("True")},
                      PdfCase{"TrueSwitchedOff", QStringLiteral("True"), "OptComp0", "OptComp1",
                              QStringLiteral("False")}),
    [](const auto& info) { return std::string(info.param.name); });

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
