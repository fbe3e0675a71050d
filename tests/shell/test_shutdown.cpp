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

TEST_F(MainWindowTest, ClosingClosesEveryWindowOfTheProgramAndReleasesTheImage) {
    auto window = startWindow();
    window->show();
    QWidget settings;
    StubbornWindow stubborn;
    auto* gone = new QWidget;
    for (QWidget* w : {&settings, static_cast<QWidget*>(&stubborn), gone, gone}) {
        w->show();
        window->registerWindow(w);
    }
    delete gone; // a registered window that was destroyed is skipped
    auto* ownedDialog = new QDialog(window.get());
    ownedDialog->show();
    scanner.queueImage(QImage(2, 2, QImage::Format_RGB32));
    const NativeHandle image = scanner.TWAIN_AcquireNative(window.get(), 0);
    window->setImageHandle(image);
    window->setPaletteHandle(77);
    window->ReleaseImage(); // closing releases again: freed once all the same
    EXPECT_EQ(window->imageHandle(), 0u);
    EXPECT_EQ(window->paletteHandle(), 0u);

    EXPECT_TRUE(window->close());
    for (const QWidget* w : {static_cast<QWidget*>(window.get()), &settings,
                             static_cast<QWidget*>(&stubborn), static_cast<QWidget*>(ownedDialog)})
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
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
    EXPECT_EQ(window->showSingleWindow("frmAutosave", create), first);
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
