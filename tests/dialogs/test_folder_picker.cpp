// The real folder picker (Qt's directory dialog), answered by a "user" on a timer.
#include "autosave_dialog.h"
#include "dialog_fakes.h"
#include "platform_ports.h"
#include "temp_home.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

using namespace folivo;
using namespace folivo::test;

namespace {

struct SeenDialog {
    QString title;
    QString directory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool found = false;
};

// Waits for the picker to be shown, notes what it shows, then lets `answer` act on it.
void AnswerPicker(SeenDialog& seen, std::function<void(QFileDialog*)> answer) {
    QTimer::singleShot(0, [&seen, answer] {
        QFileDialog* dialog = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            return dialog && dialog->isVisible();
        });
        if (!shown)
            return;
        seen = {dialog->windowTitle(), QDir(dialog->directory()).absolutePath(), dialog->fileMode(),
                true};
        answer(dialog);
    });
}

TEST(FolderPicker, CancelAnswersEmptyText) {
    QTemporaryDir start;
    SeenDialog seen;
    AnswerPicker(seen, [](QFileDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QtFolderPicker picker;
    EXPECT_TRUE(picker.BrowseForFolder(nullptr, start.path()).isEmpty());
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, QString::fromUtf16(u"フォルダを選択してください"));
    EXPECT_EQ(seen.directory, QDir(start.path()).absolutePath());
    EXPECT_EQ(seen.mode, QFileDialog::Directory);
}

TEST(FolderPicker, TypedFolderIsTheAnswer) {
    QTemporaryDir start;
    QDir(start.path()).mkdir(QStringLiteral("pages"));
    const QString wanted = QDir(start.path()).filePath(QStringLiteral("pages"));
    SeenDialog seen;
    AnswerPicker(seen, [&](QFileDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit)
            return d->reject();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("pages")); // a folder of the starting folder
        auto* box = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        UserClick(box->button(QDialogButtonBox::Open));
    });
    QtFolderPicker picker;
    EXPECT_EQ(QDir(picker.BrowseForFolder(nullptr, start.path())).absolutePath(), wanted);
    EXPECT_TRUE(seen.found);
}

// The automatic-save window with the real picker: cancelling keeps the typed folder.
TEST(FolderPicker, CancelledInTheAutosaveWindowKeepsTheBox) {
    TempHome home;
    FakeMessageBoxes messages;
    auto* d = new frmAutosave(QStringLiteral("BMP"), std::make_shared<QtFolderPicker>(), messages);
    d->show();
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptSave0")));
    auto* box = Child<QLineEdit>(d, QStringLiteral("TextOutput"));
    QTest::keyClicks(box, QStringLiteral("/typed"));
    SeenDialog seen;
    AnswerPicker(seen, [](QFileDialog* picker) { picker->reject(); });
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptAutosave2")));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.directory, QDir(home.path()).absolutePath());
    EXPECT_EQ(box->text(), QStringLiteral("/typed"));
    EXPECT_TRUE(box->isReadOnly());
    delete d;
}

} // namespace
