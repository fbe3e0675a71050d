#include "page_preview.h"

#include "page_document.h"
#include "preview_geometry.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace folivo {

namespace {
const QColor kBackground(128, 128, 128);
const QColor kShadow(64, 64, 64);
} // namespace

PagePreview::PagePreview(PageDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_navigation = new QWidget(this);
    m_navigation->setObjectName(QStringLiteral("previewNavigation"));
    m_navigation->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(m_navigation);
    row->setContentsMargins(4, 2, 4, 2);
    m_previous = new QToolButton(m_navigation);
    m_previous->setObjectName(QStringLiteral("previewPrevious"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setFocusPolicy(Qt::NoFocus);
    m_label = new QLabel(m_navigation);
    m_label->setObjectName(QStringLiteral("previewPageLabel"));
    m_next = new QToolButton(m_navigation);
    m_next->setObjectName(QStringLiteral("previewNext"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_previous);
    row->addWidget(m_label);
    row->addWidget(m_next);
    connect(m_previous, &QToolButton::clicked, this, &PagePreview::previousPage);
    connect(m_next, &QToolButton::clicked, this, &PagePreview::nextPage);

    if (m_document) {
        connect(m_document, &PageDocument::documentChanged, this, &PagePreview::onDocumentChanged);
        connect(m_document, &PageDocument::mousePointerChanged, this, &PagePreview::applyPointer);
        applyPointer(m_document->mousePointer());
    }
    updateNavigation();
}

int PagePreview::pageCount() const {
    return m_document ? m_document->pageCount() : 0;
}

void PagePreview::setCurrentPage(int index) {
    const int clamped = qBound(0, index, qMax(0, pageCount() - 1));
    if (clamped == m_current)
        return;
    m_current = clamped;
    updateNavigation();
    update();
}

QString PagePreview::pageLabelText() const {
    const int count = pageCount();
    return QStringLiteral("%1 / %2").arg(count == 0 ? 0 : m_current + 1).arg(count);
}

void PagePreview::onDocumentChanged() {
    m_current = 0;
    m_cachePage = -1;
    m_cache.clear();
    updateNavigation();
    update();
}

void PagePreview::applyPointer(int pointer) {
    if (pointer == 11)
        setCursor(Qt::WaitCursor);
    else if (pointer == 1)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
}

void PagePreview::updateNavigation() {
    const int count = pageCount();
    m_label->setText(pageLabelText());
    m_previous->setEnabled(m_current > 0);
    m_next->setEnabled(m_current + 1 < count);
    m_navigation->setVisible(count > 1);
    m_navigation->adjustSize();
    m_navigation->move((width() - m_navigation->width()) / 2, height() - m_navigation->height());
}

const Page* PagePreview::shownPage() const {
    const int count = pageCount();
    if (count == 0)
        return nullptr;
    // A document being rebuilt may be shorter than the page on display for a moment.
    return &m_document->pages()[static_cast<size_t>(qMin(m_current, count - 1))];
}

QSize PagePreview::currentPageTwips() const {
    const Page* page = shownPage();
    return page ? QSize(page->widthTwips, page->heightTwips) : QSize(kA4ShortTwips, kA4LongTwips);
}

QRect PagePreview::sheetRect() const {
    QSize area = size();
    if (m_navigation->isVisible())
        area.rheight() -= m_navigation->height();
    return FitSheet(area, currentPageTwips());
}

const std::vector<QImage>& PagePreview::scaledPictures(const Page& page, const QRect& sheet) {
    if (m_cachePage == m_current && m_cacheSheet == sheet && m_cache.size() == page.pictures.size())
        return m_cache;
    m_cache.clear();
    const QSize pageTwips(page.widthTwips, page.heightTwips);
    for (const PagePicture& picture : page.pictures) {
        const QRect box = MapBoxToSheet(picture.boxTwips, pageTwips, sheet);
        QImage image = box.isEmpty() ? QImage() : picture.load();
        ++m_decodeCount;
        // The document fitted the box to the picture already; the PDF fills it the same way.
        if (!image.isNull())
            image = image.scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_cache.push_back(std::move(image));
    }
    m_cachePage = m_current;
    m_cacheSheet = sheet;
    return m_cache;
}

void PagePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRect sheet = sheetRect();
    if (sheet.isEmpty())
        return;
    painter.fillRect(sheet.translated(kSheetShadow, kSheetShadow), kShadow);
    painter.fillRect(sheet, Qt::white);
    const Page* shown = shownPage();
    if (!shown)
        return;
    const Page& page = *shown;
    const std::vector<QImage>& images = scaledPictures(page, sheet);
    const QSize pageTwips(page.widthTwips, page.heightTwips);
    painter.setClipRect(sheet);
    for (size_t i = 0; i < images.size() && i < page.pictures.size(); ++i) {
        if (images[i].isNull())
            continue;
        const QRect box = MapBoxToSheet(page.pictures[i].boxTwips, pageTwips, sheet);
        painter.drawImage(box.topLeft(), images[i]);
    }
}

void PagePreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        nextPage();
        break;
    case Qt::Key_PageUp:
        previousPage();
        break;
    case Qt::Key_Home:
        setCurrentPage(0);
        break;
    case Qt::Key_End:
        setCurrentPage(pageCount() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PagePreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateNavigation();
}

} // namespace folivo
