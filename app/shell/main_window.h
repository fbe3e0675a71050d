#pragma once
#include <QMainWindow>

namespace folivo {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace folivo
