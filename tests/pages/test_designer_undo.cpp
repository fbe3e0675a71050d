// zkButton inside a real Designer form window: "プロパティ..." opens the property sheet for
// the selected buttons, Apply goes through the form window's cursor as one undoable step,
// and the form Designer saves keeps the changed properties.
#include "zk_property_sheet.h"
#include "zkbutton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QExtensionManager>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <functional>
#include <gtest/gtest.h>

namespace {

class DesignerFormTest : public ::testing::Test {
protected:
    QDesignerFormEditorInterface* core = nullptr;
    QDesignerFormWindowInterface* form = nullptr;

    void SetUp() override {
        // Designer looks for its plugins in <library path>/designer.
        QCoreApplication::addLibraryPath(qEnvironmentVariable("FOLIVO_BIN_DIR"));
        QDesignerComponents::initializeResources();
        core = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::createTaskMenu(core, core);
        new QDesignerIntegration(core, core);
        QDesignerComponents::initializePlugins(core);
        form = core->formWindowManager()->createFormWindow(nullptr);
        QFile file(qEnvironmentVariable("FOLIVO_TEST_DATA") + QStringLiteral("/toolbar.ui"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString error;
        ASSERT_TRUE(form->setContents(&file, &error)) << error.toStdString();
        core->formWindowManager()->setActiveFormWindow(form);
    }
    void TearDown() override {
        delete form;
        delete core;
    }
    zkButton* button(const char* name) const {
        return form->mainContainer()->findChild<zkButton*>(QLatin1String(name));
    }
    // Runs "プロパティ..." on `clicked`; `edit` acts on the sheet while it is open.
    bool editProperties(zkButton* clicked, std::function<void(zkPropertySheet*)> edit) {
        auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core->extensionManager(), clicked);
        if (!menu || menu->taskActions().isEmpty())
            return false;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto* sheet = qobject_cast<zkPropertySheet*>(QApplication::activeModalWidget())) {
                shown = true;
                edit(sheet);
            }
        });
        menu->taskActions().first()->trigger();
        return shown;
    }
};

void keyPress(QWidget* widget, Qt::Key key) {
    widget->setFocus();
    QTest::keyClick(widget, key);
}

TEST_F(DesignerFormTest, SheetAppliesToTheSelectedButtonsAsOneUndoStep) {
    zkButton* scan = button("cmdScan");
    zkButton* save = button("cmdSave");
    ASSERT_NE(scan, nullptr);
    ASSERT_NE(save, nullptr);
    form->clearSelection(false);
    form->selectWidget(scan, true);
    form->selectWidget(save, true);
    const int stepsBefore = form->commandHistory()->count();
    const bool shown = editProperties(scan, [](zkPropertySheet* sheet) {
        keyPress(sheet->findChild<QCheckBox*>(QStringLiteral("chkCancel")), Qt::Key_Space);
        auto* align = sheet->findChild<QComboBox*>(QStringLiteral("cboCaptionAlign"));
        keyPress(align, Qt::Key_Home); // "0 - 左上隅に配置"
        sheet->okButton()->click();
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(scan->cancel());
    EXPECT_TRUE(save->cancel());
    EXPECT_EQ(scan->captionAlign(), zkButton::zbcTopLeft);
    EXPECT_EQ(form->commandHistory()->count(), stepsBefore + 1);
    EXPECT_TRUE(form->isDirty());

    // The form as Designer saves it keeps the new values.
    EXPECT_TRUE(form->contents().contains(QStringLiteral("zkButton::zbcTopLeft")));

    form->commandHistory()->undo();
    EXPECT_FALSE(scan->cancel());
    EXPECT_FALSE(save->cancel());
    EXPECT_EQ(scan->captionAlign(), zkButton::zbcBottomCenter);

    // A cancelled sheet leaves the form untouched.
    ASSERT_TRUE(editProperties(scan, [](zkPropertySheet* sheet) {
        keyPress(sheet->findChild<QCheckBox*>(QStringLiteral("chkDefault")), Qt::Key_Space);
        sheet->cancelButton()->click();
    }));
    EXPECT_FALSE(scan->isDefault());
    EXPECT_EQ(form->commandHistory()->index(), stepsBefore);
}

} // namespace
