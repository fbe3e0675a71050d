// The program put together: every menu item reaches its command, the settings windows
// open once each, and manual and automatic PDF saves share one exporter.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "end_to_end_fixture.h"
#include "menu_tree.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "settings_windows.h"

namespace folivo::test {
namespace {

TEST_F(EndToEnd, EveryMenuItemThatIsNotASubmenuHasItsCommand) {
    start();
    for (const MenuEntry& entry : MainMenuTree()) // separators and submenus run nothing
        EXPECT_TRUE(entry.name.isEmpty() || window->menu(entry.name) ||
                    window->hasCommand(entry.name))
            << entry.name.toStdString();
}

TEST_F(EndToEnd, SettingsItemsOpenTheirWindowsThatCloseWithTheProgram) {
    start();
    SettingsWindows& windows = parts->settingsWindows();
    const struct {
        const char* item;
        const char* format;
    } autosave[] = {{"menuBMP", "BMP"}, {"menuJPEG", "JPEG"}, {"menuPDF", "PDF"}};
    for (const auto& c : autosave) {
        run(c.item);
        ASSERT_NE(windows.autosaveWindow(), nullptr) << c.item;
        EXPECT_EQ(windows.autosaveWindow()->format(), QString(c.format));
        EXPECT_EQ(window->state().autosaveFormat, QString(c.format));
        windows.autosaveWindow()->close();
        QCoreApplication::processEvents();
    }
    run("menuJPEGSet");
    run("menuPDFSet");
    run("menuVersion");
    QPointer<frmCompJPEG> jpeg = windows.jpegWindow();
    ASSERT_NE(jpeg, nullptr);
    EXPECT_NE(windows.pdfWindow(), nullptr);
    EXPECT_NE(windows.aboutWindow(), nullptr);
    window->close();
    EXPECT_FALSE(jpeg && jpeg->isVisible()) << "settings window outlived the main window";
}

TEST_F(EndToEnd, AutomaticPdfUsesTheCompressionOfTheLastManualPdfSave) {
    device();
    settings("[TWAIN]\nDialog=False\n[PDF]\nFlag=True\nType=0\nComp=False\n");
    start();
    EXPECT_EQ(parts->exporter().compression(), kPdfCompressed);
    run("menuScan"); // before any manual save: the initial, compressed
    dialog->answer = home.file("manual.pdf");
    run("menuSavePDF"); // reads "Comp" False
    EXPECT_EQ(parts->exporter().compression(), kPdfUncompressed);
    run("menuScan");
    const ProbedPdf first = ProbePdf(desktop("PDF00001.PDF"));
    const ProbedPdf manual = ProbePdf(home.file("manual.pdf"));
    const ProbedPdf second = ProbePdf(desktop("PDF00002.PDF"));
    ASSERT_TRUE(first.ok && manual.ok && second.ok);
    EXPECT_TRUE(first.pages.at(0).images.at(0).hasFilter);
    EXPECT_FALSE(manual.pages.at(0).images.at(0).hasFilter);
    EXPECT_FALSE(second.pages.at(0).images.at(0).hasFilter);
}

} // namespace
} // namespace folivo::test
