#pragma once
// The scan area of a device: its four options tl-x, tl-y, br-x and br-y, read and written
// together as one rectangle in their unit (millimetres or pixels).
//
// The glass is the largest area the options' limits allow; the steps are their quantisation
// (0 when any value goes). A device without all four numeric options has no area.
#include "sane_device.h"

#include <QRectF>
#include <optional>
#include <vector>

namespace folivo {

struct ScanArea {
    OptionInfo left, top, right, bottom;

    static std::optional<ScanArea> find(const std::vector<OptionInfo>& options);
    QRectF glass() const;
    double stepX() const;
    double stepY() const;
    SANE_Unit unit() const { return left.unit; }

    std::optional<QRectF> read(SaneDevice& device) const;
    // Sets the four options in an order that never turns the area over on the way, so a
    // strict device accepts each step. Answers whether the device asks for its options to
    // be read again.
    bool write(SaneDevice& device, const QRectF& area) const;
};

} // namespace folivo
