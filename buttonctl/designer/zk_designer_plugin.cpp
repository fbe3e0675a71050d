#include "zk_designer_plugin.h"

#include "zk_designer_task_menu.h"
#include "zk_library.h"
#include "zkbutton.h"

#include <QExtensionManager>
#include <QIcon>
#include <QPixmap>
#include <QtDesigner/QDesignerFormEditorInterface>

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
    }
    return button;
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
    return QStringLiteral(R"(<ui language="c++" displayname="zkButton">
 <widget class="zkButton" name="zkButton">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>75</width><height>25</height></rect>
  </property>
  <property name="Caption">
   <string>zkButton</string>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>zkButton</class>
   <extends>QWidget</extends>
   <header>zkbutton.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
}

zkButtonDesignerCollection::zkButtonDesignerCollection(QObject* parent) : QObject(parent) {
    m_widgets << new zkButtonDesignerWidget(this);
}
