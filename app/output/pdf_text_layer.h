#pragma once
// The invisible text layer of a PDF page (internal to app/output): recognised words drawn
// in text render mode 3 over the picture they were read from, so that a viewer's search
// highlights the right place and copying gives the text.
//
// - MakeTextLayerFont adds one composite font for all pages: Identity-H, each code a
//   UTF-16 unit of the text, with a ToUnicode map that turns it back into that unit. No
//   glyphs are embedded; nothing is ever painted with it. Characters beyond the Basic
//   Multilingual Plane are left out.
// - TextLayerContent gives the content-stream operators of a page's words, each word sized
//   to its box height (its box width for a vertical word, whose text then runs
//   downwards) and stretched with Tz so that it spans its box. `picture` is the
//   picture's place on the page in points: x and y its lower-left corner (PDF space).
#include "ocr_words.h"

#include <QRectF>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace folivo {

QPDFObjectHandle MakeTextLayerFont(QPDF& pdf);
std::string TextLayerContent(const OcrPage& page, const QRectF& picture,
                             const std::string& fontKey);

} // namespace folivo
