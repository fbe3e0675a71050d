#pragma once
// The writer operations the save-as commands and the automatic save share.
//
// - CopyBmp copies the current image file byte for byte; an existing target is replaced
//   (through a temporary file, so a failure keeps its old bytes).
// - ReadJpegSettings reads "JPEG"/"Complevel" and "JPEG"/"Encode" anew on every call:
//   quality = 100 - 5 x step as an unsigned byte; an absent step or one that is no number
//   means step 5 (quality 75); a step giving a quality outside 0..255 gives 0. Encode true =
//   progressive; absent or not a boolean = standard.
// - WriteJpeg runs SavetoJPEG and answers its code; ReportJpegResult shows the end line
//   for 0 and the failure message for every other code.
// - ApplyPdfSettings sets the exporter's compression from "PDF"/"Comp" (false gives 0;
//   true, absent or unreadable give 3) and the document's export properties 106, 107
//   and 105, in that order. The two halves are offered apart because the PDF command
//   runs them at two different steps.
// - ExportPdf writes the document with the image storage read anew from "PDF"/"Image"
//   (pdf_image_setting.h) and, for JPEG, the quality of ReadJpegSettings; so the
//   automatic save, which sets nothing first, follows it too.
// - ReportBmpResult / ReportPdfResult show the end line on success, and on failure a
//   message naming the file and the reason instead. Given the file written (the automatic
//   save, whose name is settled only when the file is complete), every end line names it.
#include "pdf_image_options.h"
#include "write_result.h"

#include <QImage>
#include <QString>
#include <cstdint>

namespace folivo {

class PageDocument;
class PdfExporter;
class StatusReporter;

struct JpegSettings {
    std::uint8_t quality = 0;
    bool progressive = false;

    bool operator==(const JpegSettings&) const = default;
};

namespace text {
inline const QString kBmpStart = QStringLiteral("BMPファイルの保存を開始します。");
inline const QString kBmpEnd = QStringLiteral("BMPファイルの保存を終了します。");
inline const QString kBmpFailedTitle = QStringLiteral("BMPファイルの作成に失敗しました。");
inline const QString kJpegStart = QStringLiteral("JPEGファイルの保存を開始しました。");
inline const QString kJpegEnd = QStringLiteral("JPEGファイルの保存を終了しました。");
inline const QString kJpegFailedTitle = QStringLiteral("JPEGファイルの作成に失敗しました。");
inline const QString kPdfStart = QStringLiteral("PDFファイルの保存を開始しました。");
inline const QString kPdfEnd = QStringLiteral("PDFファイルの保存を終了しました。");
inline const QString kPdfFailedTitle = QStringLiteral("PDFファイルの作成に失敗しました。");
} // namespace text

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerHourglass = 11;

// The page a writer saves: its image file, or, when it has none (the page file could not
// be written), the image kept in memory.
struct PageSource {
    PageSource(const QString& imageFile) : file(imageFile) {} // NOLINT: implicit on purpose
    explicit PageSource(const QImage& kept) : image(kept) {}
    QString file;
    QImage image;
};

// The page on display: the current image file, else the picture the document holds in
// memory (a page whose file could not be written).
PageSource CurrentPage(const QString& currentImageFile, const PageDocument& document);

// A byte copy of the page file, or the kept image written as a BMP file.
WriteResult CopyBmp(const PageSource& source, const FileTarget& target);

JpegSettings ReadJpegSettings();
// Pure part of ReadJpegSettings: the stored texts of "Complevel" and "Encode".
JpegSettings JpegSettingsFromText(const QString& complevel, const QString& encode);
std::int16_t WriteJpeg(const PageSource& source, const FileTarget& target, std::uint8_t quality,
                       bool progressive);
// The prompt for a JPEG result code other than 0.
QString JpegResultPrompt(int code);
void ReportJpegResult(StatusReporter& status, int code, const QString& writtenFile = {});

// Compression from the text of "PDF"/"Comp".
int PdfCompressionFromText(const QString& comp);
void ApplyPdfCompressionSetting(PdfExporter& exporter);
void ApplyPdfDocumentProperties(PageDocument& document);
void ApplyPdfSettings(PdfExporter& exporter, PageDocument& document);
PdfImageOptions ReadPdfImageOptions();
WriteResult ExportPdf(const PdfExporter& exporter, const PageDocument& document,
                      const FileTarget& target);

void ReportBmpResult(StatusReporter& status, const QString& targetPath, WriteResult result,
                     const QString& writtenFile = {});
// `untextedPages`: pictures that were to get a text layer and did not.
void ReportPdfResult(StatusReporter& status, const QString& targetPath, WriteResult result,
                     const QString& writtenFile = {}, int untextedPages = 0);
// An end line naming the file: "BMPファイルの保存を終了します。（/path/BMP00001.BMP）".
QString EndLineNaming(const QString& endLine, const QString& writtenFile);

} // namespace folivo
