#include "app_composition.h"
#include "app_font.h"
#include "app_icon.h"
#include "main_window.h"
#include "ocr_engine.h"
#include "qt_translation.h"
#include "sane_text.h"
#include "toolbar_host.h"

#include <QApplication>

int main(int argc, char** argv) {
    folivo::RestartWithOcrThreadLimit(argv);
    QApplication app(argc, argv);
    folivo::PrepareSaneText();
    QApplication::setApplicationName(QStringLiteral("Folivo"));
    QApplication::setDesktopFileName(QStringLiteral("folivo"));
    folivo::InstallUiFont();
    folivo::InstallAppIcon();
    folivo::InstallQtTranslation();

    folivo::MainWindow window;
    folivo::AttachToolbar(window);
    folivo::AppParts& parts = folivo::ComposeApplication(window);
    window.Load();
    window.show();
    parts.offerRecovery();
    return app.exec();
}
