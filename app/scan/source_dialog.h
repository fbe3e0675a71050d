#pragma once
// The source-selection dialog: the scanners found (vendor, model, device name), a button
// that looks for them again, and OK / Cancel. The chosen device's name is chosen().
#include "sane_api.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace folivo {

using DeviceFinder = std::function<std::vector<DeviceEntry>()>;

class SourceDialog final : public QDialog {
    Q_OBJECT
public:
    SourceDialog(DeviceFinder finder, const QString& current, QWidget* parent = nullptr);
    QString chosen() const;
    void redetect();

private:
    void fill(const std::vector<DeviceEntry>& devices, const QString& select);
    void updateOk();

    DeviceFinder m_finder;
    QTreeWidget* m_list;
    QPushButton* m_ok;
};

} // namespace folivo
