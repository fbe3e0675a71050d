#pragma once
// OLE colour values: 0x00BBGGRR for an explicit colour, 0x800000nn for system colour nn,
// resolved through a Qt palette at drawing time.
#include <QColor>
#include <QPalette>

QColor zkResolveColor(quint32 oleColor, const QPalette& palette);
quint32 zkToOleColor(const QColor& color);
// 0x00RRGGBB of a QImage pixel as 0x00BBGGRR.
quint32 zkRgbToOle(QRgb rgb);
