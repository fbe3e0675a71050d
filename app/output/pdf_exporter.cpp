#include "pdf_exporter.h"

#include "page_document.h"
#include "page_text_source.h"
#include "pdf_image_filters.h"
#include "pdf_job_queue.h"
#include "pdf_picture_stream.h"
#include "pdf_stream_cache.h"
#include "pdf_text_layer.h"

#include <algorithm>
#include <map>
#include <new>
#include <stdexcept>
#include <thread>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <malloc.h>

namespace folivo {
namespace {

// One worker per core, each a page ahead of the writer at most.
int workerCount() {
    return int(std::max(1u, std::thread::hardware_concurrency()));
}
constexpr double kTwipsPerPoint = 20.0;
// By measurement: with 32 MB a 20-page export ended up to 10 % above a 5-page one,
// with 16 MB 3 to 9 %.
constexpr std::size_t kHeapSlack = std::size_t(16) << 20;

// qpdf's output end: the temporary file of a DurableFile.
class DevicePipeline : public Pipeline {
public:
    explicit DevicePipeline(QIODevice& device)
        : Pipeline("folivo output", nullptr), m_device(device) {}
    void write(unsigned char const* data, size_t len) override {
        if (m_device.write(reinterpret_cast<const char*>(data), qint64(len)) != qint64(len)) {
            m_failed = true;
            throw std::runtime_error("cannot write the PDF file");
        }
    }
    void finish() override {}
    bool failed() const { return m_failed; }

private:
    QIODevice& m_device;
    bool m_failed = false;
};

// Hands each image stream its bytes from the job queue when qpdf writes it.
class ImageProvider : public QPDFObjectHandle::StreamDataProvider {
public:
    void bind(QPDFObjGen og, std::size_t job) { m_jobs[og] = job; }
    void setQueue(PdfJobQueue* queue) { m_queue = queue; }
    JobError error() const { return m_error; }

    void provideStreamData(QPDFObjGen const& og, Pipeline* pipeline) override {
        // qpdf holds each stream whole in heap buffers, and glibc keeps what they leave
        // behind once a page-size block has come and gone: without this, the resident
        // size of an export grows with its page count. Giving memory back costs page
        // faults later, so only once the heap holds more than kHeapSlack unused.
        if (mallinfo2().fordblks > kHeapSlack)
            malloc_trim(0);
        JobResult result = m_queue->take(m_jobs.at(og));
        if (!result.bytes) {
            m_error = result.error == JobError::None ? JobError::Unreadable : result.error;
            throw std::runtime_error("a page image cannot be read");
        }
        pipeline->write(result.bytes->data.get(), result.bytes->size);
        pipeline->finish();
    }

private:
    std::map<QPDFObjGen, std::size_t> m_jobs;
    PdfJobQueue* m_queue = nullptr;
    JobError m_error = JobError::None;
};

std::string number(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text.toStdString();
}

QPDFObjectHandle name(const char* text) {
    return QPDFObjectHandle::newName(text);
}

QPDFObjectHandle colourSpace(const PdfImageFormat& format) {
    switch (format.space) {
    case PdfColourSpace::Gray:
        return name("/DeviceGray");
    case PdfColourSpace::Rgb:
        return name("/DeviceRGB");
    case PdfColourSpace::Indexed:
        break;
    }
    std::string lookup;
    for (const QRgb c : format.palette) {
        lookup.push_back(char(qRed(c)));
        lookup.push_back(char(qGreen(c)));
        lookup.push_back(char(qBlue(c)));
    }
    return QPDFObjectHandle::newArray(
        {name("/Indexed"), name("/DeviceRGB"),
         QPDFObjectHandle::newInteger(std::int64_t(format.palette.size()) - 1),
         QPDFObjectHandle::newString(lookup)});
}

// Builds the document's page tree; each image's data comes later from `provider`.
class DocumentBuilder {
public:
    DocumentBuilder(QPDF& pdf, std::shared_ptr<ImageProvider> provider, bool compress,
                    const PdfImageOptions& images, PdfStreamCache* cache)
        : m_pdf(pdf), m_provider(std::move(provider)), m_compress(compress), m_images(images),
          m_cache(cache) {}

    // Words of each picture come from `source`, recognised in `language`.
    void setText(PageTextSource* source, OcrLanguage language) {
        m_text = source;
        m_language = language;
        m_font = MakeTextLayerFont(m_pdf);
    }

    void addPage(const Page& page) {
        auto xobjects = QPDFObjectHandle::newDictionary();
        std::string content;
        std::string text;
        int count = 0;
        for (const PagePicture& picture : page.pictures) {
            const QRect& box = picture.boxTwips;
            if (box.width() <= 0 || box.height() <= 0)
                continue;
            auto plan = PlanPicture(picture);
            if (!plan)
                continue; // an unreadable picture leaves its place empty
            const std::string key = "/Im" + std::to_string(count++);
            xobjects.replaceKey(key, imageStream(picture, std::move(*plan)));
            const double bottom = page.heightTwips - box.top() - box.height();
            content += "q " + number(box.width() / kTwipsPerPoint) + " 0 0 " +
                       number(box.height() / kTwipsPerPoint) + " " +
                       number(box.left() / kTwipsPerPoint) + " " + number(bottom / kTwipsPerPoint) +
                       " cm " + key + " Do Q\n";
            text += textOf(picture, box, page.heightTwips);
        }
        auto resources = QPDFObjectHandle::newDictionary();
        if (count > 0)
            resources.replaceKey("/XObject", xobjects);
        if (!text.empty()) {
            content += text;
            auto fonts = QPDFObjectHandle::newDictionary();
            fonts.replaceKey(kFontKey, m_font);
            resources.replaceKey("/Font", fonts);
        }
        auto dict = QPDFObjectHandle::newDictionary();
        dict.replaceKey("/Type", name("/Page"));
        dict.replaceKey("/MediaBox",
                        QPDFObjectHandle::newArray(
                            {QPDFObjectHandle::newInteger(0), QPDFObjectHandle::newInteger(0),
                             points(page.widthTwips), points(page.heightTwips)}));
        dict.replaceKey("/Resources", resources);
        dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&m_pdf, content));
        QPDFPageDocumentHelper(m_pdf).addPage(QPDFPageObjectHelper(m_pdf.makeIndirectObject(dict)),
                                              false);
    }

    std::vector<PdfJobQueue::Job> takeJobs() { return std::move(m_jobs); }
    int untexted() const { return m_untexted; }

private:
    static constexpr const char* kFontKey = "/Ft";

    std::string textOf(const PagePicture& picture, const QRect& box, int pageHeight) {
        if (!m_text)
            return {};
        const auto words = m_text->wordsOf(picture, m_language);
        if (!words) {
            ++m_untexted;
            return {};
        }
        const QRectF place(box.left() / kTwipsPerPoint,
                           (pageHeight - box.top() - box.height()) / kTwipsPerPoint,
                           box.width() / kTwipsPerPoint, box.height() / kTwipsPerPoint);
        return TextLayerContent(*words, place, kFontKey);
    }

    static QPDFObjectHandle points(int twips) {
        return QPDFObjectHandle::newReal(twips / kTwipsPerPoint, 2);
    }

    QPDFObjectHandle imageStream(const PagePicture& picture, PicturePlan plan) {
        const PdfImageFormat& f = plan.image.format;
        auto stream = QPDFObjectHandle::newStream(&m_pdf);
        auto dict = stream.getDict();
        dict.replaceKey("/Type", name("/XObject"));
        dict.replaceKey("/Subtype", name("/Image"));
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(f.width));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(f.height));
        dict.replaceKey("/ColorSpace", colourSpace(f));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(f.bitsPerComponent));
        const ImageEncoding encoding = ChooseImageEncoding(f, m_compress, m_images);
        const FilterEntries entries = FilterEntriesOf(f, encoding);
        auto filter = QPDFObjectHandle::newNull();
        auto parms = QPDFObjectHandle::newNull();
        if (!entries.filter.empty())
            filter = name(entries.filter.c_str());
        if (!entries.decodeParms.empty())
            parms = QPDFObjectHandle::parse(entries.decodeParms);
        stream.replaceStreamData(m_provider, filter, parms);
        m_provider->bind(stream.getObjGen(), m_jobs.size());
        m_jobs.push_back(
            [picture, plan = std::move(plan), encoding, cache = m_cache]() -> JobResult {
                if (cache) {
                    if (auto ready = cache->take(picture, plan.image.format, encoding))
                        return {std::move(ready), JobError::None};
                }
                return EncodePicture(picture, plan, encoding);
            });
        return stream;
    }

    QPDF& m_pdf;
    std::shared_ptr<ImageProvider> m_provider;
    bool m_compress;
    PdfImageOptions m_images;
    PdfStreamCache* m_cache;
    std::vector<PdfJobQueue::Job> m_jobs;
    PageTextSource* m_text = nullptr;
    OcrLanguage m_language = OcrLanguage::JapaneseEnglish;
    QPDFObjectHandle m_font;
    int m_untexted = 0;
};

WriteResult fromJobError(JobError error) {
    return error == JobError::OutOfMemory ? WriteResult::OutOfMemory
                                          : WriteResult::SourceUnreadable;
}

WriteResult writeDocument(const PageDocument& document, QIODevice& out, bool compress,
                          const PdfImageOptions& images, PdfStreamCache* cache,
                          PageTextSource* text, OcrLanguage language, int& untexted) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.emptyPDF();
    auto provider = std::make_shared<ImageProvider>();
    DocumentBuilder builder(pdf, provider, compress, images, cache);
    if (text)
        builder.setText(text, language);
    for (const Page& page : document.pages())
        builder.addPage(page);
    untexted = builder.untexted();
    const int workers = workerCount();
    PdfJobQueue queue(builder.takeJobs(), workers, std::size_t(workers));
    provider->setQueue(&queue);
    DevicePipeline pipeline(out);
    try {
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&pipeline);
        writer.setCompressStreams(compress);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setDeterministicID(true);
        writer.write();
    } catch (const std::bad_alloc&) {
        return WriteResult::OutOfMemory;
    } catch (const std::exception&) {
        if (provider->error() != JobError::None)
            return fromJobError(provider->error());
        return pipeline.failed() ? WriteResult::TargetUnwritable : WriteResult::SourceUnreadable;
    }
    return WriteResult::Ok;
}

} // namespace

WriteResult PdfExporter::exportDocument(const PageDocument& document, const FileTarget& target,
                                        const PdfImageOptions& images,
                                        const OcrSetting& text) const {
    if (document.pages().empty())
        return WriteResult::EmptyDocument;
    if (!CanWriteTarget(target))
        return WriteResult::TargetUnwritable;
    m_untexted = 0;
    PageTextSource* source = text.on ? m_text : nullptr;
    if (source)
        source->complete(document, text.language);
    DurableFile file(target);
    if (!file.open())
        return WriteResult::TargetUnwritable;
    const WriteResult result = writeDocument(document, file, m_compression != kPdfUncompressed,
                                             images, m_streams, source, text.language, m_untexted);
    if (result != WriteResult::Ok)
        return result; // the temporary file goes with `file`
    return CommitResult(file);
}

} // namespace folivo
