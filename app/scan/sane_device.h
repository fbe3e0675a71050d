#pragma once
// One open SANE device: its options and the calls of a scan.
//
// open() answers the device or the SANE status that stopped it. The device is closed
// when the object goes. Option calls answer SANE statuses; setValue() also tells whether
// the device asks for its options (or the scan parameters) to be read again. Every call
// runs on the API's scanner thread; one that is given up answers as a failed call.
#include "sane_api.h"
#include "sane_option.h"

#include <QString>
#include <memory>
#include <vector>

namespace folivo {

struct SetResult {
    SANE_Status status = SANE_STATUS_GOOD;
    bool reloadOptions = false;
    bool inexact = false;
};

class SaneDevice {
public:
    static std::unique_ptr<SaneDevice> open(SaneApi& api, const QString& name, SANE_Status* status);
    ~SaneDevice();
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    const QString& name() const { return m_name; }
    SaneApi& api() { return m_api; }
    SANE_Handle handle() const { return m_handle; }

    // Every option but option 0 (the count) and the group headers, in device order.
    std::vector<OptionInfo> options();
    std::optional<OptionInfo> option(const QString& name);
    std::optional<OptionValue> value(const OptionInfo& info);
    SetResult setValue(const OptionInfo& info, const OptionValue& value);
    SetResult press(const OptionInfo& info);

    // Shorthands for tests and presets: set an option by name from a number or text.
    bool setNumber(const QString& name, double number);
    bool setText(const QString& name, const QString& text);

    double resolution(); // dpi, 0 when the device has no resolution option

private:
    SaneDevice(SaneApi& api, QString name, SANE_Handle handle);
    SetResult control(const OptionInfo& info, SANE_Action action, std::vector<char> data);

    SaneApi& m_api;
    QString m_name;
    SANE_Handle m_handle;
};

} // namespace folivo
