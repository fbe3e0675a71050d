#include "toolbar_fixture.h"

#include <QFile>

namespace folivo::test {

QImage PictureImage(const QWidget* control, const char* property) {
    // The control's picture is a shared pointer to a QObject; Qt converts it to the plain
    // object pointer.
    const QVariant value = control->property(property);
    const QObject* picture = value.canConvert<QObject*>() ? value.value<QObject*>() : nullptr;
    if (!picture)
        return {};
    const QString source = picture->property("Source").toString();
    const int width = picture->property("Width").toInt();
    // The description names files under the picture folder; the control keeps that name.
    for (const char* folder : {":/forms/", ":/forms/2x/"}) {
        QImage image(QLatin1String(folder) + source);
        if (!image.isNull() && image.width() == width)
            return image.convertToFormat(QImage::Format_ARGB32);
    }
    return {};
}

QByteArray BuiltInDescription() {
    QFile file{QLatin1String(kToolbarFormPath)};
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray out;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.startsWith('\''))
            out += line + '\n';
    return out.chopped(1); // split gave one more (empty) piece than there are newlines
}

} // namespace folivo::test
