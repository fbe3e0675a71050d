#include "image_writers.h"

#include "jpeg_writer.h"
#include "ocr_progress.h"
#include "ocr_setting.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_image_setting.h"
#include "settings.h"
#include "ui_ports.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <cmath>
#include <limits>
#include <optional>

namespace folivo {
namespace {

constexpr qint64 kCopyChunk = 1 << 20;

// A stored step read as a 16-bit whole number: surrounding blanks are allowed and a
// fraction is rounded to the nearest (halves to even), as a numeric conversion would.
constexpr int kDefaultJpegStep = 5;

std::optional<int> parseStep(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

void reportWrite(StatusReporter& status, const QString& target, WriteResult result,
                 const QString& endLine, const QString& failedTitle, const QString& written) {
    if (result == WriteResult::Ok)
        status.SetStatus(EndLineNaming(endLine, written));
    else
        status.ShowMessage(failedTitle, WriteFailurePrompt(target, result));
}

// The kept image as BMP bytes, as the page file would have held them.
QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) ||
        !QImageWriter(&buffer, "bmp").write(image))
        return {};
    return bytes;
}

} // namespace

PageSource CurrentPage(const QString& currentImageFile, const PageDocument& document) {
    if (!currentImageFile.isEmpty() || document.pages().empty())
        return PageSource(currentImageFile);
    const auto& pictures = document.pages().front().pictures;
    if (pictures.empty() || !pictures.front().filePath.isEmpty())
        return PageSource(currentImageFile);
    return PageSource(pictures.front().image);
}

WriteResult CopyBmp(const PageSource& page, const FileTarget& target) {
    if (page.file.isEmpty()) {
        const QByteArray bytes = bmpBytes(page.image);
        if (bytes.isEmpty())
            return WriteResult::SourceUnreadable;
        if (!CanWriteTarget(target))
            return WriteResult::TargetUnwritable;
        DurableFile out(target);
        if (!out.open() || out.write(bytes) != bytes.size())
            return WriteResult::TargetUnwritable;
        return CommitResult(out);
    }
    QFile source(page.file);
    if (!source.open(QIODevice::ReadOnly))
        return WriteResult::SourceUnreadable;
    if (!CanWriteTarget(target))
        return WriteResult::TargetUnwritable;
    DurableFile out(target);
    if (!out.open())
        return WriteResult::TargetUnwritable;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kCopyChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return WriteResult::SourceUnreadable; // the temporary file goes with `out`
        if (out.write(chunk) != chunk.size())
            return WriteResult::TargetUnwritable;
    }
    return CommitResult(out);
}

JpegSettings JpegSettingsFromText(const QString& complevel, const QString& encode) {
    JpegSettings settings;
    // Quality 75 when nothing readable is stored: a fresh install must not write quality-1
    // pictures.
    const int step = parseStep(complevel).value_or(kDefaultJpegStep);
    const int quality = 100 - 5 * step;
    if (quality >= 0 && quality <= 255)
        settings.quality = static_cast<std::uint8_t>(quality);
    settings.progressive = ParseSettingBool(encode).value_or(false);
    return settings;
}

JpegSettings ReadJpegSettings() {
    const QString section = QStringLiteral("JPEG");
    const QString encode = ReadSetting(section, QStringLiteral("Encode"), QString());
    const QString complevel = ReadSetting(section, QStringLiteral("Complevel"), QString());
    return JpegSettingsFromText(complevel, encode);
}

std::int16_t WriteJpeg(const PageSource& page, const FileTarget& target, std::uint8_t quality,
                       bool progressive) {
    const std::int16_t mode = progressive ? kJpegProgressive : kJpegBaseline;
    if (!page.file.isEmpty() || page.image.isNull())
        return SavetoJPEG(page.file, target, quality, mode);
    if (!CanWriteTarget(target))
        return kJpegTargetUnwritable;
    DurableFile out(target);
    if (!out.open())
        return kJpegTargetUnwritable;
    const std::int16_t code = EncodeBmpToJpeg(bmpBytes(page.image), out, quality, mode);
    if (code != kJpegOk)
        return code;
    return CommitResult(out) == WriteResult::Ok ? kJpegOk : kJpegTargetUnwritable;
}

QString JpegResultPrompt(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("スキャン画像に排他制御がかかっています。");
    case 2:
        return QStringLiteral("ファイルの出力に失敗しました。（書き込み禁止、容量不足 etc）");
    case 3:
        return QStringLiteral("スキャン画像のフォーマットが異常です。再スキャンして下さい。");
    case 4:
        return QStringLiteral("スタックオーバーフロー");
    default:
        return QStringLiteral("原因不明のエラーコードが返答されました。");
    }
}

QString EndLineNaming(const QString& endLine, const QString& writtenFile) {
    if (writtenFile.isEmpty())
        return endLine;
    return QStringLiteral("%1（%2）").arg(endLine, QDir::toNativeSeparators(writtenFile));
}

void ReportJpegResult(StatusReporter& status, int code, const QString& writtenFile) {
    if (code == kJpegOk)
        status.SetStatus(EndLineNaming(text::kJpegEnd, writtenFile));
    else
        status.ShowMessage(text::kJpegFailedTitle, JpegResultPrompt(code));
}

int PdfCompressionFromText(const QString& comp) {
    return ParseSettingBool(comp).value_or(true) ? kPdfCompressed : kPdfUncompressed;
}

void ApplyPdfCompressionSetting(PdfExporter& exporter) {
    exporter.setCompression(
        PdfCompressionFromText(ReadSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), {})));
}

void ApplyPdfDocumentProperties(PageDocument& document) {
    document.setExportProperty(106, 0);
    document.setExportProperty(107, 0);
    document.setExportProperty(105, QStringLiteral("tanutanu"));
}

void ApplyPdfSettings(PdfExporter& exporter, PageDocument& document) {
    ApplyPdfCompressionSetting(exporter);
    ApplyPdfDocumentProperties(document);
}

PdfImageOptions ReadPdfImageOptions() {
    PdfImageOptions options;
    options.jpeg = ReadPdfImageChoice() == PdfImageChoice::Jpeg;
    options.jpegQuality = ReadJpegSettings().quality;
    return options;
}

WriteResult ExportPdf(const PdfExporter& exporter, const PageDocument& document,
                      const FileTarget& target) {
    return exporter.exportDocument(document, target, ReadPdfImageOptions(), ReadOcrSetting());
}

void ReportBmpResult(StatusReporter& status, const QString& targetPath, WriteResult result,
                     const QString& writtenFile) {
    reportWrite(status, targetPath, result, text::kBmpEnd, text::kBmpFailedTitle, writtenFile);
}

void ReportPdfResult(StatusReporter& status, const QString& targetPath, WriteResult result,
                     const QString& writtenFile, int untextedPages) {
    const QString end =
        untextedPages > 0 ? text::kPdfEnd + OcrUntextedNote(untextedPages) : text::kPdfEnd;
    reportWrite(status, targetPath, result, end, text::kPdfFailedTitle, writtenFile);
}

} // namespace folivo
