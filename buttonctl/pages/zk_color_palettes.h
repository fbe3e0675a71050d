#pragma once
// The two palettes of the colour page and the colour dialog's flags rule.
//
// Entry 0 of each palette is its custom entry ("<ユーザ設定...>"), starting as white and
// becoming the last colour picked in the colour dialog from that palette; its colour is
// the page's, so the tables give only the fixed entries 1 to n.
#include <QList>
#include <QString>

namespace zk::pages {

struct PaletteEntry {
    QString name;
    quint32 color; // 0x00BBGGRR, or 0x800000nn for system colour nn
};

inline constexpr quint32 kCustomStart = 0xFFFFFF;
QString customEntryName();
// Entries 1 to 16 of the standard palette and 1 to 25 of the system palette.
const QList<PaletteEntry>& standardPalette();
const QList<PaletteEntry>& systemPalette();

// 0x81 (initial colour, solid colours only) when red, green and blue are each 0, 192 or
// 255; otherwise 0x03 (initial colour, custom section open).
unsigned colorDialogFlags(quint32 initialColor);

} // namespace zk::pages
