#pragma once
// Reads a PDF back with qpdf for the output tests: pages, boxes, and each page's images
// with their dictionaries and fully decoded samples.
#include <QString>
#include <string>
#include <vector>

namespace folivo::test {

struct ProbedImage {
    int width = 0, height = 0, bitsPerComponent = 0;
    std::string colourSpace; // "/DeviceGray", "/DeviceRGB" or "/Indexed"
    std::string lookup;      // Indexed: the palette bytes
    int hival = -1;
    bool hasFilter = false;
    std::string filter;      // unparsed /Filter when present
    std::string decodeParms; // unparsed /DecodeParms when present
    std::string samples;     // decoded data (CCITT and DCT: as stored)
    std::string placement;   // the "a b c d e f cm" that draws it
};

struct ProbedPage {
    std::vector<double> mediaBox;
    std::vector<ProbedImage> images;
    bool contentsFiltered = false;
};

struct ProbedPdf {
    bool ok = false;
    std::string error;
    std::vector<ProbedPage> pages;
    std::string id;
};

ProbedPdf ProbePdf(const QString& path);

} // namespace folivo::test
