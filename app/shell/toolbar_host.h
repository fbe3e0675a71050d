#pragma once
// The main window's toolbar: nine zkButtons created from libzkbutton2 at run time and
// restored from the window's form description.
//
// Contract:
// - AttachToolbar(window) is called after the window is constructed and before Load():
//   it loads the library, creates one button per block of the form description on the
//   window's client area, restores each through ReadProperties, places it in twips, sets
//   its tab order and tooltip, and registers the scanner and save buttons with the window
//   so that the window's enable switches cover them. The toolbar belongs to the window.
// - A button's Click runs its menu command through MainWindow::runCommand; MouseMove puts
//   its tooltip text into the status line.
// - When the library or the description cannot be loaded the window has no toolbar and,
//   once it is shown, the status line says so (once). Blocks that are not toolbar
//   buttons, or whose position values are damaged, are passed over.
// - The form description is ":/forms/frmMain.frm"; its pictures come from ":/forms", or
//   from ":/forms/2x" (pictures of twice the size) when a button is 48 pixels or more.
#include "button_library.h"
#include "button_site.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QWidget;

namespace folivo {

class MainWindow;

inline constexpr const char* kToolbarFormPath = ":/forms/frmMain.frm";

// What the status line says when the toolbar cannot be made.
QString NoToolbarMessage();

struct ToolbarSource {
    QString formPath = QLatin1String(kToolbarFormPath);
    QString pictureFolder; // empty: chosen by the button size, as described above
};

class Toolbar : public QObject {
    Q_OBJECT
public:
    explicit Toolbar(MainWindow& window, const ToolbarSource& source = {});
    ~Toolbar() override;

    bool isLoaded() const { return m_failure.isEmpty(); }
    QString failure() const { return m_failure; } // why there is no toolbar
    QWidget* button(const QString& name) const;
    QList<QWidget*> buttons() const; // in the order of the description
    ButtonSite site(const QString& name) const;
    QString pictureFolder() const { return m_pictureFolder; }

    // The buttons written back as a form description: each block holds the window's keys
    // (button_site.h), then what the control's WriteProperties stores. Empty without a
    // toolbar.
    QByteArray describe() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        QString name;
        ButtonSite site;
    };

    QString build(const ToolbarSource& source);
    bool place(FormDescription& form, int index);
    void applyTabOrder();
    void reportFailureWhenShown();

    MainWindow& m_window;
    std::unique_ptr<ButtonLibrary> m_library;
    QList<Placed> m_buttons;
    QString m_failure;
    QString m_pictureFolder;
};

// Builds the window's toolbar (see above); the toolbar is a child of the window.
Toolbar* AttachToolbar(MainWindow& window);

} // namespace folivo
