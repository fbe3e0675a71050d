// Renders the property sheet's four pages (in Japanese) to PNG files for the manual's
// developer section: ppg-button.png, ppg-picture.png, ppg-color.png, ppg-font.png.
// Usage: zkbutton_pages_screenshots <output folder>   (run on the offscreen platform)
#include "zk_property_sheet.h"
#include "zkbutton.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

zkPictureRef samplePicture() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 110, 200));
    p.setPen(QPen(QColor(20, 40, 90), 2));
    p.drawRoundedRect(QRectF(4, 6, 24, 20), 3, 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 6, 6);
    return zkPictureRef::create(image);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;

    QWidget form;
    auto* scan = new zkButton(&form);
    scan->setObjectName(QStringLiteral("cmdScan"));
    scan->InitProperties();
    scan->setCaption(QStringLiteral("スキャン(&S)"));
    scan->setPicture(samplePicture());
    scan->setForeColor(0x80000012);
    scan->setButtonFont(zkFontRef::create(QStringLiteral("IPAPGothic"), 9));
    auto* save = new zkButton(&form);
    save->setObjectName(QStringLiteral("cmdSave"));
    save->InitProperties();
    save->setCaption(QStringLiteral("保存"));
    save->setForeColor(0x80000012);
    save->setButtonFont(zkFontRef::create(QStringLiteral("IPAPGothic"), 9, true));

    zkPropertySheet sheet({scan, save});
    sheet.resize(560, 420);
    sheet.show();

    // Make each page show something worth seeing, as a user would.
    auto* list = sheet.findChild<QListWidget*>(QStringLiteral("lstPicture"));
    list->setCurrentRow(3);
    sheet.tabs()->setCurrentIndex(2);
    QTest::mousePress(sheet.findChild<QLabel*>(QStringLiteral("lblList2")), Qt::LeftButton);

    const char* names[] = {"ppg-button.png", "ppg-picture.png", "ppg-color.png", "ppg-font.png"};
    int failures = 0;
    for (int i = 0; i < sheet.tabs()->count(); ++i) {
        sheet.tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        const QString path = out.filePath(QLatin1String(names[i]));
        // Written under a temporary name and renamed when complete.
        const QString part = path + QStringLiteral(".part");
        if (!sheet.grab().save(part, "PNG") || (QFile::exists(path) && !QFile::remove(path)) ||
            !QFile::rename(part, path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
