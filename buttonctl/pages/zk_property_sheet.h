#pragma once
// The property sheet of zkButton: a dialog showing the library's four property pages as
// tabs, in the order the control lists them (ボタン, ピクチャ, 色, フォント), for a list of
// selected controls. OK applies every page whose changed flag is set and closes; Apply does
// the same and stays open (it is enabled only while some page is changed); Cancel closes.
// A failure of the selection or of an apply is shown in the sheet and keeps it open. A
// one-line status line under the tabs describes the property the focused editor edits.
//
// zkCreatePropertyPage makes one page by its class name ("ppgButton", ...), or nullptr.
#include "zk_host.h"
#include "zk_page_services.h"
#include "zkbutton2_export.h"

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTabWidget;
class zkPropertyPage;

ZKBUTTON2_EXPORT zkPropertyPage*
zkCreatePropertyPage(const QString& className, zkPageServices services, QWidget* parent = nullptr);

class ZKBUTTON2_EXPORT zkPropertySheet : public QDialog {
    Q_OBJECT

public:
    explicit zkPropertySheet(const QList<QObject*>& objects, zkPageServices services = {},
                             QWidget* parent = nullptr);
    ~zkPropertySheet() override;

    QTabWidget* tabs() const { return m_tabs; }
    int pageCount() const { return int(m_pages.size()); }
    zkPropertyPage* page(int index) const { return m_pages.at(index); }
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;
    QPushButton* applyButton() const;
    // The failure that reading the selection or the last apply met; code 0 when none.
    zkHostError lastError() const { return m_lastError; }

    // Applies the changed pages in tab order; stops at the first failure.
    zkHostError apply();

signals:
    // Around the writes of one apply (a form designer groups them into one undo step).
    void aboutToApply();
    void applied();

private:
    void updateApplyButton();
    void showError(const zkHostError& error);
    void showFocusedProperty();
    void showStatus();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_status = nullptr;
    QString m_statusText;
    QMetaObject::Connection m_focusWatch;
    QList<zkPropertyPage*> m_pages;
    zkHostError m_lastError;
};
