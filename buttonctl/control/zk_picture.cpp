#include "zk_picture.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Handles are process-unique and never 0, so "holds a picture" is handle != 0.
int nextHandle() {
    static QAtomicInt counter(0);
    return counter.fetchAndAddRelaxed(1) + 1;
}
} // namespace

zkPicture::zkPicture() = default;

zkPicture::zkPicture(const QImage& image, PictureType type, QString source)
    : m_image(image), m_source(std::move(source)) {
    if (!m_image.isNull()) {
        m_handle = nextHandle();
        m_type = type;
    }
}

QSharedPointer<zkPicture> zkPicture::fromFile(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    const QString suffix = QFileInfo(path).suffix().toLower();
    const PictureType type =
        (suffix == QLatin1String("ico") || suffix == QLatin1String("cur")) ? Icon : Bitmap;
    return QSharedPointer<zkPicture>::create(image, type, path);
}
