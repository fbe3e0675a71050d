#pragma once
// A started main window with its toolbar made from libzkbutton2, and what the tests need
// to look at the buttons from outside: the command each one runs.
#include "main_window_fixture.h"
#include "toolbar_host.h"

#include <QFile>
#include <QWidget>
#include <array>

namespace folivo::test {

// The buttons left to right, each with the menu command it runs.
struct ExpectedButton {
    const char* name;
    const char* menuItem;
};
inline const std::array<ExpectedButton, 9> kExpectedButtons{{
    {"zkSelect", "menuSorce"},
    {"zkScan", "menuScan"},
    {"zkClip", "menuClip"},
    {"zkBookPDF", "menuBook"},
    {"zkBMP", "menuSaveBMP"},
    {"zkJPEG", "menuSaveJPEG"},
    {"zkPDF", "menuSavePDF"},
    {"zkhelp", "menuMokuji"},
    {"zkExit", "menuExit"},
}};

// The built-in form description without its comment lines.
inline QByteArray BuiltInDescription() {
    QFile file{QLatin1String(kToolbarFormPath)};
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray out;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.startsWith('\''))
            out += line + '\n';
    return out.chopped(1); // split gave one more (empty) piece than there are newlines
}

class ToolbarTest : public MainWindowTest {
protected:
    std::unique_ptr<MainWindow> startWithToolbar(const ToolbarSource& source = {}) {
        auto window = makeWindow();
        toolbar = new Toolbar(*window, source);
        window->Load();
        return window;
    }
    // The window with its toolbar restored, before the start-up switches any button off.
    std::unique_ptr<MainWindow> restoreOnly(const ToolbarSource& source = {}) {
        auto window = makeWindow();
        toolbar = new Toolbar(*window, source);
        return window;
    }
    QWidget* button(const char* name) const { return toolbar->button(QLatin1String(name)); }
    // Records the menu items run, for every item a toolbar button names.
    void recordCommands(MainWindow& window) {
        for (const ExpectedButton& b : kExpectedButtons) {
            const QString item = QLatin1String(b.menuItem);
            window.setCommand(item, [this, item] { ran.append(item); });
        }
    }

    Toolbar* toolbar = nullptr;
    QStringList ran;
};

} // namespace folivo::test
