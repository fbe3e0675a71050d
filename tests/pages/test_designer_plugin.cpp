// The Designer plugin as QUiLoader and Designer find it. The task menu and Designer's
// writer are tested in a real form window.
#include "zkbutton.h"

#include <QMetaProperty>
#include <QPluginLoader>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

namespace {

QDesignerCustomWidgetInterface* pluginWidget() {
    static QPluginLoader loader(qEnvironmentVariable("FOLIVO_BIN_DIR") +
                                QStringLiteral("/designer/libzkbutton2_designer.so"));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    if (!collection || collection->customWidgets().size() != 1)
        return nullptr;
    return collection->customWidgets().first();
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
        {"MaskColorQColor",
         "ピクチャの表示時に透明色として使用する色を指定します。値の取得も可能です。"},
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

} // namespace
