// The Designer plugin: a form with zkButtons loaded through QUiLoader with the plugin on
// the plugin path, and a form written back and read again. The task menu is
// tested in a real form window (test_designer_undo.cpp).
#include "zkbutton.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QTest>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QFormBuilder>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString pluginDir() {
    return qEnvironmentVariable("FOLIVO_BIN_DIR") + QStringLiteral("/designer");
}

QString dataFile(const char* name) {
    return qEnvironmentVariable("FOLIVO_TEST_DATA") + QLatin1Char('/') + QLatin1String(name);
}

QDesignerCustomWidgetInterface* pluginWidget() {
    static QPluginLoader loader(
        QDir(pluginDir()).filePath(QStringLiteral("libzkbutton2_designer.so")));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    if (!collection || collection->customWidgets().size() != 1)
        return nullptr;
    return collection->customWidgets().first();
}

std::unique_ptr<QWidget> loadForm(QIODevice& device) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(pluginDir());
    return std::unique_ptr<QWidget>(loader.load(&device));
}

std::unique_ptr<QWidget> loadToolbar() {
    QFile file(dataFile("toolbar.ui"));
    return file.open(QIODevice::ReadOnly) ? loadForm(file) : nullptr;
}

TEST(DesignerPlugin, FoundThroughQtPluginPath) {
    // Designer and QUiLoader look in the designer folder of each QT_PLUGIN_PATH entry (the
    // build's bin here; Qt's plugin folder of an install in the install test).
    QUiLoader loader;
    EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("zkButton")))
        << qPrintable(qEnvironmentVariable("QT_PLUGIN_PATH"));
}

// Designer shows a custom widget's property tooltips from its widget-box XML.
TEST(DesignerPlugin, PropertyEditorTooltipsAreTheJapaneseDescriptions) {
    QDesignerCustomWidgetInterface* widget = pluginWidget();
    ASSERT_NE(widget, nullptr);
    QHash<QString, QString> tips;
    QXmlStreamReader xml(widget->domXml());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("tooltip")) {
            const QString name = xml.attributes().value(QLatin1String("name")).toString();
            tips.insert(name, xml.readElementText());
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    const struct {
        const char* property;
        const char* text; // empty: none
    } rows[] = {
        {"Appearance", "表示スタイルを設定します。値の取得も可能です。"},
        {"PictureQPixmap", "ボタンに表示するピクチャを指定します。値の取得も可能です。"},
        {"FontQFont", "表示用のフォントを指定します。値の取得も可能です。"},
        {"MaskColorQColor",
         "ピクチャの表示時に透明色として使用する色を指定します。値の取得も可能です。"},
        {"Name", "コントロールの名前を指定します。値の取得も可能です。"},
        {"UseMnemonic", ""},
        {"hWnd", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(tips.value(QLatin1String(row.property)), QString::fromUtf8(row.text))
            << row.property;
    // Every described property of the published interface has its tooltip.
    const QMetaObject& meta = zkButton::staticMetaObject;
    int described = 0;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        described += tips.contains(QLatin1String(meta.property(i).name())) ? 1 : 0;
    EXPECT_EQ(described, 31 + 15);
}

TEST(DesignerPlugin, UiLoaderGivesWorkingButtonsWithTheSavedProperties) {
    std::unique_ptr<QWidget> form = loadToolbar();
    ASSERT_NE(form, nullptr);
    auto* scan = form->findChild<zkButton*>(QStringLiteral("cmdScan"));
    auto* save = form->findChild<zkButton*>(QStringLiteral("cmdSave"));
    ASSERT_NE(scan, nullptr);
    ASSERT_NE(save, nullptr);
    // An enumeration, a string and a colour as Designer saves them.
    EXPECT_EQ(scan->displayCaption(), QStringLiteral("スキャン(S)"));
    EXPECT_EQ(scan->captionAlign(), zkButton::zbcBottomCenter);
    EXPECT_EQ(save->buttonStyle(), zkButton::zbbCheck);

    QTest::mouseClick(save, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(save->value(), zkButton::zbvOn);
    // The painted face shows the loaded back colour.
    EXPECT_EQ(scan->visibleSurface().pixelColor(3, 24), QColor(0, 255, 0));
}

TEST(DesignerPlugin, FormWrittenBackKeepsTheButtonsAndTheirProperties) {
    std::unique_ptr<QWidget> form = loadToolbar();
    ASSERT_NE(form, nullptr);
    auto* scan = form->findChild<zkButton*>(QStringLiteral("cmdScan"));
    // QFormBuilder writes no enumerations (Designer's own writer does, as toolbar.ui
    // shows); the other kinds go through it.
    scan->setMaskColor(0x123456);
    scan->setUseMaskColor(true);
    scan->setCaption(QStringLiteral("読込"));
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    QFormBuilder writer;
    writer.save(&saved, form.get());
    saved.seek(0);
    std::unique_ptr<QWidget> again = loadForm(saved);
    ASSERT_NE(again, nullptr);
    auto* reread = again->findChild<zkButton*>(QStringLiteral("cmdScan"));
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->maskColor(), 0x123456u);
    EXPECT_TRUE(reread->useMaskColor());
    EXPECT_EQ(reread->caption(), QStringLiteral("読込"));
    EXPECT_EQ(reread->focusRectMargin(), 5);
}

} // namespace
