// Driver of bench/ocr_bench.sh: text recognition on A4 pages at 300 dpi drawn here with
// IPA Gothic (Japanese lines, a vertical column, English), through the program's own
// recogniser, background cache and PDF exporter.
// Usage: ocr_bench_tool page <folder>          time per page and added PDF size
//        ocr_bench_tool run <folder> <sheets> <seconds apart>
//                                              完了 to PDF when sheets arrive apart
#include "book_pdf_command.h"
#include "ocr_engine.h"
#include "page_document.h"
#include "page_text_cache.h"
#include "pdf_exporter.h"
#include "pdf_stream_cache.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QThread>
#include <cstdio>
#include <ctime>

namespace {

using namespace folivo;

const QString kJapanese = QStringLiteral(
    "本日の会議では、来年度の予算案と新しい事業計画について説明がありました。各部署は今月末までに"
    "意見をまとめて提出してください。");
const QString kEnglish = QStringLiteral(
    "The quarterly report shows revenue growth of 12 percent compared with last year.");

// A dense A4 page: 30 Japanese lines, 8 English lines and one vertical column.
QImage drawPage(int number) {
    QImage page(2480, 3508, QImage::Format_Grayscale8);
    page.fill(Qt::white);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    QPainter painter(&page);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(42);
    painter.setFont(font);
    painter.drawText(200, 200, QStringLiteral("第 %1 ページ").arg(number));
    for (int i = 0; i < 30; ++i)
        painter.drawText(QRect(200, 280 + i * 80, 1900, 70), Qt::AlignLeft,
                         kJapanese.mid((i * 7) % 20, 40));
    for (int i = 0; i < 8; ++i)
        painter.drawText(200, 2800 + i * 80, kEnglish);
    for (int i = 0; i < 24; ++i)
        painter.drawText(2250, 300 + i * 60, kJapanese.mid(i, 1));
    return page;
}

QString savedPage(const QString& folder, int number) {
    const QString path = folder + QStringLiteral("/sheet%1.bmp").arg(number, 3, 10, QChar(u'0'));
    drawPage(number).save(path);
    return path;
}

qint64 exportedSize(const PageDocument& doc, const QString& path, PageTextCache* text) {
    PdfExporter exporter;
    exporter.setTextSource(text);
    OcrSetting setting;
    setting.on = text != nullptr;
    if (exporter.exportDocument(doc, path, {}, setting) != WriteResult::Ok)
        return -1;
    return QFileInfo(path).size();
}

int benchPage(const QString& folder) {
    const QString sheet = savedPage(folder, 1);
    const QImage picture(sheet);
    auto engine = MakeTesseractEngine(OcrLanguage::JapaneseEnglish);
    const std::atomic<bool> never{false};
    QElapsedTimer clock;
    clock.start();
    const OcrPage first = engine->recognise(picture, never);
    const double withLoad = clock.restart() / 1000.0;
    // CPU time as well: on a shared machine the wall clock says more about the others.
    const std::clock_t cpu = std::clock();
    const OcrPage again = engine->recognise(picture, never);
    const double loaded = clock.elapsed() / 1000.0;
    const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    std::printf("A4 300 dpi page, jpn+eng: %.2f s (first, models loading), %.2f s (next, "
                "%.2f s CPU); %zu words\n",
                withLoad, loaded, cpuSeconds, again.words.size());
    PageDocument doc;
    LayOutSheets(doc, {sheet});
    PageTextCache cache;
    const qint64 plain = exportedSize(doc, folder + QStringLiteral("/plain.pdf"), nullptr);
    const qint64 text = exportedSize(doc, folder + QStringLiteral("/text.pdf"), &cache);
    std::printf("PDF: %lld bytes without text, %lld with; text layer adds %lld bytes\n",
                (long long)plain, (long long)text, (long long)(text - plain));
    return first.status == OcrStatus::Done && plain > 0 && text > plain ? 0 : 1;
}

int benchRun(const QString& folder, int sheets, double apart) {
    PdfStreamCache streams;
    PageTextCache text;
    std::vector<QString> files;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= sheets; ++i) {
        // A person puts the next sheet on the glass; the scan itself is not timed here.
        if (i > 1)
            QThread::msleep(static_cast<unsigned long>(apart * 1000));
        files.push_back(savedPage(folder, i));
        streams.prepare(files.back(), true, {});
        text.prepare(files.back(), OcrLanguage::JapaneseEnglish);
    }
    const auto atDone = text.progress();
    clock.restart(); // 完了
    const std::clock_t cpu = std::clock();
    PageDocument doc;
    LayOutSheets(doc, files);
    PdfExporter exporter;
    exporter.setStreamCache(&streams);
    exporter.setTextSource(&text);
    const OcrSetting setting{true, OcrLanguage::JapaneseEnglish};
    const WriteResult result =
        exporter.exportDocument(doc, folder + QStringLiteral("/book.pdf"), {}, setting);
    std::printf("%d sheets %.1f s apart: %d / %d recognised at 完了, PDF written %.2f s after "
                "完了 (%.2f s CPU), %d pages without text\n",
                sheets, apart, atDone.finished, atDone.total, clock.elapsed() / 1000.0,
                double(std::clock() - cpu) / CLOCKS_PER_SEC, exporter.untextedPictures());
    return result == WriteResult::Ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    RestartWithOcrThreadLimit(argv);
    QApplication app(argc, argv);
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == QLatin1String("page"))
        return benchPage(folder);
    if (mode == QLatin1String("run") && argc == 5)
        return benchRun(folder, std::atoi(argv[3]), std::atof(argv[4]));
    std::fprintf(stderr, "usage: %s page <folder> | run <folder> <sheets> <seconds>\n", argv[0]);
    return 2;
}
