// The PDF window's image frame: shows "PDF"/"Image" as stored, stores the choice, and
// is usable only while "圧縮する" is chosen.
#include "compression_dialogs.h"
#include "dialog_fakes.h"
#include "settings.h"
#include "temp_home.h"

#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>

namespace folivo {
namespace {

TEST(PdfImageChoice, StoredChoiceIsShownAndTheNewOneSaved) {
    const struct {
        const char* comp;
        const char* stored; // nullptr: absent
        const char* shown;
        const char* click; // nullptr: save as shown
        const char* saved;
        bool frameEnabled;
    } cases[] = {
        {"True", nullptr, "OptImage0", "OptImage1", "Jpeg", true},
        {"True", "Jpeg", "OptImage1", nullptr, "Jpeg", true},
        {"True", "JPEG", "OptImage1", "OptImage0", "Lossless", true},
        {"True", "Photo", "OptImage0", nullptr, "Lossless", true},
        {"False", "Jpeg", "OptImage1", nullptr, "Jpeg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        test::TempHome home;
        WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QLatin1String(c.comp));
        if (c.stored)
            WriteSetting(QStringLiteral("PDF"), QStringLiteral("Image"), QLatin1String(c.stored));
        QPointer<frmCompPDF> d = new frmCompPDF();
        d->show();
        EXPECT_TRUE(test::Checked(d, c.shown));
        auto* frame = test::Child<QGroupBox>(d, "FrameImage");
        EXPECT_EQ(frame->isEnabled(), c.frameEnabled);
        if (c.click)
            test::Click(d, c.click);
        test::Click(d, "CmdSave");
        EXPECT_TRUE(test::Closed(d));
        EXPECT_EQ(ReadSetting(QStringLiteral("PDF"), QStringLiteral("Image"), {}),
                  QLatin1String(c.saved));
    }
}

} // namespace
} // namespace folivo
