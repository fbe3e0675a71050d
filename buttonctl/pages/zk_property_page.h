#pragma once
// The property-page protocol of zkButton's design-time pages.
//
// A host (the property sheet, a form designer) creates a page once, hands it the selected
// controls with selectionChanged (at least one; each is reached only through its
// properties by name), asks applyChanges when the user confirms, and watches the page's
// changed flag to enable its Apply button. Both operations stop at the first property a
// control cannot answer and return that failure; values already written stay written.
// The page keeps weak references: a control deleted meanwhile is reported, never touched.
#include "zk_host.h"
#include "zk_library.h"
#include "zk_page_services.h"
#include "zkbutton2_export.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class ZKBUTTON2_EXPORT zkPropertyPage : public QWidget {
    Q_OBJECT

public:
    explicit zkPropertyPage(zkPageServices services, QWidget* parent = nullptr);

    // The tab caption ("ボタン", "ピクチャ", "色", "フォント").
    virtual QString title() const = 0;
    virtual zkHostError selectionChanged(const QList<QObject*>& objects) = 0;
    virtual zkHostError applyChanges() = 0;

    bool isChanged() const { return m_changed; }

    // The property an editor of this page edits (the sheet describes it in its status
    // line): by default the one its published name holds after the three-letter kind
    // ("chkEnabled": Enabled), looked for from the editor outwards; empty when none.
    virtual QString propertyOf(const QWidget* editor) const;

signals:
    void changedFlagChanged(bool changed);
    // A page whose editors all work on one chosen property moved to another one.
    void currentPropertyChanged();

protected:
    void setChanged(bool on);
    // Stores the selection; fails when it is empty.
    zkHostError takeSelection(const QList<QObject*>& objects);
    // The selection as it is now; a deleted control gives an error.
    zkHostError liveSelection(QList<QObject*>& out) const;
    // Writes `value` to the property `name` of every selected control, first to last.
    zkHostError writeToAll(const char* name, const QVariant& value) const;
    const zkPageServices& services() const { return m_services; }

private:
    zkPageServices m_services;
    QList<QPointer<QObject>> m_selection;
    bool m_changed = false;
    zk::LiveObject m_live;
};
