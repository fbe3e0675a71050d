#pragma once
// A started main window with its toolbar made from libzkbutton2, and what the tests need
// to look at the buttons from outside: their published properties, their pictures and
// the nine buttons as the window's design lists them.
#include "main_window_fixture.h"
#include "toolbar_host.h"

#include <QImage>
#include <QVariant>
#include <QWidget>
#include <array>
#include <ostream>

// Readable QString values in failure messages (QString lives in the global namespace).
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace folivo::test {

struct ExpectedButton {
    const char* name;
    int left; // twips
    int top;
    int tabIndex;
    const char* menuItem;
    const char* toolTip;
};

// The toolbar as the window's design gives it, left to right.
inline const std::array<ExpectedButton, 9> kExpectedButtons{{
    {"zkSelect", 0, 40, 2, "menuSorce", "TWAINデバイスのソースを選択します。"},
    {"zkScan", 375, 40, 1, "menuScan", "TWAINデバイスから新しいスキャンを行います。"},
    {"zkClip", 750, 40, 3, "menuClip",
     "TWAINデバイスからスキャンした画像ファイルをクリップボードにコピーします。"},
    {"zkBookPDF", 1125, 40, 4, "menuBook", "複数のスキャンした画像をPDFファイルに変換します。"},
    {"zkBMP", 1500, 45, 5, "menuSaveBMP", "スキャンした画像をBMPファイルに保存します。"},
    {"zkJPEG", 1875, 45, 6, "menuSaveJPEG", "スキャンした画像をJPEGファイルに保存します。"},
    {"zkPDF", 2250, 45, 7, "menuSavePDF", "スキャンした画像をPDFファイルに保存します。"},
    {"zkhelp", 2625, 45, 8, "menuMokuji", "ヘルプファイルを表示します。"},
    {"zkExit", 3000, 45, 9, "menuExit", "アプリケーションを終了させます。"},
}};

// A picture or font property of the control as the QObject it refers to (null if none).
QObject* PropertyObject(const QWidget* control, const char* property);
// The picture a picture property holds, as an image (null image if none).
QImage PictureImage(const QWidget* control, const char* property);
// The share (0..1) of the picture's visible pixels that the control's rendered face shows
// exactly as the picture drawn over the face colour, at the best position in the face.
double PictureShownShare(QWidget* control, const QImage& picture);
// The built-in form description without its comment lines.
QByteArray BuiltInDescription();

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
