// zkbutton2-hello: a window with one zkButton. Clicking it (or Alt+Q) prints the click
// position and quits. With --click the program presses the button itself, for a check
// without a person: it exits with 0 only when the Click event arrived.
#include <zkbutton.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("zkButton2"));
    window.resize(200, 80);

    auto* button = new zkButton(&window);
    button->setGeometry(40, 20, 120, 40);
    button->setCaption(QStringLiteral("&Quit"));
    bool clicked = false;
    QObject::connect(button, &zkButton::Click, &app, [&](int& b, int&, int& x, int& y) {
        std::printf("Click: button %d at %d, %d\n", b, x, y);
        clicked = true;
        app.quit();
    });
    window.show();

    const bool selfCheck = app.arguments().contains(QStringLiteral("--click"));
    if (selfCheck)
        QTimer::singleShot(0, button, [&] {
            button->performPress();
            app.quit();
        });
    const int result = app.exec();
    return selfCheck && !clicked ? 1 : result;
}
