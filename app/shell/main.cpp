#include "app_composition.h"
#include "main_window.h"
#include "toolbar_host.h"

#include <QApplication>
#include <QFont>

namespace {
// The program's UI font; IPA P Gothic stands in for it on Linux.
const QString kUiFontFamily = QStringLiteral("ＭＳ Ｐゴシック");
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folivo"));
    QApplication::setDesktopFileName(QStringLiteral("folivo"));
    QFont::insertSubstitutions(kUiFontFamily,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    QFont font(kUiFontFamily, 9);
    QApplication::setFont(font);

    folivo::MainWindow window;
    folivo::AttachToolbar(window);
    folivo::ComposeApplication(window);
    window.Load();
    window.show();
    return app.exec();
}
