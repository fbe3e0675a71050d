#pragma once
// poppler's command-line tools as the independent reader of exported PDFs.
#include <QImage>
#include <QSizeF>
#include <QString>
#include <vector>

namespace folivo::test {

// One line of `pdfimages -list`.
struct ListedImage {
    QString encoding; // "image" (Flate or none), "jpeg", "ccitt", ...
    int width = 0;
    int height = 0;
    int bitsPerComponent = 0;
    int xPpi = 0;
    int yPpi = 0;
};

bool HasPoppler();
std::vector<ListedImage> ListImages(const QString& pdf);
// Every page's size in points as pdfinfo reads it (empty when pdfinfo fails).
std::vector<QSizeF> PageSizes(const QString& pdf);
// Page `page` (from 1) rendered by pdftoppm at `dpi`, grey or colour; null on failure.
QImage RenderPage(const QString& pdf, int page, int dpi, bool grey);
// The text `pdftotext` finds (with `-bbox`, its XHTML word list); empty on failure.
QString PdfText(const QString& pdf, bool boxes = false);

} // namespace folivo::test
