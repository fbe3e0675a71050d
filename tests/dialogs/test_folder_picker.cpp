// The real folder picker (Qt's directory dialog), answered by a "user" on a timer.
#include "autosave_dialog.h"
#include "dialog_fakes.h"
#include "platform_ports.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

using namespace folivo;
using namespace folivo::test;

namespace {

// Waits for the picker to be shown, then lets `answer` act on it; answers whether it was.
std::shared_ptr<bool> AnswerPicker(std::function<void(QFileDialog*)> answer) {
    auto seen = std::make_shared<bool>(false);
    QTimer::singleShot(0, [seen, answer] {
        QFileDialog* dialog = nullptr;
        if (QTest::qWaitFor([&] {
                dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                return dialog && dialog->isVisible();
            })) {
            *seen = true;
            answer(dialog);
        }
    });
    return seen;
}

TEST(FolderPicker, TypedFolderIsTheAnswer) {
    QTemporaryDir start;
    QDir(start.path()).mkdir(QStringLiteral("pages"));
    AnswerPicker([&](QFileDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit)
            return d->reject();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("pages")); // a folder of the starting folder
        UserClick(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open));
    });
    QtFolderPicker picker;
    EXPECT_EQ(QDir(picker.BrowseForFolder(nullptr, start.path())).absolutePath(),
              QDir(start.path()).filePath(QStringLiteral("pages")));
}

// The automatic-save window with the real picker: it starts at the program folder, and
// cancelling keeps the typed folder.
TEST(FolderPicker, CancelledInTheAutosaveWindowKeepsTheBox) {
    TempHome home;
    FakeMessageBoxes messages;
    QPointer<frmAutosave> d =
        new frmAutosave(QStringLiteral("BMP"), std::make_shared<QtFolderPicker>(), messages);
    d->show();
    Click(d, "OptSave0");
    auto* box = Child<QLineEdit>(d, "TextOutput");
    QTest::keyClicks(box, QStringLiteral("/typed"));
    QString title, folder;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    const auto seen = AnswerPicker([&](QFileDialog* picker) {
        title = picker->windowTitle();
        folder = QDir(picker->directory()).absolutePath();
        mode = picker->fileMode();
        QTest::keyClick(picker, Qt::Key_Escape);
    });
    Click(d, "OptAutosave2");
    ASSERT_TRUE(*seen);
    EXPECT_EQ(title, QString::fromUtf16(u"フォルダを選択してください"));
    EXPECT_EQ(folder, QDir(home.path()).absolutePath());
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_EQ(box->text(), QStringLiteral("/typed"));
    EXPECT_TRUE(box->isReadOnly());
    delete d;
}

} // namespace
