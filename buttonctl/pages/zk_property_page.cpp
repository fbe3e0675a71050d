#include "zk_property_page.h"

#include "zk_property_access.h"
#include "zk_property_descriptions.h"

zkPropertyPage::zkPropertyPage(zkPageServices services, QWidget* parent)
    : QWidget(parent), m_services(services.completed()) {}

QString zkPropertyPage::propertyOf(const QWidget* editor) const {
    for (const QWidget* w = editor; w && w != this; w = w->parentWidget()) {
        const QString name = w->objectName().mid(3);
        if (!zk::propertyDescription(name).isEmpty())
            return name;
    }
    return {};
}

void zkPropertyPage::setChanged(bool on) {
    if (m_changed == on)
        return;
    m_changed = on;
    emit changedFlagChanged(on);
}

zkHostError zkPropertyPage::takeSelection(const QList<QObject*>& objects) {
    if (objects.isEmpty())
        return {zk::pages::kErrorNoSelection, QStringLiteral("no control is selected")};
    m_selection.clear();
    for (QObject* o : objects)
        m_selection << QPointer<QObject>(o);
    return {};
}

zkHostError zkPropertyPage::liveSelection(QList<QObject*>& out) const {
    out.clear();
    for (const QPointer<QObject>& o : m_selection) {
        if (!o)
            return zk::pages::noObject();
        out << o.data();
    }
    return {};
}

zkHostError zkPropertyPage::writeToAll(const char* name, const QVariant& value) const {
    QList<QObject*> objects;
    if (zkHostError e = liveSelection(objects); e.failed())
        return e;
    for (QObject* o : objects) {
        if (!m_services.writer->write(o, name, value))
            return zk::pages::noProperty(name);
    }
    return {};
}
