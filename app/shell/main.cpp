#include "app_composition.h"
#include "app_font.h"
#include "main_window.h"
#include "toolbar_host.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folivo"));
    QApplication::setDesktopFileName(QStringLiteral("folivo"));
    folivo::InstallUiFont();
    // Qt's own standard dialogs (folder picker, file dialogs) speak Japanese with the rest.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    folivo::MainWindow window;
    folivo::AttachToolbar(window);
    folivo::ComposeApplication(window);
    window.Load();
    window.show();
    return app.exec();
}
