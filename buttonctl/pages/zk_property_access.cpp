#include "zk_property_access.h"

#include <QObject>

namespace zk::pages {

zkHostError noObject() {
    return {kErrorNoObject, QStringLiteral("the control is no longer there")};
}

zkHostError noProperty(const char* name) {
    return {kErrorNoProperty,
            QStringLiteral("the control has no property %1").arg(QLatin1String(name))};
}

PropertyRead readProperty(const QObject* object, const char* name) {
    if (!object)
        return {{}, noObject()};
    QVariant value = object->property(name);
    if (!value.isValid())
        return {{}, noProperty(name)};
    return {std::move(value), {}};
}

SelectionValues readSelection(const QList<QObject*>& objects, const QList<const char*>& names) {
    SelectionValues out;
    if (objects.isEmpty()) {
        out.error = {kErrorNoSelection, QStringLiteral("no control is selected")};
        return out;
    }
    out.agree.assign(static_cast<size_t>(names.size()), true);
    for (const char* name : names) {
        PropertyRead r = readProperty(objects.first(), name);
        if (r.error.failed()) {
            out.error = r.error;
            return out;
        }
        out.first << r.value;
    }
    for (qsizetype o = 1; o < objects.size(); ++o) {
        for (qsizetype n = 0; n < names.size(); ++n) {
            const PropertyRead r = readProperty(objects[o], names[n]);
            if (r.error.failed()) {
                out.error = r.error;
                return out;
            }
            if (r.value != out.first[n])
                out.agree[static_cast<size_t>(n)] = false;
        }
    }
    return out;
}

} // namespace zk::pages
