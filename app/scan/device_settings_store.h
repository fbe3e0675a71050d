#pragma once
// The layer's own settings file: the default source and each device's last used options.
//
// The file is "scanner.ini" in the user's configuration folder, under "Folivo"
// (never the program's Folivo.ini). Options are kept in the order the device lists them,
// because setting one (the mode) can change what the next one (the depth) accepts.
#include "sane_device.h"

#include <QString>
#include <utility>
#include <vector>

namespace folivo {

using SavedOptions = std::vector<std::pair<QString, QString>>; // option name, value text

class DeviceSettingsStore {
public:
    explicit DeviceSettingsStore(QString filePath = DefaultFilePath());
    static QString DefaultFilePath();
    const QString& filePath() const { return m_path; }

    QString defaultDevice() const;
    void setDefaultDevice(const QString& device);
    SavedOptions options(const QString& device) const;
    void setOptions(const QString& device, const SavedOptions& options);

private:
    QString m_path;
};

// Values of every active option the user can set and read, in device order.
SavedOptions CaptureOptions(SaneDevice& device);
// Sets the saved values the device accepts (unknown, inactive or refused ones are passed
// over); answers how many were set.
int ApplyOptions(SaneDevice& device, const SavedOptions& options);

} // namespace folivo
