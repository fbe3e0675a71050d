#include "toolbar_fixture.h"

#include <QFile>
#include <QHash>
#include <cstdlib>

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

namespace {
QRgb blend(QRgb over, QRgb under) {
    const int a = qAlpha(over);
    auto mix = [a](int o, int u) { return (o * a + u * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                mix(qBlue(over), qBlue(under)));
}

// The face colour: the commonest shown colour where the picture is fully transparent.
QRgb faceColour(const QImage& shot, const QImage& picture, int dx, int dy) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) == 0 && shot.valid(x + dx, y + dy))
                ++counts[shot.pixel(x + dx, y + dy) | 0xff000000];
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    return best;
}

double shareAt(const QImage& shot, const QImage& picture, int dx, int dy) {
    const QRgb face = faceColour(shot, picture, dx, dy);
    int visible = 0, shown = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) == 0)
                continue;
            ++visible;
            if (shot.valid(x + dx, y + dy) &&
                ChannelDistance(shot.pixel(x + dx, y + dy), blend(p, face)) <= 3)
                ++shown;
        }
    return visible ? double(shown) / visible : 0.0;
}
} // namespace

double PictureShownShare(QWidget* control, const QImage& picture) {
    const QImage shot = control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    double best = 0;
    for (int dy = -2; dy <= shot.height() - picture.height() + 2; ++dy)
        for (int dx = -2; dx <= shot.width() - picture.width() + 2; ++dx)
            best = std::max(best, shareAt(shot, picture, dx, dy));
    return best;
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
