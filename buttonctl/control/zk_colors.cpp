#include "zk_colors.h"

namespace {
QPalette::ColorRole roleOf(int index, QPalette::ColorGroup& group) {
    group = QPalette::Active;
    switch (index) {
    case 5:
        return QPalette::Base; // window
    case 6:
        return QPalette::Shadow; // window frame
    case 7:
        return QPalette::WindowText; // menu text
    case 8:
        return QPalette::Text; // window text
    case 13:
        return QPalette::Highlight; // highlight
    case 14:
        return QPalette::HighlightedText; // highlight text
    case 15:
        return QPalette::Button; // button face
    case 16:
        return QPalette::Dark; // button shadow
    case 17:                   // grey text
        group = QPalette::Disabled;
        return QPalette::Text;
    case 18:
        return QPalette::ButtonText; // button text
    case 20:
        return QPalette::Light; // 3D highlight
    case 21:
        return QPalette::Shadow; // 3D dark shadow
    case 22:
        return QPalette::Midlight; // 3D light
    case 23:
        return QPalette::ToolTipText; // info text
    case 24:
        return QPalette::ToolTipBase; // info background
    case 9:
    case 19:
        return QPalette::HighlightedText; // caption texts
    case 2:
    case 3:
        return QPalette::Highlight; // captions
    case 0:
    case 12:
        return QPalette::Mid; // scroll bar, application workspace
    default:
        return QPalette::Window; // desktop, menu, borders, the rest
    }
}
} // namespace

QColor zkResolveColor(quint32 oleColor, const QPalette& palette) {
    if ((oleColor & 0xFF000000u) == 0x80000000u) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = roleOf(static_cast<int>(oleColor & 0xFFu), group);
        return palette.color(group, role);
    }
    return QColor(static_cast<int>(oleColor & 0xFF), static_cast<int>((oleColor >> 8) & 0xFF),
                  static_cast<int>((oleColor >> 16) & 0xFF));
}

quint32 zkToOleColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return zkRgbToOle(rgb);
}

quint32 zkRgbToOle(QRgb rgb) {
    return static_cast<quint32>(qRed(rgb)) | (static_cast<quint32>(qGreen(rgb)) << 8) |
           (static_cast<quint32>(qBlue(rgb)) << 16);
}
