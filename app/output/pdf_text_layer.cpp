#include "pdf_text_layer.h"

#include <cstdio>

namespace folivo {
namespace {

constexpr double kAscent = 0.8; // of the font size; the rest is below the baseline
const char* const kFontName = "/FolivoTextLayer";

QPDFObjectHandle name(const char* text) {
    return QPDFObjectHandle::newName(text);
}

QPDFObjectHandle integers(std::initializer_list<int> values) {
    std::vector<QPDFObjectHandle> items;
    for (const int v : values)
        items.push_back(QPDFObjectHandle::newInteger(v));
    return QPDFObjectHandle::newArray(items);
}

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

// Every code maps to the same UTF-16 unit; surrogates are never written.
std::string toUnicodeMap() {
    std::string ranges;
    int count = 0;
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    auto flush = [&] {
        map += std::to_string(count) + " beginbfrange\n" + ranges + "endbfrange\n";
        ranges.clear();
        count = 0;
    };
    for (unsigned high = 0; high < 256; ++high) {
        if (high >= 0xD8 && high <= 0xDF)
            continue;
        const unsigned first = high << 8;
        char range[32];
        std::snprintf(range, sizeof range, "<%04X> <%04X> <%04X>\n", first, first | 0xFFu, first);
        ranges += range;
        if (++count == 100) // the most one block may hold
            flush();
    }
    if (count > 0)
        flush();
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.'))
        s.pop_back();
    return s == "-0" ? "0" : s;
}

// The word as UTF-16 units in hex, and how many there are.
std::pair<std::string, int> codesOf(const QString& text) {
    std::string hex;
    int count = 0;
    for (const QChar c : text) {
        if (c.isSurrogate())
            continue;
        hex += hex4(c.unicode());
        ++count;
    }
    return {hex, count};
}

} // namespace

QPDFObjectHandle MakeTextLayerFont(QPDF& pdf) {
    auto descriptor = QPDFObjectHandle::newDictionary();
    descriptor.replaceKey("/Type", name("/FontDescriptor"));
    descriptor.replaceKey("/FontName", name(kFontName));
    descriptor.replaceKey("/Flags", QPDFObjectHandle::newInteger(4)); // symbolic
    descriptor.replaceKey("/FontBBox", integers({0, -200, 1000, 800}));
    descriptor.replaceKey("/ItalicAngle", QPDFObjectHandle::newInteger(0));
    descriptor.replaceKey("/Ascent", QPDFObjectHandle::newInteger(800));
    descriptor.replaceKey("/Descent", QPDFObjectHandle::newInteger(-200));
    descriptor.replaceKey("/CapHeight", QPDFObjectHandle::newInteger(800));
    descriptor.replaceKey("/StemV", QPDFObjectHandle::newInteger(80));

    auto system = QPDFObjectHandle::newDictionary();
    system.replaceKey("/Registry", QPDFObjectHandle::newString("Adobe"));
    system.replaceKey("/Ordering", QPDFObjectHandle::newString("Identity"));
    system.replaceKey("/Supplement", QPDFObjectHandle::newInteger(0));

    auto cidFont = QPDFObjectHandle::newDictionary();
    cidFont.replaceKey("/Type", name("/Font"));
    cidFont.replaceKey("/Subtype", name("/CIDFontType2"));
    cidFont.replaceKey("/BaseFont", name(kFontName));
    cidFont.replaceKey("/CIDSystemInfo", system);
    cidFont.replaceKey("/FontDescriptor", pdf.makeIndirectObject(descriptor));
    cidFont.replaceKey("/DW", QPDFObjectHandle::newInteger(1000));
    cidFont.replaceKey("/CIDToGIDMap", name("/Identity"));

    auto font = QPDFObjectHandle::newDictionary();
    font.replaceKey("/Type", name("/Font"));
    font.replaceKey("/Subtype", name("/Type0"));
    font.replaceKey("/BaseFont", name(kFontName));
    font.replaceKey("/Encoding", name("/Identity-H"));
    font.replaceKey("/DescendantFonts",
                    QPDFObjectHandle::newArray({pdf.makeIndirectObject(cidFont)}));
    font.replaceKey("/ToUnicode", QPDFObjectHandle::newStream(&pdf, toUnicodeMap()));
    return pdf.makeIndirectObject(font);
}

std::string TextLayerContent(const OcrPage& page, const QRectF& picture,
                             const std::string& fontKey) {
    if (page.status != OcrStatus::Done || page.words.empty() || page.width <= 0 || page.height <= 0)
        return {};
    const double sx = picture.width() / page.width;
    const double sy = picture.height() / page.height;
    std::string out = "BT 3 Tr\n";
    for (const OcrWord& word : page.words) {
        const auto [hex, count] = codesOf(word.text);
        if (count == 0)
            continue;
        const double left = picture.left() + word.box.left() * sx;
        const double width = (word.box.right() + 1 - word.box.left()) * sx;
        const double top = picture.bottom() - word.box.top() * sy;
        const double height = (word.box.bottom() + 1 - word.box.top()) * sy;
        // Along the text: the run the characters fill; across it: the font size.
        const double along = word.vertical ? height : width;
        const double size = word.vertical ? width : height;
        if (size <= 0 || along <= 0)
            continue;
        const double stretch = 100.0 * along / (count * size);
        std::string matrix =
            word.vertical
                ? "0 -1 1 0 " + number(left + (1 - kAscent) * size) + " " + number(top)
                : "1 0 0 1 " + number(left) + " " + number(top - height + (1 - kAscent) * size);
        out += fontKey + " " + number(size) + " Tf " + number(stretch) + " Tz " + matrix + " Tm <" +
               hex + "> Tj\n";
    }
    return out + "ET\n";
}

} // namespace folivo
