#pragma once
// How colour and grey page images are stored in a compressed PDF: losslessly (Flate),
// or as JPEG (DCT) at `jpegQuality`, clamped to 1..100. Line art is never stored as JPEG.
namespace folivo {

struct PdfImageOptions {
    bool jpeg = false;
    int jpegQuality = 75;
};

} // namespace folivo
