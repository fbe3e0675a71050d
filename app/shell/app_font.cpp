#include "app_font.h"

#include <QApplication>
#include <QFont>

namespace folivo {

void InstallUiFont() {
    QFont::insertSubstitutions(kUiFontFamily,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    QApplication::setFont(QFont(kUiFontFamily, kUiFontPointSize));
}

} // namespace folivo
