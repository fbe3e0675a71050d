#pragma once
// PdfExporter writes a PageDocument as a PDF file.
//
// Contract:
// - compression(): 3 (the initial value) Flate-compresses every stream, 0 writes none
//   compressed; any other non-zero value counts as 3. It keeps its value until set again.
// - exportDocument(doc, path) writes one PDF page per document page. Each MediaBox is the
//   page size in twips / 20 (points); each picture fills its box (twips from the page's
//   top-left corner). Images keep their own depth and colour space: black-and-white stays
//   1 bit, grey is DeviceGray, other palettes are Indexed, the rest DeviceRGB.
// - Compressed, line art is stored as CCITT Group 4 and the rest Flate-compressed; with
//   `images`.jpeg, 8-bit grey and colour images are JPEG at `images`.jpegQuality instead
//   (pdf_image_filters.h). Uncompressed, `images` has no effect.
// - Page images are read from their files only around the time their page is written, so
//   memory does not grow with the page count. A picture that cannot be read leaves its
//   page empty.
// - The file is written to a temporary name in the target folder and renamed when
//   complete; on failure an existing file keeps its old bytes. The document ID is derived
//   from the content, so exporting the same document twice gives identical files.
// - Runs on the calling thread and returns when the file is written; it uses worker
//   threads internally to compress pages ahead of the writer.
// - With a stream cache set, a picture whose stream the cache already made from the same
//   file with the same encoding is taken from it instead of being encoded again; the
//   bytes are the same.
// - With `text`.on and a text source set, every page picture is recognised first (the
//   source may show progress and let the user stop) and the words it has are laid over
//   their picture as invisible text (pdf_text_layer.h). Text off writes the same bytes
//   as an exporter without a text source. untextedPictures() counts the pictures of the
//   last export that were to get text and did not (failed, timed out, cancelled).
#include "ocr_setting.h"
#include "pdf_image_options.h"
#include "write_result.h"

#include <QString>

namespace folivo {

class PageDocument;
class PageTextSource;
class PdfStreamCache;

inline constexpr int kPdfCompressed = 3;
inline constexpr int kPdfUncompressed = 0;

class PdfExporter {
public:
    int compression() const { return m_compression; }
    void setCompression(int compression) { m_compression = compression; }

    // The cache must outlive every export; nullptr encodes every picture here.
    void setStreamCache(PdfStreamCache* cache) { m_streams = cache; }
    // The source must outlive every export; nullptr writes no text.
    void setTextSource(PageTextSource* source) { m_text = source; }

    int untextedPictures() const { return m_untexted; }

    WriteResult exportDocument(const PageDocument& document, const FileTarget& target,
                               const PdfImageOptions& images = {},
                               const OcrSetting& text = {}) const;

private:
    int m_compression = kPdfCompressed;
    PdfStreamCache* m_streams = nullptr;
    PageTextSource* m_text = nullptr;
    mutable int m_untexted = 0; // an outcome of the last export, not a setting
};

} // namespace folivo
