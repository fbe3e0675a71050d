// Searchable PDFs: a page drawn here with IPA Gothic at 300 dpi goes through the real
// recogniser and the exporter, and poppler reads the text layer back; a fake recogniser
// drives the background cache through failures, a cancel and a replaced sheet.
#include "page_document.h"
#include "page_text_cache.h"
#include "pdf_exporter.h"
#include "poppler_tools.h"
#include "test_images.h"

#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <mutex>

namespace folivo {
namespace {

constexpr double kDpi = 300;
constexpr double kPointsPerPixel = 72.0 / kDpi;
constexpr double kTwipsPerPixel = 1440.0 / kDpi;
const QStringList kLines{QStringLiteral("東京都の会議で新しい計画が発表されました"),
                         QStringLiteral("請求書の金額と支払期限を確認してください")};
const QString kColumn = QStringLiteral("縦書きの文章も読めます");
const QString kWord = QStringLiteral("Invoice");

struct TestPage {
    QImage image;
    QRect word; // where kWord's ink is, in pixels
};

// Two Japanese lines, one vertical Japanese column and an English line, 12 pt.
TestPage drawPage() {
    TestPage page{QImage(2480, 1400, QImage::Format_Grayscale8), {}};
    page.image.fill(Qt::white);
    page.image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    page.image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    QPainter painter(&page.image);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(50);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    for (int i = 0; i < kLines.size(); ++i)
        painter.drawText(200, 250 + i * 110, kLines[i]);
    for (int i = 0; i < kColumn.size(); ++i)
        painter.drawText(2000, 250 + i * 70, kColumn.mid(i, 1));
    const QString english = kWord + QStringLiteral(" number 4711 is due next Monday");
    painter.drawText(200, 600, english);
    page.word = metrics.tightBoundingRect(kWord).translated(200, 600);
    return page;
}

// Fewest edits that turn `phrase` into some stretch of `text`.
int editsToStretch(const QString& phrase, const QString& text) {
    std::vector<int> row(std::size_t(text.size()) + 1, 0);
    for (int i = 1; i <= phrase.size(); ++i) {
        std::vector<int> next(row.size(), i);
        for (int j = 1; j <= text.size(); ++j)
            next[j] = std::min(
                {row[j] + 1, next[j - 1] + 1, row[j - 1] + (phrase[i - 1] == text[j - 1] ? 0 : 1)});
        row = std::move(next);
    }
    return *std::min_element(row.begin(), row.end());
}

class OcrTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The recognition module is built beside every test program: its absence is a
        // broken build, never a reason to skip.
        ASSERT_NE(MakeTesseractEngine(OcrLanguage::English), nullptr);
        if (!MissingOcrModels(OcrLanguage::JapaneseEnglish).isEmpty() || !test::HasPoppler())
            GTEST_SKIP() << "needs the Tesseract models and poppler";
        m_page = drawPage();
        ASSERT_TRUE(m_page.image.save(m_dir.filePath(QStringLiteral("sheet.bmp"))));
        m_doc.StartDoc();
        m_doc.DrawPicture(m_dir.filePath(QStringLiteral("sheet.bmp")), 0, 0,
                          qRound(m_page.image.width() * kTwipsPerPixel),
                          qRound(m_page.image.height() * kTwipsPerPixel));
        m_doc.EndDoc();
    }
    QString exported(const QString& name, bool text, PageTextSource* source) {
        PdfExporter exporter;
        exporter.setTextSource(source);
        OcrSetting setting;
        setting.on = text;
        EXPECT_EQ(exporter.exportDocument(m_doc, m_dir.filePath(name), {}, setting),
                  WriteResult::Ok);
        return m_dir.filePath(name);
    }
    QTemporaryDir m_dir;
    TestPage m_page;
    PageDocument m_doc;
};

TEST_F(OcrTest, TheTextLayerIsFoundReadAccuratelyAndPlacedWhereTheWordWasDrawn) {
    PageTextCache cache;
    const QString pdf = exported(QStringLiteral("text.pdf"), true, &cache);
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("4711"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Monday"))) << text.toStdString();

    QString japanese = text;
    japanese.remove(QRegularExpression(QStringLiteral("[\\x00-\\x7f]")));
    int edits = 0, length = 0;
    for (const QString& phrase : kLines + QStringList{kColumn}) {
        edits += editsToStretch(phrase, japanese);
        length += int(phrase.size());
    }
    EXPECT_LE(edits, length / 20) << japanese.toStdString(); // at least 95 % right

    const QRegularExpression word(
        QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re") +
        kWord + u'<');
    const auto match = word.match(test::PdfText(pdf, true));
    ASSERT_TRUE(match.hasMatch());
    constexpr double kTwoMm = 72.0 * 2 / 25.4;
    const QRectF drawn(m_page.word.left() * kPointsPerPixel, m_page.word.top() * kPointsPerPixel,
                       m_page.word.width() * kPointsPerPixel,
                       m_page.word.height() * kPointsPerPixel);
    EXPECT_NEAR(match.captured(1).toDouble(), drawn.left(), kTwoMm);
    EXPECT_NEAR(match.captured(2).toDouble(), drawn.top(), kTwoMm);
    EXPECT_NEAR(match.captured(3).toDouble(), drawn.right(), kTwoMm);
    EXPECT_NEAR(match.captured(4).toDouble(), drawn.bottom(), kTwoMm);
}

// A page out of time or stopped by the user gives no words at all, not half a page.
TEST_F(OcrTest, TimeLimitAndCancelEndARecognitionWithoutWords) {
    const struct {
        int limitMs;
        bool cancel;
        OcrStatus status;
    } cases[] = {{1, false, OcrStatus::TimedOut},
                 {kOcrPageTimeLimitMs, true, OcrStatus::Cancelled}};
    for (const auto& c : cases) {
        const std::atomic<bool> cancel{c.cancel};
        const OcrPage page = MakeTesseractEngine(OcrLanguage::JapaneseEnglish, c.limitMs)
                                 ->recognise(m_page.image, cancel);
        EXPECT_EQ(page.status, c.status);
        EXPECT_TRUE(page.words.empty());
    }
}

// Reads a picture's grey level as its one word; "fail" pictures (grey 10) fail and
// "slow" ones (grey 20) run until cancelled.
class FakeEngine final : public OcrEngine {
public:
    OcrPage recognise(const QImage& picture, const std::atomic<bool>& cancel) override {
        const int grey = qGray(picture.pixel(0, 0));
        OcrPage page{OcrStatus::Done, picture.width(), picture.height(), {}};
        if (grey == 10)
            page.status = OcrStatus::Failed;
        while (grey == 20 && !cancel)
            QThread::msleep(5);
        page.status = cancel ? OcrStatus::Cancelled : page.status;
        if (page.status == OcrStatus::Done)
            page.words.push_back({QStringLiteral("grey%1").arg(grey), QRect(2, 2, 30, 8)});
        return page;
    }
};

TEST(PageTextCache, GivenUpPagesGoWithoutTextAndAReplacedSheetIsReadAnew) {
    if (!test::HasPoppler())
        GTEST_SKIP() << "needs poppler";
    QTemporaryDir dir;
    auto sheet = [&](const char* name, int grey) {
        QImage image(40, 20, QImage::Format_Grayscale8);
        image.fill(QColor(grey, grey, grey));
        EXPECT_TRUE(image.save(dir.filePath(QString::fromLatin1(name))));
        return dir.filePath(QString::fromLatin1(name));
    };
    PageTextCache cache([](OcrLanguage) { return std::make_unique<FakeEngine>(); });
    std::mutex lock;
    QStringList givenUp;
    QObject::connect(&cache, &PageTextCache::pageGivenUp, [&](const QString& name, OcrStatus) {
        std::lock_guard guard(lock);
        givenUp << name;
    });
    // Cancelling at the wait, once the quick pages are done, leaves the slow one.
    cache.setWaiter([](PageTextCache& c) {
        while (c.progress().finished < c.progress().total - 1)
            QThread::msleep(5);
        c.cancelPending();
    });
    const QString replaced = sheet("a.bmp", 200);
    cache.prepare(replaced, OcrLanguage::Japanese);
    cache.waitUntilFinished();
    sheet("a.bmp", 100); // scanned again after its words were made
    {
        // File times are coarse: make sure the new scan does not look like the old one.
        QFile again(replaced);
        ASSERT_TRUE(again.open(QIODevice::ReadWrite));
        again.setFileTime(QDateTime::currentDateTime().addSecs(60),
                          QFileDevice::FileModificationTime);
    }
    PageDocument doc;
    doc.StartDoc();
    for (const QString& file : {replaced, sheet("b.bmp", 10), sheet("c.bmp", 20)}) {
        if (file != replaced)
            doc.NewPage();
        doc.DrawPicture(file, 0, 0, 4000, 2000);
    }
    doc.EndDoc();
    PdfExporter exporter;
    exporter.setTextSource(&cache);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_EQ(exporter.exportDocument(doc, pdf, {}, {true, OcrLanguage::Japanese}),
              WriteResult::Ok);
    const QStringList pages = test::PdfText(pdf).split(u'\f');
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(pages[0].trimmed(), QStringLiteral("grey100"));
    EXPECT_EQ(pages[1].trimmed(), QString());
    EXPECT_EQ(pages[2].trimmed(), QString());
    EXPECT_EQ(exporter.untextedPictures(), 2);
    EXPECT_EQ(givenUp, QStringList{QStringLiteral("b.bmp")});

    // The layer is invisible, and with the option off the file is the plain one.
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString off = dir.filePath(QStringLiteral("off.pdf"));
    ASSERT_EQ(PdfExporter().exportDocument(doc, plain), WriteResult::Ok);
    ASSERT_EQ(exporter.exportDocument(doc, off, {}, {false, OcrLanguage::Japanese}),
              WriteResult::Ok);
    EXPECT_EQ(test::ReadBytes(off), test::ReadBytes(plain));
    EXPECT_EQ(test::RenderPage(pdf, 1, 30, true), test::RenderPage(plain, 1, 30, true));
}

} // namespace
} // namespace folivo
