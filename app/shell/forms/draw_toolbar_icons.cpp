// Draws the nine toolbar pictures of the main window's form description: for each button
// a normal, a pressed ("_down") and a disabled ("_disabled") picture, at 24 pixels into
// <out>/icons and at 48 pixels into <out>/icons-2x. All designs share one 24-unit grid,
// one outline colour and one palette; content keeps a two-unit margin so the button's
// border stays visible.
//
//   draw_toolbar_icons <out folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <initializer_list>

namespace {

const QColor kInk(43, 58, 74);
const QColor kPaper(250, 250, 246);
const QColor kBlue(61, 123, 217);
const QColor kGreen(46, 160, 90);
const QColor kRed(214, 58, 48);
const QColor kOrange(235, 150, 40);
const QColor kBrown(160, 112, 64);
const QColor kSteel(150, 162, 176);

using Design = std::function<void(QPainter&)>;

void outlined(QPainter& p, const QColor& fill, qreal width = 1.2) {
    p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

QPainterPath closedPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

// A flatbed scanner seen from the front, lid closed.
void scannerBody(QPainter& p) {
    outlined(p, kSteel);
    p.drawRoundedRect(QRectF(2.5, 12.5, 19, 8), 1.5, 1.5);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(3.5, 15.5), QPointF(20.5, 15.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(16, 17.5, 3, 1.5));
}

// A sheet with a folded corner, its top-left at (x, y).
void sheet(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    const QPainterPath path =
        closedPath({{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}});
    outlined(p, kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 4, y), QPointF(x + w - 4, y + 4));
    p.drawLine(QPointF(x + w - 4, y + 4), QPointF(x + w, y + 4));
}

void textLines(QPainter& p, qreal x, qreal y, qreal w, int count) {
    p.setPen(QPen(kSteel, 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + i * 2.5), QPointF(x + w, y + i * 2.5));
}

// The blue downward arrow that marks the save buttons.
void saveArrow(QPainter& p) {
    const QPainterPath arrow =
        closedPath({{17, 12}, {20, 12}, {20, 16}, {22.5, 16}, {18.5, 21.5}, {14.5, 16}, {17, 16}});
    outlined(p, kBlue, 1);
    p.drawPath(arrow);
}

void drawSelect(QPainter& p) {
    scannerBody(p);
    // A list of sources with the chosen one ticked.
    outlined(p, kPaper);
    p.drawRoundedRect(QRectF(4.5, 2.5, 12, 8), 1, 1);
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(6.5, 6.5), QPointF(8, 8), QPointF(10.5, 4.5)}));
    p.setPen(QPen(kSteel, 1));
    p.drawLine(QPointF(12, 5), QPointF(15, 5));
    p.drawLine(QPointF(12, 7.5), QPointF(15, 7.5));
}

void drawScan(QPainter& p) {
    sheet(p, 6.5, 1.5, 11, 10);
    textLines(p, 8.5, 4.5, 5, 3);
    scannerBody(p);
    // The light bar sweeping the glass.
    p.setPen(QPen(kGreen, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 11.5), QPointF(20, 11.5));
}

void drawClip(QPainter& p) {
    outlined(p, kBrown);
    p.drawRoundedRect(QRectF(4.5, 3.5, 15, 18), 1.5, 1.5);
    outlined(p, kPaper);
    p.drawRect(QRectF(6.5, 6.5, 11, 13));
    textLines(p, 8.5, 10, 7, 3);
    outlined(p, kSteel);
    p.drawRoundedRect(QRectF(8.5, 2, 7, 3.5), 1, 1);
}

void drawBookPdf(QPainter& p) {
    sheet(p, 8.5, 1.5, 11, 14);
    sheet(p, 6.5, 3.5, 11, 14);
    sheet(p, 4.5, 5.5, 11, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRectF(5.2, 14, 9.6, 4));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(6.5, 16), QPointF(13.5, 16));
}

void drawSaveBmp(QPainter& p) {
    sheet(p, 2.5, 2.5, 13, 18);
    // A few coloured pixels: the raw bitmap.
    const QColor cells[] = {kRed, kGreen, kBlue, kOrange, kBlue, kRed, kGreen, kOrange, kRed};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(cells[i]);
        p.drawRect(QRectF(4.5 + (i % 3) * 3, 8 + (i / 3) * 3, 2.6, 2.6));
    }
    saveArrow(p);
}

void drawSaveJpeg(QPainter& p) {
    sheet(p, 2.5, 2.5, 13, 18);
    // A small photograph: sun over hills.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 225, 250));
    p.drawRect(QRectF(4.5, 8, 9, 9));
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(11, 10.5), 1.6, 1.6);
    const QPainterPath hills =
        closedPath({{4.5, 17}, {7.5, 12.5}, {10, 15}, {11.5, 13.5}, {13.5, 17}});
    p.setBrush(kGreen);
    p.drawPath(hills);
    saveArrow(p);
}

void drawSavePdf(QPainter& p) {
    sheet(p, 2.5, 2.5, 13, 18);
    textLines(p, 4.5, 7, 8, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRectF(3.2, 14.5, 11.6, 4));
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(5, 16.5), QPointF(13, 16.5));
    saveArrow(p);
}

void drawHelp(QPainter& p) {
    outlined(p, kBlue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    // The question mark as strokes, so it does not depend on the fonts installed.
    QPainterPath hook;
    hook.moveTo(8.8, 9.3);
    hook.cubicTo(8.8, 5.5, 15.2, 5.5, 15.2, 9.3);
    hook.cubicTo(15.2, 11.6, 12, 11.8, 12, 14.2);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 17.6), 1.5, 1.5);
}

void drawExit(QPainter& p) {
    // An open door and an arrow leaving through it.
    outlined(p, kSteel);
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    const QPainterPath door = closedPath({{3.5, 2.5}, {10.5, 5}, {10.5, 23}, {3.5, 21.5}});
    outlined(p, kBrown);
    p.drawPath(door);
    const QPainterPath arrow = closedPath(
        {{12, 10.5}, {17, 10.5}, {17, 7.5}, {22, 12.5}, {17, 17.5}, {17, 14.5}, {12, 14.5}});
    outlined(p, kRed, 1);
    p.drawPath(arrow);
}

QImage render(const Design& design, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    design(p);
    return image;
}

// Pressed: the same design a shade darker, as if in the button's shadow.
QImage pressed(const QImage& normal) {
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = out.pixelColor(x, y);
            out.setPixelColor(
                x, y,
                QColor::fromHsvF(c.hsvHueF(), c.hsvSaturationF(), c.valueF() * 0.8, c.alphaF()));
        }
    return out;
}

// Disabled: grey, low contrast and pale, so it reads as switched off at a glance.
QImage disabled(const QImage& normal) {
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = out.pixelColor(x, y);
            const int grey = 150 + qGray(c.rgb()) * 80 / 255;
            out.setPixelColor(x, y, QColor(grey, grey, grey, c.alpha() * 3 / 4));
        }
    return out;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
    return image.save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: draw_toolbar_icons <out folder>");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const std::pair<const char*, Design> designs[] = {
        {"zkSelect", drawSelect},   {"zkScan", drawScan},   {"zkClip", drawClip},
        {"zkBookPDF", drawBookPdf}, {"zkBMP", drawSaveBmp}, {"zkJPEG", drawSaveJpeg},
        {"zkPDF", drawSavePdf},     {"zkhelp", drawHelp},   {"zkExit", drawExit},
    };
    const std::pair<const char*, int> sizes[] = {{"icons", 24}, {"icons-2x", 48}};
    for (const auto& [subfolder, size] : sizes) {
        const QString folder = QDir(out).filePath(QLatin1String(subfolder));
        QDir().mkpath(folder);
        for (const auto& [name, design] : designs) {
            const QImage normal = render(design, size);
            const QString base = QLatin1String(name);
            if (!save(normal, folder, base) || !save(pressed(normal), folder, base + "_down") ||
                !save(disabled(normal), folder, base + "_disabled")) {
                qWarning("cannot write pictures into %s", qPrintable(folder));
                return 1;
            }
        }
    }
    return 0;
}
