#include "device_settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace folivo {

namespace {

const QString kDefaultKey = QStringLiteral("Source/Default");

// Device names hold ":" and "/", which QSettings would read as structure.
QString GroupOf(const QString& device) {
    return QStringLiteral("Device-") + QString::fromLatin1(device.toUtf8().toHex());
}

} // namespace

DeviceSettingsStore::DeviceSettingsStore(QString filePath) : m_path(std::move(filePath)) {}

QString DeviceSettingsStore::DefaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Folivo/scanner.ini");
}

QString DeviceSettingsStore::defaultDevice() const {
    return QSettings(m_path, QSettings::IniFormat).value(kDefaultKey).toString();
}

void DeviceSettingsStore::setDefaultDevice(const QString& device) {
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(kDefaultKey, device);
}

SavedOptions DeviceSettingsStore::options(const QString& device) const {
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(GroupOf(device));
    const QStringList names = settings.value(QStringLiteral("Names")).toStringList();
    const QStringList values = settings.value(QStringLiteral("Values")).toStringList();
    SavedOptions result;
    for (qsizetype i = 0; i < names.size() && i < values.size(); ++i)
        result.emplace_back(names[i], values[i]);
    return result;
}

void DeviceSettingsStore::setOptions(const QString& device, const SavedOptions& options) {
    QStringList names;
    QStringList values;
    for (const auto& [name, value] : options) {
        names.append(name);
        values.append(value);
    }
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(GroupOf(device));
    settings.setValue(QStringLiteral("Names"), names);
    settings.setValue(QStringLiteral("Values"), values);
}

SavedOptions CaptureOptions(SaneDevice& device) {
    SavedOptions saved;
    for (const OptionInfo& info : device.options()) {
        if (!info.isSettable() || info.name.isEmpty())
            continue;
        if (const std::optional<OptionValue> v = device.value(info))
            saved.emplace_back(info.name, SerializeOptionValue(info, *v));
    }
    return saved;
}

int ApplyOptions(SaneDevice& device, const SavedOptions& options) {
    int applied = 0;
    std::vector<OptionInfo> current = device.options();
    for (const auto& saved : options) {
        const QString& name = saved.first;
        const QString& text = saved.second;
        const auto info = std::find_if(current.begin(), current.end(),
                                       [&](const OptionInfo& o) { return o.name == name; });
        if (info == current.end() || !info->isSettable() || !info->isActive())
            continue;
        const std::optional<OptionValue> value = ParseOptionValue(*info, text);
        if (!value)
            continue;
        const SetResult r = device.setValue(*info, *value);
        if (r.status == SANE_STATUS_GOOD)
            ++applied;
        if (r.reloadOptions)
            current = device.options();
    }
    return applied;
}

} // namespace folivo
