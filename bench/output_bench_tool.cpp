// Driver for bench/output_bench.sh: makes realistic scanned pages and runs our JPEG
// writer and PDF exporter on them, so that the script can time each run on its own.
//
//   output_bench_tool pages <folder> <count>   colour.bmp, grey.bmp, lineart.bmp,
//                                               lineart-speckled.bmp and
//                                               colour-<n>.bmp for n = 1..count
//   output_bench_tool jpeg <source.bmp> <target.jpg> <quality> <progressive 0|1>
//   output_bench_tool pdf <target.pdf> <compression 3|0|jpeg:Q> <page.bmp>...
//                                               jpeg:Q compresses, colour and grey as
//                                               JPEG at quality Q
//   output_bench_tool levels <picture>...        libdeflate levels 1-12 on each picture's
//                                               filtered rows: ms and size (zlib RLE beside)
#include "jpeg_writer.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_picture_source.h"
#include "pdf_stream_encoder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <libdeflate.h>
#include <vector>
#include <zlib.h>

namespace {

constexpr int kWidth = 2480; // A4 at 300 dpi
constexpr int kHeight = 3508;
constexpr int kDotsPerMetre = 11811;

class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }
    int noise() { return below(5) - 2 + (below(7) == 0 ? below(5) - 2 : 0); } // mild sensor noise

private:
    std::uint32_t m_state;
};

int clampByte(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Ink coverage of a page: lines of word-like strokes, set in two columns of text with a
// heading, around a photo region.
struct Layout {
    QRect photo{1240, 700, 1000, 1300};

    // A point of the photo region: where it lies across and down (0 to 1), and the
    // light and shade of the picture there (-1 to 1).
    struct PhotoPoint {
        double u, v, wave;
    };
    PhotoPoint photoAt(int x, int y) const {
        const double u = (x - photo.left()) / 1000.0;
        const double v = (y - photo.top()) / 1300.0;
        return {u, v, std::sin(u * 9 + v * 4) * std::cos(v * 7 - u * 3)};
    }

    bool ink(int x, int y, std::uint32_t seed) const {
        if (y < 300 || y > 3300 || x < 200 || x > 2280 ||
            photo.adjusted(-40, -40, 40, 40).contains(x, y))
            return false;
        const int line = (y - 300) / 52;
        const int inLine = (y - 300) % 52;
        if (inLine < 10 || inLine > 40)
            return false;
        const std::uint32_t h = (std::uint32_t(line) * 7919u + seed) * 2246822519u;
        const int wordWidth = 60 + int(h % 140);
        const int wordPos = (x + int(h % 97)) % (wordWidth + 28);
        if (wordPos >= wordWidth)
            return false;
        // Letters: vertical stems and a few bars inside each word.
        const int letter = wordPos % 26;
        return letter < 4 || (letter < 18 && (inLine == 24 || inLine == 25 || inLine == 38));
    }
};

QImage makePage(const char* kind, std::uint32_t seed) {
    const bool colour = std::strcmp(kind, "colour") == 0;
    const bool lineart = std::strcmp(kind, "lineart") == 0;
    QImage image(kWidth, kHeight, colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    Random random(seed);
    const Layout layout;
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            int r = 246, g = 244, b = 238; // off-white paper
            if (layout.ink(x, y, seed)) {
                r = g = b = 28;
            } else if (layout.photo.contains(x, y)) {
                const auto [u, v, wave] = layout.photoAt(x, y);
                r = int(120 + 90 * wave + 40 * u);
                g = int(100 + 70 * std::sin(v * 5) + 50 * v);
                b = int(90 + 80 * std::cos(u * 6 + v * 2));
            }
            if (lineart) {
                const int grey = (r + g + b) / 3 + random.noise() * 20;
                row[x] = grey < 128 ? 0 : 255;
                continue;
            }
            if (colour) {
                row[3 * x] = std::uint8_t(clampByte(r + random.noise()));
                row[3 * x + 1] = std::uint8_t(clampByte(g + random.noise()));
                row[3 * x + 2] = std::uint8_t(clampByte(b + random.noise()));
            } else {
                row[x] = std::uint8_t(clampByte((r * 30 + g * 59 + b * 11) / 100 + random.noise()));
            }
        }
    }
    if (lineart)
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (!colour) {
        // The scanner layer writes grey as an 8-bit BMP with a grey palette.
        QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
        QList<QRgb> ramp;
        for (int i = 0; i < 256; ++i)
            ramp.append(qRgb(i, i, i));
        indexed.setColorTable(ramp);
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(indexed.scanLine(y), image.constScanLine(y), kWidth);
        return indexed;
    }
    return image;
}

// Line art as a scanner's threshold gives it for a printed page: set text (Japanese and
// Latin, in two columns under a heading) and the photo region, drawn smooth, with the same
// mild sensor noise as the other pages, cut at mid-grey.
QImage makeTextPage(std::uint32_t seed) {
    static const char* const kWords[] = {
        "文書を",          "スキャンして", "画像ファイルに", "保存します。", "複数の",   "用紙を",
        "一つの",          "PDFに",        "まとめることが", "できます。",   "Invoice",  "number",
        "2026-12-07",      "total",        "¥12,800",        "請求書",       "お支払い", "期日",
        "scanner",         "resolution",   "300 dpi",        "株式会社",     "担当者",   "様",
        "ご確認ください。"};
    QImage image(kWidth, kHeight, QImage::Format_Grayscale8);
    image.fill(243);
    const Layout layout;
    Random random(seed);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(QColor(28, 28, 28));
        QFont heading(QStringLiteral("IPAGothic"));
        heading.setPixelSize(84);
        painter.setFont(heading);
        painter.drawText(QPoint(200, 380), QStringLiteral("御見積書 Quotation No. 4711"));
        QFont body(QStringLiteral("IPAGothic"));
        body.setPixelSize(42);
        painter.setFont(body);
        const QFontMetrics metrics(body);
        for (int column = 0; column < 2; ++column) {
            const int left = column == 0 ? 200 : 1260;
            const int right = column == 0 ? 1180 : 2280;
            for (int y = 520; y < 3300; y += 62) {
                if (column == 1 && y > layout.photo.top() - 60 && y < layout.photo.bottom() + 100)
                    continue;
                int x = left;
                for (;;) {
                    const QString word =
                        QString::fromUtf8(kWords[random.below(int(std::size(kWords)))]);
                    const int width = metrics.horizontalAdvance(word);
                    if (x + width > right)
                        break;
                    painter.drawText(QPoint(x, y), word);
                    x += width + 14;
                }
            }
        }
    }
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            int grey = row[x];
            if (layout.photo.contains(x, y)) {
                grey = int(110 + 80 * layout.photoAt(x, y).wave);
            }
            row[x] = grey + random.noise() < 128 ? 0 : 255;
        }
    }
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

int makePages(const QString& folder, int count) {
    QDir().mkpath(folder);
    const auto save = [&](const QImage& image, const QString& name) {
        if (!image.save(QDir(folder).filePath(name), "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return false;
        }
        return true;
    };
    if (!save(makePage("colour", 1), QStringLiteral("colour.bmp")) ||
        !save(makePage("grey", 2), QStringLiteral("grey.bmp")) ||
        !save(makeTextPage(3), QStringLiteral("lineart.bmp")) ||
        !save(makePage("lineart", 3), QStringLiteral("lineart-speckled.bmp")))
        return 1;
    for (int n = 1; n <= count; ++n) {
        if (!save(makePage("colour", std::uint32_t(100 + n)),
                  QStringLiteral("colour-%1.bmp").arg(n)))
            return 1;
    }
    return 0;
}

int writePdf(const QString& target, const QString& compression, const QStringList& pages) {
    folivo::PageDocument document;
    for (int i = 0; i < pages.size(); ++i) {
        if (i == 0)
            document.StartDoc();
        else
            document.NewPage();
        document.DrawPicture(pages[i], 0, 0, folivo::kA4ShortTwips, folivo::kA4LongTwips);
    }
    document.EndDoc();
    folivo::PdfExporter exporter;
    folivo::PdfImageOptions images;
    if (compression.startsWith(QLatin1String("jpeg:"))) {
        images.jpeg = true;
        images.jpegQuality = compression.mid(5).toInt();
        exporter.setCompression(folivo::kPdfCompressed);
    } else {
        exporter.setCompression(compression.toInt());
    }
    const auto result = exporter.exportDocument(document, target, images);
    return result == folivo::WriteResult::Ok ? 0 : 1;
}

// The rows as the encoder hands them to deflate: encoded, then inflated again.
std::vector<std::uint8_t> filteredRows(const QString& path) {
    folivo::PagePicture picture;
    picture.filePath = path;
    const auto plan = folivo::PlanPicture(picture);
    if (!plan)
        return {};
    auto encoder = folivo::ImageStreamEncoder::create(plan->image.format, true);
    if (!encoder)
        return {};
    folivo::ReadPictureRows(picture, *plan, [&](const std::uint8_t* row) { encoder->addRow(row); });
    const auto stream = encoder->finish();
    if (!stream)
        return {};
    std::vector<std::uint8_t> rows((plan->image.format.rowBytes() + 1) *
                                   std::size_t(plan->image.format.height));
    uLongf size = uLongf(rows.size());
    if (uncompress(rows.data(), &size, stream->data.get(), uLong(stream->size)) != Z_OK)
        return {};
    return rows;
}

// Best of three, in milliseconds.
template <typename F> double bestMs(F run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

int compareLevels(const QStringList& pictures) {
    for (const QString& path : pictures) {
        const std::vector<std::uint8_t> rows = filteredRows(path);
        if (rows.empty()) {
            std::fprintf(stderr, "cannot encode %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s: %zu filtered bytes\n", qPrintable(QFileInfo(path).fileName()),
                    rows.size());
        std::vector<std::uint8_t> out(rows.size() + rows.size() / 100 + 1024);
        std::size_t size = 0;
        const double rle = bestMs([&] {
            z_stream z{};
            deflateInit2(&z, 1, Z_DEFLATED, 15, 9, Z_RLE);
            z.next_in = const_cast<Bytef*>(rows.data());
            z.avail_in = uInt(rows.size());
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, Z_FINISH);
            size = z.total_out;
            deflateEnd(&z);
        });
        std::printf("  zlib rle  %8.1f ms %10zu B\n", rle, size);
        for (int level = 1; level <= 12; ++level) {
            libdeflate_compressor* c = libdeflate_alloc_compressor(level);
            const double ms = bestMs([&] {
                size =
                    libdeflate_zlib_compress(c, rows.data(), rows.size(), out.data(), out.size());
            });
            libdeflate_free_compressor(c);
            std::printf("  level %2d  %8.1f ms %10zu B\n", level, ms, size);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // No QCoreApplication: nothing here needs an event loop, and its start-up would be
    // timed as part of the writer.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() == 4 && args[1] == QLatin1String("pages")) {
        // Setting text needs Qt's font machinery, hence an application here only.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return makePages(args[2], args[3].toInt());
    }
    if (args.size() == 6 && args[1] == QLatin1String("jpeg"))
        return folivo::SavetoJPEG(args[2], args[3], std::uint8_t(args[4].toInt()),
                                  args[5] == QLatin1String("1") ? folivo::kJpegProgressive
                                                                : folivo::kJpegBaseline);
    if (args.size() >= 5 && args[1] == QLatin1String("pdf"))
        return writePdf(args[2], args[3], args.mid(4));
    if (args.size() >= 3 && args[1] == QLatin1String("levels"))
        return compareLevels(args.mid(2));
    std::fprintf(stderr, "usage: see the comment at the top of output_bench_tool.cpp\n");
    return 2;
}
