#pragma once
// Shared picture objects of the zkButton2 library.
//
// A picture is handed around by reference (zkPictureRef): setting one on two buttons
// shares the object. A picture "holds an image" when its handle is not 0; the empty
// picture (or a null reference) means none. Pictures are immutable once made, so a
// shared one never changes under a button.
#include "zkbutton2_export.h"
#include <QImage>
#include <QObject>
#include <QSharedPointer>
#include <QString>

class ZKBUTTON2_EXPORT zkPicture : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Handle READ handle CONSTANT)
    Q_PROPERTY(int Type READ type CONSTANT)
    Q_PROPERTY(int Width READ width CONSTANT)
    Q_PROPERTY(int Height READ height CONSTANT)
    Q_PROPERTY(QString Source READ source CONSTANT)

public:
    // The host's picture types; only bitmaps may be painted by PaintPicture.
    enum PictureType { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhMetafile = 4 };
    Q_ENUM(PictureType)

    // An empty picture: handle 0, type None, size 0 x 0.
    zkPicture();
    // A picture of the given image; a null image gives the empty picture. `source` is the
    // file reference a form stores for it (empty when the picture was made in memory).
    explicit zkPicture(const QImage& image, PictureType type = Bitmap, QString source = {});

    // Loads BMP, JPEG, GIF, PNG or ICO (".ico"/".cur" files become icons). A file that
    // cannot be read gives a null reference.
    static QSharedPointer<zkPicture> fromFile(const QString& path);

    int handle() const { return m_handle; }
    int type() const { return m_type; }
    bool holdsPicture() const { return m_handle != 0; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }
    const QString& source() const { return m_source; }

private:
    QImage m_image;
    int m_handle = 0;
    int m_type = None;
    QString m_source;
};

using zkPictureRef = QSharedPointer<zkPicture>;

// True when the reference names a picture that holds an image.
inline bool zkHoldsPicture(const zkPictureRef& p) {
    return p && p->holdsPicture();
}
