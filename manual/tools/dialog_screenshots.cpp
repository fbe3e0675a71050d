// Draws the manual's pictures of the settings and information windows.
// Usage: folivo_dialog_screenshots <output folder> <program folder> [icon file]
// The program folder becomes $FOLIVO_HOME: a settings file with sample choices is written
// there and the folder picker starts in it. Exits non-zero when a picture is not written.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "book_pdf_prompt.h"
#include "compression_dialogs.h"
#include "platform_ports.h"
#include "settings.h"
#include "sheet_strip.h"
#include "ui_ports.h"

#include "qt_translation.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

class SilentMessages final : public folivo::MessageBoxes {
public:
    void information(const QString&, const QString&) override {}
};

void Settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Shoot(QWidget* window, const QString& file) {
    window->show();
    Settle(300);
    const bool saved = window->grab().save(file, "PNG");
    std::fprintf(stderr, "%s %s (%dx%d)\n", saved ? "wrote" : "FAILED", qPrintable(file),
                 window->width(), window->height());
    window->close();
    return saved;
}

// The program's own UI font: "ＭＳ Ｐゴシック" 9 pt, drawn with IPA P Gothic on Linux.
void UseProgramFont() {
    const QString family = QString::fromUtf16(u"ＭＳ Ｐゴシック");
    QFont::insertSubstitutions(
        family, {QStringLiteral("IPAPGothic"), QString::fromUtf16(u"IPA Pゴシック")});
    QApplication::setFont(QFont(family, 9));
}

void WriteSamples() {
    using folivo::WriteSetting;
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Flag"), QStringLiteral("True"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Type"), QStringLiteral("2"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Path"),
                 QString::fromUtf16(u"/home/user/スキャン"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("False"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("4"));
    WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QStringLiteral("True"));
}

// A printed-looking sheet: a heading bar and lines of "text"; `sideways` lies on its side
// as a sheet put on the glass the wrong way round.
QImage SampleSheet(int number, bool sideways) {
    QImage sheet(210, 297, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(20, 20, 120, 16, QColor(40, 70, 140));
    for (int y = 56; y < 260; y += 14)
        painter.fillRect(20, y, 170 - (y * 7 + number * 31) % 60, 6, QColor(90, 90, 90));
    painter.end();
    return sideways ? sheet.transformed(QTransform().rotate(90)) : sheet;
}

// The multi-page prompt over four gathered sheets, the third one lying on its side.
bool ShootSheetStrip(const QString& tmp, const QString& file) {
    folivo::SheetStrip strip({});
    for (int i = 1; i <= 4; ++i) {
        const QString sheet = tmp + QStringLiteral("/TMP%1.BMP").arg(i, 5, 10, QChar(u'0'));
        SampleSheet(i, i == 3).save(sheet, "BMP");
        strip.add(sheet);
    }
    auto* prompt = new folivo::frmBookPDF(nullptr);
    prompt->present({folivo::kNextSheetCaption, strip.count(), &strip});
    prompt->stripView()->setCurrentRow(2);
    return Shoot(prompt, file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    folivo::InstallQtTranslation();
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s <output folder> <program folder> [icon]\n", argv[0]);
        return 2;
    }
    const QDir out(args.at(1));
    const QString home = QDir(args.at(2)).absolutePath();
    qputenv("FOLIVO_HOME", home.toUtf8());
    UseProgramFont();
    if (args.size() > 3)
        QApplication::setWindowIcon(QIcon(args.at(3)));
    for (const char16_t* folder : {u"スキャン", u"書類", u"tmp"})
        QDir(home).mkpath(QString::fromUtf16(folder));
    WriteSamples();

    SilentMessages messages;
    bool ok = true;
    ok &= Shoot(new folivo::frmAutosave(QStringLiteral("JPEG"),
                                        std::make_shared<folivo::QtFolderPicker>(), messages),
                out.filePath(QStringLiteral("autosave.png")));
    ok &= Shoot(new folivo::frmCompJPEG(), out.filePath(QStringLiteral("compression-jpeg.png")));
    ok &= Shoot(new folivo::frmCompPDF(), out.filePath(QStringLiteral("compression-pdf.png")));
    ok &= Shoot(new folivo::frmAbout(std::make_shared<folivo::NullRegistry>(),
                                     std::make_shared<folivo::QtProcessLauncher>(), messages),
                out.filePath(QStringLiteral("about.png")));
    std::unique_ptr<QFileDialog> picker(folivo::MakeFolderDialog(nullptr, home));
    picker->resize(640, 420);
    ok &= Shoot(picker.get(), out.filePath(QStringLiteral("folder-picker.png")));
    ok &= ShootSheetStrip(QDir(home).filePath(QStringLiteral("tmp")),
                          out.filePath(QStringLiteral("sheet-strip.png")));
    return ok ? 0 : 1;
}
