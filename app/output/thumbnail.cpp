#include "thumbnail.h"

#include <QImageReader>

namespace folivo {

QImage ReadThumbnail(const QString& file, int edge) {
    QImageReader reader(file);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

} // namespace folivo
