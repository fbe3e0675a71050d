#pragma once
// The source's own dialog: the glass with the scan area on the left, the device's options
// on the right, with Scan and Cancel.
//
// The options a user reaches for (source, mode, resolution and the scan area) come first;
// every other one, grouped as the device groups them, shows only while the "details" box
// is ticked. Titles and list values are in the user's language where SANE has them.
// Every change goes to the device at once; afterwards the values are read back (the
// device may round them), and when the device asks for it (SANE_INFO_RELOAD_OPTIONS) the
// whole form is built again, since options may have come, gone or changed their limits.
// Inactive options are disabled; options the device only reports are read-only.
//
// The area rectangle always shows the device's four area options; dragging it, or the
// keyboard on it, sets them. The preview button (offered when a preview scan is given)
// scans the whole glass at a low resolution and shows it under the rectangle.
// exec() answers Accepted for Scan.
#include "option_editors.h"
#include "sane_device.h"
#include "scan_area.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QFormLayout;
class QScrollArea;
class QVBoxLayout;

namespace folivo {

class PreviewWidget;

class ScanDialog final : public QDialog {
    Q_OBJECT
public:
    // Scans the whole glass for the preview, with `owner` as the progress dialog's parent.
    using PreviewScan = std::function<std::optional<QImage>(QWidget* owner)>;

    explicit ScanDialog(SaneDevice& device, QWidget* parent = nullptr, PreviewScan preview = {});
    ~ScanDialog() override;

    // The editor of an option, for tests and presets; nullptr when it has none.
    OptionEditor* editor(const QString& optionName) const;
    bool showsAdvanced() const;
    PreviewWidget* preview() const { return m_preview; }

private:
    QWidget* buildPreviewPane();
    void rebuild();
    void addRow(QFormLayout* rows, const OptionInfo& info, QWidget* box);
    void refreshValues();
    void onEdited(OptionEditor* editor);
    void chooseArea(const QRectF& area);
    void runPreview();
    void applyAdvancedVisibility();
    void fitToScreen();

    SaneDevice& m_device;
    PreviewScan m_previewScan;
    std::optional<ScanArea> m_area;
    QWidget* m_previewPane = nullptr;
    PreviewWidget* m_preview = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_form = nullptr;
    QVBoxLayout* m_formLayout = nullptr;
    QCheckBox* m_advanced = nullptr;
    std::vector<std::unique_ptr<OptionEditor>> m_editors;
    std::vector<QWidget*> m_detailGroups;
};

} // namespace folivo
