// zkButton inside a real Designer form window: "プロパティ..." opens the property sheet for
// the selected buttons, Apply goes through the form window's cursor as one undoable step,
// and the form Designer saves keeps the changed properties, pictures and fonts included.
#include "zk_property_sheet.h"
#include "zkbutton.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QExtensionManager>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QFormBuilder>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

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

// The form as Designer's own writer saves it, read again as a program would.
std::unique_ptr<QWidget> saveAndReload(QDesignerFormWindowInterface* form) {
    QByteArray text = form->contents().toUtf8();
    QBuffer saved(&text);
    saved.open(QIODevice::ReadOnly);
    QFormBuilder builder;
    builder.addPluginPath(qEnvironmentVariable("FOLIVO_BIN_DIR") + QStringLiteral("/designer"));
    return std::unique_ptr<QWidget>(builder.load(&saved));
}

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
}

TEST_F(DesignerFormTest, PictureAndFontFromThePagesSurviveDesignersWriter) {
    QTemporaryDir dir;
    QImage image(16, 12, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 15, y * 20, 128));
    const QString file = dir.filePath(QStringLiteral("scan.bmp"));
    ASSERT_TRUE(image.save(file));
    zkButton* scan = button("cmdScan");
    ASSERT_NE(scan, nullptr);
    form->clearSelection(false);
    form->selectWidget(scan, true);
    const bool shown = editProperties(scan, [&](zkPropertySheet* sheet) {
        sheet->tabs()->setCurrentIndex(1);
        auto* list = sheet->findChild<QListWidget*>(QStringLiteral("lstPicture"));
        list->setCurrentItem(list->findItems(QStringLiteral("Picture"), Qt::MatchExactly).value(0));
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                d->selectFile(file);
                QMetaObject::invokeMethod(d, "accept");
            }
        });
        sheet->findChild<QPushButton*>(QStringLiteral("cmdRef"))->click();
        sheet->tabs()->setCurrentIndex(3);
        auto* size = sheet->findChild<QComboBox*>(QStringLiteral("cboFontSize"));
        size->lineEdit()->selectAll();
        QTest::keyClicks(size->lineEdit(), QStringLiteral("14"));
        sheet->okButton()->click();
    });
    ASSERT_TRUE(shown);
    ASSERT_EQ(scan->picture() ? scan->picture()->width() : 0, 16);
    ASSERT_EQ(scan->buttonFont()->size(), 14.0);

    std::unique_ptr<QWidget> again = saveAndReload(form);
    ASSERT_NE(again, nullptr);
    auto* reread = again->findChild<zkButton*>(QStringLiteral("cmdScan"));
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->buttonFont()->size(), 14.0);
    EXPECT_EQ(reread->visibleSurface(), scan->visibleSurface());
}

// What Designer's property editor shows: the stand-ins in Qt's own types, not the originals.
TEST_F(DesignerFormTest, PropertyEditorShowsQtTypesInPlaceOfTheLibrarysOwn) {
    zkButton* scan = button("cmdScan");
    auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(core->extensionManager(), scan);
    ASSERT_NE(sheet, nullptr);
    const struct {
        const char* shown;
        const char* hidden;
        int type; // 0: Designer's pixmap value
    } rows[] = {
        {"BackColorQColor", "BackColor", QMetaType::QColor},
        {"ForeColorQColor", "ForeColor", QMetaType::QColor},
        {"FontQFont", "Font", QMetaType::QFont},
        {"PictureQPixmap", "Picture", 0},
    };
    for (const auto& row : rows) {
        const int shown = sheet->indexOf(QLatin1String(row.shown));
        const int hidden = sheet->indexOf(QLatin1String(row.hidden));
        ASSERT_GE(shown, 0) << row.shown;
        ASSERT_GE(hidden, 0) << row.hidden;
        EXPECT_TRUE(sheet->isVisible(shown)) << row.shown;
        EXPECT_FALSE(sheet->isVisible(hidden)) << row.hidden;
        const QVariant value = sheet->property(shown);
        if (row.type)
            EXPECT_EQ(value.typeId(), row.type) << row.shown;
        else
            EXPECT_TRUE(QByteArray(value.typeName()).contains("Pixmap")) << row.shown;
    }
    // A colour set in the editor reaches the button and is saved.
    form->cursor()->setWidgetProperty(scan, QStringLiteral("ForeColorQColor"), QColor(1, 2, 3));
    EXPECT_EQ(scan->foreColor(), 0x030201u);
    std::unique_ptr<QWidget> again = saveAndReload(form);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->findChild<zkButton*>(QStringLiteral("cmdScan"))->foreColor(), 0x030201u);
}

} // namespace
