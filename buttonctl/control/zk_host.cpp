#include "zk_host.h"

#include "zk_colors.h"

#include <QWidget>

bool zkSameValue(const QVariant& a, const QVariant& b) {
    const QMetaType pictureType = QMetaType::fromType<zkPictureRef>();
    if (a.metaType() == pictureType || b.metaType() == pictureType) {
        const zkPictureRef pa =
            a.metaType() == pictureType ? a.value<zkPictureRef>() : zkPictureRef();
        const zkPictureRef pb =
            b.metaType() == pictureType ? b.value<zkPictureRef>() : zkPictureRef();
        if (!zkHoldsPicture(pa) || !zkHoldsPicture(pb))
            return zkHoldsPicture(pa) == zkHoldsPicture(pb);
        return pa == pb || (pa->type() == pb->type() && pa->image() == pb->image());
    }
    if (a.metaType() == QMetaType::fromType<zkFontRef>() ||
        b.metaType() == QMetaType::fromType<zkFontRef>()) {
        const zkFontRef fa = a.value<zkFontRef>();
        const zkFontRef fb = b.value<zkFontRef>();
        if (!fa || !fb)
            return !fa && !fb;
        return fa->sameAs(*fb);
    }
    const auto numeric = [](const QVariant& v) {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            return true;
        default:
            return (v.metaType().flags() & QMetaType::IsEnumeration) != 0;
        }
    };
    if (numeric(a) && numeric(b))
        return a.toLongLong() == b.toLongLong();
    return a == b;
}

namespace {
const QWidget* source(const QWidget* button) {
    return button->parentWidget() ? button->parentWidget() : button;
}
} // namespace

quint32 zkWidgetAmbientHost::backColor() const {
    const QWidget* w = source(m_button);
    return zkToOleColor(w->palette().color(w->backgroundRole()));
}

quint32 zkWidgetAmbientHost::foreColor() const {
    const QWidget* w = source(m_button);
    return zkToOleColor(w->palette().color(w->foregroundRole()));
}

zkFontRef zkWidgetAmbientHost::font() const {
    return zkFont::fromQFont(source(m_button)->font());
}

QString zkWidgetAmbientHost::displayName() const {
    return m_button->objectName();
}

zkColorAnswer zkWidgetAmbientHost::containerFillColor() const {
    const QWidget* parent = m_button->parentWidget();
    const QVariant v = parent ? parent->property("FillColor") : QVariant();
    // A container without the property answers black.
    return {v.isValid() ? v.toUInt() : 0u, {}};
}
