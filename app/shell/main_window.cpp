#include "main_window.h"

namespace folivo {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Folivo"));
}

} // namespace folivo
