// InitProperties, ReadProperties and WriteProperties of zkButton, run from the property
// table.
#include "zkbutton.h"
#include "zkbutton_p.h"

#include <QTimer>
#include <array>

// Field assignments only: nothing is passed to the surface or the holders, nothing redrawn
// or notified, and the hover timer stays off.
zkHostError zkButton::InitProperties() {
    const auto rows = zkPropertyTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const zkBagRead value = rows[i].newValue.get(*d);
        if (value.error.failed())
            return value.error;
        rows[i].field.store(d->props, value.value);
        switch (zkProperty(i)) {
        case zkProperty::Caption: // shown as it stands until it is set or loaded
            d->displayCaption = d->props.caption;
            d->accessKeys.clear();
            break;
        case zkProperty::Default:
            d->updateShortcuts();
            break;
        case zkProperty::Font:
            d->watchFont();
            break;
        default:
            break;
        }
    }
    return {};
}

zkHostError zkButton::ReadProperties(zkPropertyBag& bag) {
    // Saving order, except that ForeColor is read before FocusRectMargin.
    static constexpr std::array<int, 31> loadOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                   11, 12, 13, 14, 16, 15, 17, 18, 19, 20, 21,
                                                   22, 23, 24, 25, 26, 27, 28, 29, 30};
    static_assert(loadOrder.size() == std::size_t(zkProperty::Value) + 1);
    for (const int index : loadOrder) {
        const zkPropertyRow& row = zkRowOf(zkProperty(index));
        const zkBagRead fallback = row.bagDefault.get(*d);
        if (fallback.error.failed())
            return fallback.error;
        const zkBagRead read = bag.read(QString::fromLatin1(row.key), fallback.value);
        if (read.error.failed())
            return read.error;
        row.field.store(d->props, read.value);
        if (row.passOn)
            row.passOn(*d);
    }
    d->deriveDisplayCaption();
    d->input.hoverState = -1;
    d->input.pressed = false;
    if (d->host->userMode()) {
        d->timer->start();
        d->input.hoverArmed = true;
    }
    d->redraw(zbsNormal);
    return {};
}

zkHostError zkButton::WriteProperties(zkPropertyBag& bag) const {
    for (const zkPropertyRow& row : zkPropertyTable()) {
        const zkBagRead fallback = row.bagDefault.get(*d);
        if (fallback.error.failed())
            return fallback.error;
        const zkHostError error =
            bag.write(QString::fromLatin1(row.key), row.field.get(d->props), fallback.value);
        if (error.failed())
            return error;
    }
    return {};
}
