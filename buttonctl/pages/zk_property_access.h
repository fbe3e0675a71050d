#pragma once
// Late-bound access to the selected controls: properties are read and compared by name.
#include "zk_host.h"

#include <QList>
#include <QVariant>
#include <vector>

class QObject;

namespace zk::pages {

// Error numbers a page reports for the controls it cannot reach.
inline constexpr int kErrorNoObject = 91;    // the control (or its font) is gone
inline constexpr int kErrorNoProperty = 438; // the control lacks the property
inline constexpr int kErrorNoSelection = 5;  // nothing was selected

zkHostError noObject();
zkHostError noProperty(const char* name);

struct PropertyRead {
    QVariant value;
    zkHostError error;
};
PropertyRead readProperty(const QObject* object, const char* name);

// The values of `names` on the first object, and for each name whether every further
// object has the same value (the agreement flags).
struct SelectionValues {
    QVariantList first;
    std::vector<bool> agree;
    zkHostError error;
};
SelectionValues readSelection(const QList<QObject*>& objects, const QList<const char*>& names);

} // namespace zk::pages
