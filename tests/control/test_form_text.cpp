// The form text that hosts store control bags in: reading, writing, round trips and the
// faults the reader must reject.
#include "button_fixture.h"
#include "zk_form_text.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

// Comments and blank lines are skipped: the round trip writes none of them.
const char* kToolbarText = "' toolbar\n"
                           "\n"
                           "Begin zkButtonProject.zkButton zkScan\n"
                           "   ' note\n"
                           "   Caption = \"\"\n"
                           "   CaptionAlign = 3\n"
                           "   Font = Font(\"DejaVu Sans\", 9)\n"
                           "   Picture = Picture(\"icons/scan.png\")\n"
                           "   PictureAlign = 4\n"
                           "   ShowFocusRect = False\n"
                           "End\n"
                           "Begin zkButtonProject.zkButton zkExit\n"
                           "   BackColor = &H8000000F&\n"
                           "   Caption = \"E&xit \\\"now\\\"\\n\"\n"
                           "   Font = Font(\"DejaVu Serif\", 10.5, Bold, Strikethrough)\n"
                           "   FocusRectMargin = -2\n"
                           "End\n";

class FormText : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.filePath(QStringLiteral("icons")));
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(0xFF3060C0);
        ASSERT_TRUE(icon.save(dir.filePath(QStringLiteral("icons/scan.png"))));
    }
    QTemporaryDir dir;
};

TEST_F(FormText, ButtonsRestoredFromTextWriteTheSameText) {
    const zkFormText form = zk::form::parse(kToolbarText, dir.path());
    ASSERT_TRUE(form.ok());
    QList<zkFormControl> saved;
    for (const zkFormControl& control : form.controls) {
        Rig rig;
        rig.host->name = control.name;
        rig.host->back = 0x8000000F;
        ASSERT_FALSE(rig->ReadProperties(*control.bag).failed());
        auto bag = std::make_shared<zkMemoryPropertyBag>();
        ASSERT_FALSE(rig->WriteProperties(*bag).failed());
        saved.append({control.className, control.name, bag});
    }
    // Comments and keys holding defaults (the ambient font and back colour) are not
    // written; the rest comes out as it was read, in save order.
    QByteArray expected;
    for (const QByteArray& line : QByteArray(kToolbarText).split('\n'))
        if (!line.isEmpty() && !line.trimmed().startsWith('\'') && !line.contains("BackColor") &&
            !line.contains("Sans"))
            expected += line + '\n';
    EXPECT_EQ(zk::form::write(saved), expected);
    // Written to a file it reads back, pictures relative to the file's folder, into the
    // same text; a file that cannot be made fails.
    const QString path = dir.filePath(QStringLiteral("main.form"));
    ASSERT_FALSE(zk::form::writeFile(path, saved).failed());
    const zkFormText again = zk::form::readFile(path);
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(zk::form::write(again.controls), expected);
    EXPECT_TRUE(
        zk::form::writeFile(dir.filePath(QStringLiteral("no/such/x.form")), saved).failed());
}

TEST_F(FormText, InMemoryPicturesTravelAsData) {
    auto bag = std::make_shared<zkMemoryPropertyBag>();
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(0xFF102030);
    bag->set(QStringLiteral("Picture"),
             QVariant::fromValue(zkPictureRef::create(img, zkPicture::Icon)));
    const QByteArray text =
        zk::form::write({{QStringLiteral("zkButtonProject.zkButton"), QStringLiteral("b"), bag}});
    const zkFormText back = zk::form::parse(text, QString());
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    const zkPictureRef p =
        back.controls[0].bag->value(QStringLiteral("Picture")).value<zkPictureRef>();
    ASSERT_TRUE(zkHoldsPicture(p));
    EXPECT_EQ(p->type(), zkPicture::Icon);
    EXPECT_EQ(p->image().convertToFormat(QImage::Format_RGB32), img);
    EXPECT_EQ(zk::form::write(back.controls), text);
}

struct BadCase {
    const char* text;
    int line;
};

TEST_F(FormText, RejectsFaultsWithTheirLine) {
    const BadCase cases[] = {
        {"Caption = \"x\"\n", 1},
        {"Begin zkButtonProject.zkButton a\nBegin zkButtonProject.zkButton b\n", 2},
        {"End\n", 1},
        {"Begin zkButtonProject.zkButton a\n", 1},
        {"Begin zkButtonProject.zkButton\nEnd\n", 1},
        {"Begin x y\n  Caption \"x\"\nEnd\n", 2},
        {"Begin x y\n  Caption = \"x\nEnd\n", 2},
        {"Begin x y\n  Caption = \"\\q\"\nEnd\n", 2},
        {"Begin x y\n  Value = 99999999999\nEnd\n", 2},
        {"Begin x y\n  BackColor = &H1FFFFFFFF&\nEnd\n", 2},
        {"Begin x y\n  BackColor = &HZZ&\nEnd\n", 2},
        {"Begin x y\n  Font = Font(\"a\", -3)\nEnd\n", 2},
        {"Begin x y\n  Font = Font(\"a\", 9, Heavy)\nEnd\n", 2},
        {"Begin x y\n  Picture = Picture(\"../outside.png\")\nEnd\n", 2},
        {"Begin x y\n  Picture = Picture(\"/etc/passwd\")\nEnd\n", 2},
        {"Begin x y\n  Picture = Picture(\"icons/missing.png\")\nEnd\n", 2},
        {"Begin x y\n  Picture = PictureData(1, \"!!!\")\nEnd\n", 2},
        {"Begin x y\n  Picture = PictureData(9, \"\")\nEnd\n", 2},
        {"Begin x y\n  2bad = 1\nEnd\n", 2},
        {"Begin x y\n  Value = maybe\nEnd\n", 2},
        // Keys that would be written back as block markers.
        {"Begin x y\n  Begin=5\nEnd\n", 2},
        {"Begin x y\n  End = 1\nEnd\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const zkFormText form = zk::form::parse(c.text, dir.path());
        EXPECT_FALSE(form.ok());
        EXPECT_EQ(form.errorLine, c.line);
        EXPECT_TRUE(form.controls.isEmpty());
    }
}

} // namespace
