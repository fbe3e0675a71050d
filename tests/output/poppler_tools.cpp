#include "poppler_tools.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace folivo::test {
namespace {

QByteArray run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

bool HasPoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

std::vector<ListedImage> ListImages(const QString& pdf) {
    std::vector<ListedImage> images;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
            .split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u' ', Qt::SkipEmptyParts);
        if (f.size() < 14)
            continue;
        images.push_back(
            {f[8], f[3].toInt(), f[4].toInt(), f[7].toInt(), f[12].toInt(), f[13].toInt()});
    }
    return images;
}

std::vector<QSizeF> PageSizes(const QString& pdf) {
    // "Page    2 size: 841.8 x 595.2 pts (A4)"
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "100000", pdf}))
            .split(u'\n', Qt::SkipEmptyParts);
    std::vector<QSizeF> sizes;
    for (const QString& line : lines) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        if (f.size() >= 6 && f[0] == "Page" && f[2] == "size:")
            sizes.emplace_back(f[3].toDouble(), f[5].toDouble());
    }
    return sizes;
}

QImage RenderPage(const QString& pdf, int page, int dpi, bool grey) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page")), number = QString::number(page);
    QStringList args{"-r", QString::number(dpi), "-f", number, "-l", number, "-singlefile"};
    if (grey)
        args << "-gray";
    run(QStringLiteral("pdftoppm"), args << pdf << prefix);
    return QImage(prefix + (grey ? ".pgm" : ".ppm"));
}

QString PdfText(const QString& pdf, bool boxes) {
    QStringList args;
    if (boxes)
        args << QStringLiteral("-bbox");
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-")));
}

} // namespace folivo::test
