#include "zk_designer_plugin.h"

#include "zk_designer_task_menu.h"
#include "zk_library.h"
#include "zkbutton.h"

#include <QExtensionManager>
#include <QIcon>
#include <QMetaProperty>
#include <QPixmap>
#include <QXmlStreamWriter>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <memory>

namespace {
// At design time the button is not "running": no hover timer, no run-time behaviour.
class DesignTimeHost final : public zkWidgetAmbientHost {
public:
    using zkWidgetAmbientHost::zkWidgetAmbientHost;
    bool userMode() const override { return false; }
};
} // namespace

QString zkButtonDesignerWidget::name() const {
    return QStringLiteral("zkButton");
}
QString zkButtonDesignerWidget::group() const {
    return QStringLiteral("zkButton2");
}
QString zkButtonDesignerWidget::toolTip() const {
    return QStringLiteral("zkButton2 Control");
}
QString zkButtonDesignerWidget::whatsThis() const {
    return QStringLiteral("オーナードローのピクチャボタン (%1)").arg(QLatin1String(zk::kProgId));
}
QString zkButtonDesignerWidget::includeFile() const {
    return QStringLiteral("zkbutton.h");
}
QIcon zkButtonDesignerWidget::icon() const {
    return QIcon(QPixmap::fromImage(zk::toolboxBitmap()));
}

QWidget* zkButtonDesignerWidget::createWidget(QWidget* parent) {
    auto* button = new zkButton(parent);
    if (m_core) {
        button->setAmbientHost(std::make_shared<DesignTimeHost>(button));
        button->InitProperties();
        followObjectName(button);
    }
    return button;
}

// Designer names a new button only after creating it: its caption, the ambient display
// name, follows the name until someone sets another caption.
void zkButtonDesignerWidget::followObjectName(zkButton* button) {
    // The caption last taken from the name (not a dynamic property: Designer would save it).
    auto followed = std::make_shared<QString>(button->caption());
    QObject::connect(
        button, &QObject::objectNameChanged, button, [button, followed](const QString& name) {
            if (button->caption() != *followed)
                return;
            *followed = name;
            button->setCaption(name);
            // Marked as set in the form's sheet, so that the form saves it and a run-time
            // loader shows the same caption.
            QDesignerFormWindowInterface* form =
                QDesignerFormWindowInterface::findFormWindow(button);
            auto* sheet = form ? qt_extension<QDesignerPropertySheetExtension*>(
                                     form->core()->extensionManager(), button)
                               : nullptr;
            if (const int index = sheet ? sheet->indexOf(QStringLiteral("Caption")) : -1;
                index >= 0)
                sheet->setChanged(index, true);
        });
}

void zkButtonDesignerWidget::initialize(QDesignerFormEditorInterface* core) {
    if (m_core)
        return;
    m_core = core;
    // A process may make more than one form editor (tests do): the next one initialises
    // the plugin again.
    connect(core, &QObject::destroyed, this, [this] { m_core = nullptr; });
    if (QExtensionManager* manager = core->extensionManager())
        manager->registerExtensions(new zkButtonTaskMenuFactory(manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
}

QString zkButtonDesignerWidget::domXml() const {
    // No caption here: a new button takes its object name (followObjectName). The property
    // descriptions become the property editor's tooltips, for the stand-ins too.
    QString tooltips;
    QXmlStreamWriter xml(&tooltips);
    xml.setAutoFormatting(true);
    const QMetaObject& meta = zkButton::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta.property(i).name());
        const QString description = zkButton::propertyDescription(name);
        if (description.isEmpty())
            continue;
        xml.writeStartElement(QStringLiteral("tooltip"));
        xml.writeAttribute(QStringLiteral("name"), name);
        xml.writeCharacters(description);
        xml.writeEndElement();
    }
    return QStringLiteral(R"(<ui language="c++" displayname="zkButton">
 <widget class="zkButton" name="zkButton">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>75</width><height>25</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>zkButton</class>
   <extends>QWidget</extends>
   <header>zkbutton.h</header>
   <propertyspecifications>%1
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)")
        .arg(tooltips);
}

zkButtonDesignerCollection::zkButtonDesignerCollection(QObject* parent) : QObject(parent) {
    m_widgets << new zkButtonDesignerWidget(this);
}
