// The road of a page through the whole program in one process: the main window with its
// commands put together as the program does it, over the real SANE layer on SANE's test
// device. The program folder, the home folder and the layer's own settings live in
// temporary folders; the save dialog and the multi-page prompt are answered by the test.
#include "answering_prompts.h"
#include "app_composition.h"
#include "dialog_ports.h"
#include "fake_message_boxes.h"
#include "image_writers.h"
#include "main_window.h"
#include "menu_tree.h"
#include "page_preview.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "program_paths.h"
#include "scan_dialog.h"
#include "scan_test_support.h"
#include "temp_home.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace folivo::test {
namespace {

const QString kTestDevice = QStringLiteral("test:0");

// Presses a button of the scanner's own dialog once it is open.
void PressInScanDialog(const char* button) {
    const QString name = QString::fromLatin1(button);
    WhenShown<ScanDialog>([name](ScanDialog* dialog) {
        if (auto* b = dialog->findChild<QPushButton*>(name))
            b->click();
    });
}

// Keeps what the status line's buttons hand to the desktop instead of opening it.
class RecordingOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override {
        urls << url;
        return true;
    }
    QList<QUrl> urls;
};

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() : m_oldHome(qgetenv("HOME")) {
        qputenv("HOME", userHome.path().toUtf8());
        QDir(userHome.path()).mkpath(QStringLiteral("Desktop"));
        QDir(userHome.path()).mkpath(QStringLiteral("Documents"));
    }
    ~EndToEnd() override {
        window.reset();
        qputenv("HOME", m_oldHome);
    }

    // Device options remembered for the test device.
    void device() { Remember(scanner.store, kTestDevice, WidePage("Color", 8, "Color pattern")); }
    void settings(const QByteArray& ini) { home.write(QStringLiteral("Folivo.ini"), ini); }

    // Starts the program: window, commands, start-up sequence.
    MainWindow& start(bool hideUi = true) {
        window.reset();
        layer = scanner.make(hideUi);
        MainWindowDeps deps;
        deps.scanner = layer.get();
        deps.messageBoxes = &boxes;
        deps.urlOpener = &opener;
        window = std::make_unique<MainWindow>(deps);
        CompositionOptions options;
        auto ownedDialog = std::make_unique<AnsweringSaveDialog>();
        auto ownedPrompt = std::make_unique<ScriptedBookPrompt>();
        dialog = ownedDialog.get();
        prompt = ownedPrompt.get();
        options.saveDialog = std::move(ownedDialog);
        options.bookPrompt = std::move(ownedPrompt);
        parts = &ComposeApplication(*window, std::move(options));
        window->Load();
        return *window;
    }
    void run(const char* item) { window->runCommand(QString::fromLatin1(item)); }

    QString desktop(const QString& name = {}) const {
        return userHome.filePath(QStringLiteral("Desktop/") + name);
    }
    QStringList files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    QString work() const { return window->state().workFolder; }
    bool saveCommandsEnabled() const {
        return window->action(QStringLiteral("menuSavePDF"))->isEnabled();
    }

    TempHome home;
    QTemporaryDir userHome;
    TestScanner scanner;
    FakeMessageBoxes boxes;
    RecordingOpener opener;
    std::unique_ptr<SaneScannerLibrary> layer;
    std::unique_ptr<MainWindow> window;
    AppParts* parts = nullptr;
    AnsweringSaveDialog* dialog = nullptr;
    ScriptedBookPrompt* prompt = nullptr;

private:
    QByteArray m_oldHome;
};

TEST_F(EndToEnd, AChosenFolderThatIsMissingGivesTheFailureMessagesAndNoFile) {
    device();
    const QByteArray missing = home.file("gone").toUtf8();
    settings("[TWAIN]\nDialog=False\n[BMP]\nFlag=True\nType=2\nPath=" + missing +
             "\n[JPEG]\nFlag=True\nType=2\nPath=" + missing +
             "\n[PDF]\nFlag=True\nType=2\nPath=" + missing + "\n");
    start();
    run("menuScan");
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].title, text::kBmpFailedTitle);
    EXPECT_EQ(boxes.shown[1].title, text::kJpegFailedTitle);
    EXPECT_EQ(boxes.shown[2].title, text::kPdfFailedTitle);
    EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(missing)));
    EXPECT_TRUE(files(home.path()).filter("00001").isEmpty());
}

// Counts the scanner dialogs shown while it lives, and cancels each at once.
class ScanDialogWatcher : public QObject {
public:
    ScanDialogWatcher() { qApp->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<ScanDialog*>(watched)) {
                ++shown;
                QTimer::singleShot(0, dialog, &QDialog::reject);
            }
        return false;
    }
};

TEST_F(EndToEnd, DialogOffSurvivesARestartAndTheNextScanShowsNoDialogAndTakesTmp00001) {
    device();
    QDir().mkpath(TempFolder());
    const QStringList left = {"TMP00001.BMP", "TMP00002.BMP", "TMP00003.bmp"};
    for (const QString& name : left) // by an earlier version, in no work folder
        home.write("tmp/" + name, "left");
    start(false);
    run("menuDialogOFF");
    start(false); // the layer starts with its dialog shown; the settings say otherwise
    EXPECT_TRUE(window->action("menuDialogOFF")->isChecked());
    ScanDialogWatcher watcher;
    run("menuScan");
    EXPECT_EQ(watcher.shown, 0);
    EXPECT_EQ(window->state().currentImageFile, work() + "/TMP00001.BMP");
    EXPECT_EQ(files(work()), QStringList({"TMP00001.BMP"}));
    EXPECT_EQ(QDir(TempFolder()).entryList({"*.bmp"}, QDir::Files, QDir::Name), left);
    EXPECT_EQ(QImage(window->state().currentImageFile).size(), QSize(300, 100));
}

TEST_F(EndToEnd, MultiPageGathersScannedSheetsIntoOnePdfAndSavesEachPageToo) {
    device();
    settings("[TWAIN]\nDialog=False\n[PDF]\nFlag=True\nType=0\n");
    start();
    prompt->answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
    dialog->answer = home.file("book.pdf");
    run("menuBook");
    ASSERT_EQ(prompt->seen.size(), 3u);
    EXPECT_EQ(prompt->seen[2].sheetCount, 3);
    const ProbedPdf book = ProbePdf(home.file("book.pdf"));
    ASSERT_TRUE(book.ok) << book.error;
    ASSERT_EQ(book.pages.size(), 3u);
    EXPECT_EQ(files(desktop()), QStringList({"PDF00001.PDF", "PDF00002.PDF", "PDF00003.PDF"}));
    EXPECT_TRUE(files(work()).isEmpty());
    EXPECT_FALSE(saveCommandsEnabled());
    // The sheets are gone; the preview still shows every page, not a blank sheet.
    PagePreview& preview = *window->preview();
    preview.resize(300, 400);
    for (int page = 0; page < 3; ++page, preview.nextPage()) {
        const QImage shot = preview.grab().toImage().copy(preview.sheetRect());
        int coloured = 0;
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                coloured += shot.pixelColor(x, y) != QColor(Qt::white);
        EXPECT_GT(coloured, shot.width() * shot.height() / 64) << "page " << page + 1;
    }
}

TEST_F(EndToEnd, MultiPageRetriesACancelledSheetAndKeepsSheetsWhenTheSaveIsCancelled) {
    device();
    start(false);
    prompt->answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
    const char* presses[] = {"scanButton", "cancelButton", "scanButton"};
    int next = 0;
    PressInScanDialog(presses[next++]);
    prompt->onAsk = [&] {
        if (next < 3)
            PressInScanDialog(presses[next++]);
    };
    run("menuBook"); // the save dialog is cancelled
    EXPECT_EQ(prompt->captions(), QStringList({"もう一枚", "再試行", "もう一枚"}));
    EXPECT_EQ(dialog->shown, 1);
    EXPECT_EQ(files(work()).filter(".BMP"), QStringList({"TMP00001.BMP", "TMP00002.BMP"}));
    EXPECT_TRUE(saveCommandsEnabled());

    dialog->answer = home.file("later.pdf");
    run("menuSavePDF");
    const ProbedPdf later = ProbePdf(home.file("later.pdf"));
    ASSERT_TRUE(later.ok) << later.error;
    EXPECT_EQ(later.pages.size(), 2u);
}

} // namespace
} // namespace folivo::test

// The program put together: every menu item reaches its command, and manual and automatic
// PDF saves share one exporter.
namespace folivo::test {
namespace {

// The automatic save's end line names the file it wrote (the next free number), and after
// any save the status line's buttons (or their keys) hand that file, or its folder, to
// the desktop.
TEST_F(EndToEnd, AfterASaveTheStatusLineOpensTheFileWrittenOrItsFolder) {
    device();
    settings("[TWAIN]\nDialog=False\n[BMP]\nFlag=True\nType=0\n");
    QFile taken(desktop(QStringLiteral("BMP00001.BMP")));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    start();
    auto* openFile = window->findChild<QAction*>(QStringLiteral("OpenSavedFile"));
    auto* openFolder = window->findChild<QAction*>(QStringLiteral("OpenSavedFolder"));
    ASSERT_TRUE(openFile && openFolder);
    run("menuScan");
    const QString written = desktop(QStringLiteral("BMP00002.BMP"));
    EXPECT_EQ(window->statusText(), text::kBmpEnd + "（" + written + "）");
    EXPECT_TRUE(openFile->isVisible() && openFolder->isVisible());
    openFile->trigger();
    dialog->answer = home.file(QStringLiteral("copy.pdf"));
    run("menuSavePDF");
    // The status line never has the focus: the folder button is reached by its key.
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(opener.urls,
              QList<QUrl>({QUrl::fromLocalFile(written), QUrl::fromLocalFile(home.path())}));
}

TEST_F(EndToEnd, EveryMenuItemThatIsNotASubmenuHasItsCommand) {
    start();
    for (const MenuEntry& entry : MainMenuTree()) // separators and submenus run nothing
        EXPECT_TRUE(entry.name.isEmpty() || window->menu(entry.name) ||
                    window->hasCommand(entry.name))
            << entry.name.toStdString();
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
