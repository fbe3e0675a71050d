// Closing the main window: image released, every window of the program closed, no question.
#include "main_window_fixture.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

namespace {
// A window that would rather stay open.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
} // namespace

TEST_F(MainWindowTest, ClosingClosesAnOpenModelessWindowAndReleasesTheImage) {
    auto window = startWindow();
    window->show();
    QWidget settings;
    settings.show();
    window->registerWindow(&settings);
    scanner.queueImage(QImage(2, 2, QImage::Format_RGB32));
    const NativeHandle image = scanner.TWAIN_AcquireNative(window.get(), 0);
    window->setImageHandle(image);

    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(settings.isVisible());
    EXPECT_EQ(scanner.freed, std::vector<NativeHandle>{image});
    EXPECT_TRUE(boxes.shown.empty()) << "no question on exit";
}

TEST_F(MainWindowTest, ClosingRemovesTheWorkFolderUnlessItHoldsSheets) {
    for (const bool sheets : {false, true}) {
        auto window = startWindow();
        const QString work = window->state().workFolder;
        makeFile(QDir(home.path()).relativeFilePath(work) + "/TMP00001.BMP");
        MarkSheets(work, sheets);
        EXPECT_TRUE(window->close());
        EXPECT_EQ(QFileInfo::exists(work + "/TMP00001.BMP"), sheets) << sheets;
        EXPECT_TRUE(boxes.shown.empty()) << "no question on exit";
    }
}

TEST_F(MainWindowTest, ExitItemClosesEvenAWindowThatRefusesToClose) {
    auto window = startWindow();
    window->show();
    StubbornWindow stubborn;
    stubborn.show();
    window->registerWindow(&stubborn);
    auto* ownedDialog = new QDialog(window.get());
    ownedDialog->show();
    window->action("menuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(stubborn.isVisible());
    EXPECT_FALSE(ownedDialog->isVisible());
}

TEST_F(MainWindowTest, RegisteredWindowThatWasDestroyedIsSkipped) {
    auto window = startWindow();
    window->show();
    auto* gone = new QWidget;
    window->registerWindow(gone);
    window->registerWindow(gone);
    delete gone;
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, SingleWindowIsMadeOnceAndBroughtBackAfterItWasDestroyed) {
    auto window = startWindow();
    int made = 0;
    const auto create = [&]() -> QWidget* {
        ++made;
        auto* dialog = new QWidget;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    };
    QWidget* first = window->showSingleWindow("frmAutosave", create);
    QWidget* second = window->showSingleWindow("frmAutosave", create);
    EXPECT_EQ(first, second);
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(first->isVisible());
    QWidget* other = window->showSingleWindow("frmAbout", create);
    EXPECT_NE(other, first);
    EXPECT_EQ(made, 2);

    QPointer<QWidget> closed = first;
    first->close(); // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(closed.isNull());
    QWidget* third = window->showSingleWindow("frmAutosave", create);
    EXPECT_EQ(made, 3);
    EXPECT_TRUE(third->isVisible());

    window->close();
    EXPECT_FALSE(other->isVisible());
    delete other;
}
