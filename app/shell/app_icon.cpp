#include "app_icon.h"

#include <QApplication>

// The picture lives in a static library, whose resources must be registered by hand, and
// Q_INIT_RESOURCE must not be used inside a namespace.
static void InitAppIconResource() {
    Q_INIT_RESOURCE(app_icon);
}

namespace folivo {

QIcon AppIcon() {
    InitAppIconResource();
    return QIcon(QStringLiteral(":/folivo/folivo.svg"));
}

void InstallAppIcon() {
    QApplication::setWindowIcon(AppIcon());
}

} // namespace folivo
