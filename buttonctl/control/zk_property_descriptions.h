#pragma once
// The descriptions the library gives zkButton's properties, in Japanese, as a property
// browser shows them. Properties without one (hWnd, hdc, ScaleHeight, ScaleWidth,
// UseMnemonic) answer an empty string.
#include <QString>
#include <span>

namespace zk {

struct PropertyDescription {
    const char* property;
    const char* text; // UTF-8
};

// Every described property, in the order of the control's interface.
std::span<const PropertyDescription> propertyDescriptions();
QString propertyDescription(QStringView property);

} // namespace zk
