#include "pdf_probe.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <regex>

namespace folivo::test {
namespace {

// Decoded where qpdf can (Flate); CCITT and DCT data as stored, for poppler to judge.
std::string streamText(QPDFObjectHandle stream) {
    const std::string filter =
        stream.getDict().hasKey("/Filter") ? stream.getDict().getKey("/Filter").unparse() : "";
    auto buffer = filter == "/CCITTFaxDecode" || filter == "/DCTDecode"
                      ? stream.getRawStreamData()
                      : stream.getStreamData(qpdf_dl_generalized);
    return {reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()};
}

ProbedImage probeImage(QPDFObjectHandle image, const std::string& key, const std::string& content) {
    ProbedImage out;
    auto dict = image.getDict();
    const auto number = [&](const char* key) { return dict.getKey(key).getIntValueAsInt(); };
    out.width = number("/Width");
    out.height = number("/Height");
    out.bitsPerComponent = number("/BitsPerComponent");
    auto space = dict.getKey("/ColorSpace");
    if (space.isName()) {
        out.colourSpace = space.getName();
    } else if (space.isArray()) {
        out.colourSpace = space.getArrayItem(0).getName();
        out.hival = space.getArrayItem(2).getIntValueAsInt();
        out.lookup = space.getArrayItem(3).getStringValue();
    }
    out.hasFilter = dict.hasKey("/Filter");
    out.filter = out.hasFilter ? dict.getKey("/Filter").unparse() : "";
    out.decodeParms = dict.hasKey("/DecodeParms") ? dict.getKey("/DecodeParms").unparse() : "";
    out.samples = streamText(image);
    const std::regex draw("q ([-0-9. ]+) cm " + key + " Do");
    std::smatch m;
    if (std::regex_search(content, m, draw))
        out.placement = m[1].str();
    return out;
}

} // namespace

ProbedPdf ProbePdf(const QString& path) {
    ProbedPdf out;
    try {
        QPDF pdf;
        pdf.processFile(path.toStdString().c_str());
        auto trailerId = pdf.getTrailer().getKey("/ID");
        if (trailerId.isArray())
            out.id = trailerId.getArrayItem(0).getStringValue();
        for (auto& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            ProbedPage probed;
            for (auto& v : page.getObjectHandle().getKey("/MediaBox").getArrayAsVector())
                probed.mediaBox.push_back(v.getNumericValue());
            auto contents = page.getObjectHandle().getKey("/Contents");
            probed.contentsFiltered = contents.getDict().hasKey("/Filter");
            const std::string content = streamText(contents);
            for (auto& [key, image] : page.getImages())
                probed.images.push_back(probeImage(image, key, content));
            out.pages.push_back(std::move(probed));
        }
        out.ok = pdf.getWarnings().empty();
        if (!out.ok)
            out.error = pdf.getWarnings().front().what();
    } catch (const std::exception& e) {
        out.error = e.what();
    }
    return out;
}

} // namespace folivo::test
