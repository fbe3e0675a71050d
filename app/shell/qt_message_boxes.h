#pragma once
// The real message boxes: QMessageBox with the information icon and one OK button.
#include "ui_ports.h"

#include <QPointer>
#include <QWidget>

namespace folivo {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : m_parent(parent) {}
    void information(const QString& title, const QString& prompt) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace folivo
