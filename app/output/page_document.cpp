#include "page_document.h"

#include "picture_fit.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

namespace folivo {

HeldFile::~HeldFile() {
    ::close(m_fd);
}

QString HeldFile::path() const {
    return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

QString PagePicture::readPath() const {
    return held ? held->path() : filePath;
}

QImage PagePicture::load() const {
    if (filePath.isEmpty())
        return image;
    QImageReader reader(readPath());
    return reader.read();
}

PageDocument::PageDocument(QObject* parent) : QObject(parent) {}

void PageDocument::setOrientation(int orientation) {
    m_orientation = orientation == 1 ? 1 : 0;
}

void PageDocument::setPaperDimensions(int widthTwips, int heightTwips) {
    m_paperWidth = widthTwips;
    m_paperHeight = heightTwips;
}

Page PageDocument::makePage() const {
    Page page;
    page.orientation = m_orientation;
    const int shortSide = m_paperSize == 0 ? kA4ShortTwips : m_paperWidth;
    const int longSide = m_paperSize == 0 ? kA4LongTwips : m_paperHeight;
    page.widthTwips = m_orientation == 1 ? longSide : shortSide;
    page.heightTwips = m_orientation == 1 ? shortSide : longSide;
    return page;
}

void PageDocument::StartDoc() {
    m_pages.clear();
    m_heldFiles = 0;
    m_pages.push_back(makePage());
    m_open = true;
}

void PageDocument::NewPage() {
    if (!m_open)
        StartDoc();
    else
        m_pages.push_back(makePage());
}

void PageDocument::EndDoc() {
    m_open = false;
    emit documentChanged();
}

void PageDocument::addPicture(PagePicture picture) {
    if (m_pages.empty())
        StartDoc();
    m_pages.back().pictures.push_back(std::move(picture));
}

void PageDocument::DrawPicture(const QString& filePath, int left, int top, int width, int height,
                               int mode) {
    PagePicture picture{filePath, QImage(), QRect(left, top, width, height), mode, nullptr};
    if (m_heldFiles < kHeldFilesPerDocument) {
        const int fd = ::open(QFile::encodeName(filePath).constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            picture.held = std::make_shared<const HeldFile>(fd);
            ++m_heldFiles;
        }
    }
    if (mode == kPictureFit)
        picture.boxTwips = FitPicture(picture.boxTwips, ShapeOfFile(picture.readPath()));
    addPicture(std::move(picture));
}

void PageDocument::DrawPicture(const QImage& image, int left, int top, int width, int height,
                               int mode) {
    QRect box(left, top, width, height);
    if (mode == kPictureFit)
        box = FitPicture(box, ShapeOfImage(image));
    addPicture({QString(), image, box, mode, nullptr});
}

QVariant PageDocument::exportProperty(int id) const {
    switch (id) {
    case 105:
        return m_export105;
    case 106:
        return m_export106;
    case 107:
        return m_export107;
    default:
        return {};
    }
}

void PageDocument::setExportProperty(int id, const QVariant& value) {
    switch (id) {
    case 105:
        m_export105 = value;
        break;
    case 106:
        m_export106 = value;
        break;
    case 107:
        m_export107 = value;
        break;
    default:
        break;
    }
}

void PageDocument::setMousePointer(int pointer) {
    if (m_mousePointer == pointer)
        return;
    m_mousePointer = pointer;
    emit mousePointerChanged(pointer);
}

} // namespace folivo
