#pragma once
// Small pictures of page files for the lists that show sheets.
#include <QImage>
#include <QString>

namespace folivo {

// The picture of the file scaled to fit `edge` x `edge` pixels with its proportions kept
// (at least one pixel each way); null when the file cannot be read.
QImage ReadThumbnail(const QString& file, int edge);

} // namespace folivo
