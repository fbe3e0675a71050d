#include "zk_designer_task_menu.h"

#include "zk_property_sheet.h"
#include "zkbutton.h"

#include <QAction>
#include <QExtensionManager>
#include <QUndoCommand>
#include <QUndoStack>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>

namespace {

// Sets a property Designer's editor hides (the library's own colour, picture and font types,
// which it cannot edit) as a step of the form's undo history, marked as set so that the
// form saves it.
class HiddenPropertyCommand final : public QUndoCommand {
public:
    HiddenPropertyCommand(QDesignerPropertySheetExtension* sheet, QWidget* widget, int index,
                          QVariant value)
        : m_sheet(sheet), m_widget(widget), m_index(index), m_name(sheet->propertyName(index)),
          m_old(widget->property(qPrintable(m_name))), m_new(std::move(value)),
          m_wasChanged(sheet->isChanged(index)) {
        setText(m_name);
    }
    void redo() override { apply(m_new, true); }
    void undo() override { apply(m_old, m_wasChanged); }

private:
    void apply(const QVariant& value, bool changed) {
        if (!m_widget)
            return;
        m_widget->setProperty(qPrintable(m_name), value);
        m_sheet->setChanged(m_index, changed);
    }

    QDesignerPropertySheetExtension* m_sheet;
    QPointer<QWidget> m_widget;
    int m_index;
    QString m_name;
    QVariant m_old;
    QVariant m_new;
    bool m_wasChanged;
};

// Writes through the form window's cursor (an undoable command) what Designer's property
// sheet knows; anything else directly.
class FormWindowWriter final : public zkPropertyWriter {
public:
    explicit FormWindowWriter(QDesignerFormWindowInterface* form) : m_form(form) {}

    bool write(QObject* target, const char* name, const QVariant& value) override {
        auto* widget = qobject_cast<QWidget*>(target);
        QDesignerPropertySheetExtension* s = m_form && widget ? sheet(widget) : nullptr;
        const int index = s ? s->indexOf(QLatin1String(name)) : -1;
        if (index < 0)
            return target && target->setProperty(name, value);
        if (s->isVisible(index))
            m_form->cursor()->setWidgetProperty(widget, QLatin1String(name), value);
        else
            m_form->commandHistory()->push(new HiddenPropertyCommand(s, widget, index, value));
        saveStandIns(s, QLatin1String(name));
        return true;
    }

private:
    QDesignerPropertySheetExtension* sheet(QWidget* widget) const {
        return qt_extension<QDesignerPropertySheetExtension*>(m_form->core()->extensionManager(),
                                                              widget);
    }
    // Designer cannot save the library's own picture and font objects: what a page set is
    // saved through the stand-ins (a picture's file, the font as a QFont).
    static void saveStandIns(QDesignerPropertySheetExtension* s, const QString& name) {
        if (const int file = s->indexOf(name + QLatin1String("File")); file >= 0) {
            s->setChanged(file, true);
            // An older Designer-set pixmap would load after the file and win.
            if (const int pixmap = s->indexOf(name + QLatin1String("QPixmap")); pixmap >= 0)
                s->setChanged(pixmap, false);
        }
        // The font page changes the font object in place and then rewrites the caption.
        if (name == QLatin1String("Caption") || name == QLatin1String("Font")) {
            if (const int font = s->indexOf(QStringLiteral("FontQFont")); font >= 0)
                s->setChanged(font, true);
        }
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
