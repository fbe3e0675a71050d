#pragma once
// The source's own dialog: the device's options, grouped as the device groups them, with
// Scan and Cancel.
//
// Every change goes to the device at once; afterwards the values are read back (the
// device may round them), and when the device asks for it (SANE_INFO_RELOAD_OPTIONS) the
// whole form is built again, since options may have come, gone or changed their limits.
// Inactive options are disabled; options the device only reports are read-only; advanced
// ones show only while the advanced box is ticked. exec() answers Accepted for Scan.
#include "option_editors.h"
#include "sane_device.h"

#include <QDialog>
#include <map>
#include <memory>
#include <vector>

class QCheckBox;
class QVBoxLayout;

namespace folivo {

class ScanDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ScanDialog(SaneDevice& device, QWidget* parent = nullptr);
    ~ScanDialog() override;

    // The editor of an option, for tests and presets; nullptr when it has none.
    OptionEditor* editor(const QString& optionName) const;
    bool showsAdvanced() const;

private:
    void rebuild();
    void refreshValues();
    void onEdited(OptionEditor* editor);
    void applyAdvancedVisibility();

    SaneDevice& m_device;
    QWidget* m_form = nullptr;
    QVBoxLayout* m_formLayout = nullptr;
    QCheckBox* m_advanced = nullptr;
    std::vector<std::unique_ptr<OptionEditor>> m_editors;
    std::map<OptionEditor*, QWidget*> m_rows;
};

} // namespace folivo
