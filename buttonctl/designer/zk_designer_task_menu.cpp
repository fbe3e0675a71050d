#include "zk_designer_task_menu.h"

#include "zk_property_sheet.h"
#include "zkbutton.h"

#include <QAction>
#include <QExtensionManager>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>

namespace {

// Writes through the form window's cursor (an undoable command) what Designer's property
// sheet knows; anything else directly.
class FormWindowWriter final : public zkPropertyWriter {
public:
    explicit FormWindowWriter(QDesignerFormWindowInterface* form) : m_form(form) {}

    bool write(QObject* target, const char* name, const QVariant& value) override {
        auto* widget = qobject_cast<QWidget*>(target);
        if (m_form && widget && knows(widget, QLatin1String(name))) {
            m_form->cursor()->setWidgetProperty(widget, QLatin1String(name), value);
            return true;
        }
        return target && target->setProperty(name, value);
    }

private:
    bool knows(QWidget* widget, const QString& name) const {
        auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(
            m_form->core()->extensionManager(), widget);
        return sheet && sheet->indexOf(name) >= 0;
    }

    QPointer<QDesignerFormWindowInterface> m_form;
};

} // namespace

zkButtonTaskMenu::zkButtonTaskMenu(zkButton* button, QObject* parent)
    : QObject(parent), m_button(button),
      m_action(new QAction(QStringLiteral("プロパティ..."), this)) {
    m_action->setObjectName(QStringLiteral("zkButtonProperties"));
    connect(m_action, &QAction::triggered, this, &zkButtonTaskMenu::editProperties);
}

QAction* zkButtonTaskMenu::preferredEditAction() const {
    return m_action;
}

QList<QAction*> zkButtonTaskMenu::taskActions() const {
    return {m_action};
}

QList<QObject*> zkButtonTaskMenu::selectedButtons(QDesignerFormWindowInterface* form) const {
    QList<QObject*> buttons;
    if (form) {
        QDesignerFormWindowCursorInterface* cursor = form->cursor();
        for (int i = 0; i < cursor->selectedWidgetCount(); ++i) {
            if (auto* b = qobject_cast<zkButton*>(cursor->selectedWidget(i)))
                buttons << b;
        }
    }
    if (!buttons.contains(m_button.data()))
        buttons = {m_button.data()};
    return buttons;
}

void zkButtonTaskMenu::editProperties() {
    if (!m_button)
        return;
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_button);
    zkPageServices services;
    if (form)
        services.writer = std::make_shared<FormWindowWriter>(form);
    QWidget* owner = form ? static_cast<QWidget*>(form) : m_button->window();
    zkPropertySheet sheet(selectedButtons(form), services, owner);
    if (form) {
        connect(&sheet, &zkPropertySheet::aboutToApply, form,
                [form] { form->beginCommand(QStringLiteral("zkButton のプロパティ")); });
        connect(&sheet, &zkPropertySheet::applied, form, [form] { form->endCommand(); });
    }
    sheet.exec();
}

QObject* zkButtonTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                  QObject* parent) const {
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto* button = qobject_cast<zkButton*>(object))
        return new zkButtonTaskMenu(button, parent);
    return nullptr;
}
