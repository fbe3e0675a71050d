#pragma once
// Sets "name=value" options on a device for a benchmark: numbers as numbers, the rest as
// text. Tells on stderr which option the device refused.
#include "sane_device.h"

#include <QStringList>
#include <cstdio>

namespace folivo {

inline bool SetBenchOptions(SaneDevice& device, const QStringList& settings) {
    for (const QString& setting : settings) {
        const QString name = setting.section(QLatin1Char('='), 0, 0);
        const QString value = setting.section(QLatin1Char('='), 1);
        bool number = false;
        const double n = value.toDouble(&number);
        if (!(number ? device.setNumber(name, n) : device.setText(name, value))) {
            std::fprintf(stderr, "option %s refused\n", qPrintable(setting));
            return false;
        }
    }
    return true;
}

} // namespace folivo
