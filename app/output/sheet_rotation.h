#pragma once
// Quarter turns of scanned sheets without loss: the stored pixels are moved, never
// resampled or converted, so a 1-bit page stays 1-bit with its palette, a grey page keeps
// its palette and a colour page its exact colours; the resolution turns with the page.
#include <QImage>
#include <QString>

namespace folivo {

// The image turned by 90 degrees; null for a format it does not turn losslessly (only
// 1-bit, 8-bit and 32-bit formats are turned).
QImage QuarterTurn(const QImage& image, bool clockwise);

// Rewrites the BMP file turned by a quarter through the durable writer. False when the
// file cannot be read or turned, or the new file cannot be written in full (a full
// disk): the sheet then stays as it was, byte for byte.
bool RotateSheetFile(const QString& file, bool clockwise);

} // namespace folivo
