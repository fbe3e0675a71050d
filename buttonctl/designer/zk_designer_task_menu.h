#pragma once
// The "プロパティ..." entry of zkButton's context menu in Designer. It opens the property
// sheet for the zkButtons selected in the form (the clicked one when it is not among
// them); every value the pages write goes through the form window's cursor, so one Apply
// is one step of Designer's undo history. Values Designer's property sheet does not know
// (pictures, fonts) are set on the button directly.
#include <QExtensionFactory>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>

class QAction;
class QDesignerFormWindowInterface;
class zkButton;

class zkButtonTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    zkButtonTaskMenu(zkButton* button, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void editProperties();
    QList<QObject*> selectedButtons(QDesignerFormWindowInterface* form) const;

    QPointer<zkButton> m_button;
    QAction* m_action;
};

class zkButtonTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit zkButtonTaskMenuFactory(QExtensionManager* parent = nullptr)
        : QExtensionFactory(parent) {}

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};
