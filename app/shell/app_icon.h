#pragma once
// The program's icon (the scalable picture installed for the desktop), set for the whole
// application, so the main window, every dialog and the About box show it.
#include <QIcon>

namespace folivo {

QIcon AppIcon();
void InstallAppIcon();

} // namespace folivo
