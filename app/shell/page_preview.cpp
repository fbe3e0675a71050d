#include "page_preview.h"

#include "page_document.h"
#include "preview_geometry.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

namespace folivo {

namespace {
const QColor kBackground(128, 128, 128);
const QColor kShadow(64, 64, 64);
// Above this many device pixels a picture is no longer enlarged ahead of time: the
// painter scales the part in view, so a deep zoom costs no more memory than the picture.
constexpr qint64 kMaxScaledPixels = qint64(1) << 22;
} // namespace

PagePreview::PagePreview(PageDocument* document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(20); // an arrow key or a wheel notch moves a fair step
    verticalScrollBar()->setSingleStep(20);

    // A child of the viewport, so that it stays put while the page scrolls beneath.
    m_navigation = new QWidget(viewport());
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
    buildZoomActions();
    updateNavigation();
}

void PagePreview::buildZoomActions() {
    const auto add = [this](const char* name, const QString& text, const QList<QKeySequence>& keys,
                            auto apply) {
        auto* item = new QAction(text, this);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcuts(keys);
        item->setShortcutContext(Qt::WindowShortcut); // anywhere in the main window
        connect(item, &QAction::triggered, this, [this, apply] {
            PreviewZoom zoom = m_zoom;
            apply(zoom, sheetLayout().shownScale);
            setZoom(zoom);
        });
        addAction(item);
        m_zoomActions.push_back(item);
    };
    // Ctrl+= too: on most keyboards "+" needs Shift.
    add("previewZoomIn", QStringLiteral("拡大(&I)"),
        {QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))},
        [](PreviewZoom& z, double shown) { z.zoomIn(shown); });
    add("previewZoomOut", QStringLiteral("縮小(&O)"), {QKeySequence::ZoomOut},
        [](PreviewZoom& z, double shown) { z.zoomOut(shown); });
    add("previewFitPage", QStringLiteral("ページ全体を表示(&P)"),
        {QKeySequence(QStringLiteral("Ctrl+0"))}, [](PreviewZoom& z, double) { z.fitPage(); });
    add("previewFitWidth", QStringLiteral("幅に合わせる(&W)"), {},
        [](PreviewZoom& z, double) { z.fitWidth(); });
    add("previewActualSize", QStringLiteral("実際のサイズ 100%(&A)"), {},
        [](PreviewZoom& z, double) { z.setScale(1.0); });
    for (size_t i = 2; i < m_zoomActions.size(); ++i)
        m_zoomActions[i]->setCheckable(true); // the three ways to fit show which one is on
}

QAction* PagePreview::zoomAction(const QString& name) const {
    for (QAction* item : m_zoomActions)
        if (item->objectName() == name)
            return item;
    return nullptr;
}

void PagePreview::setZoom(const PreviewZoom& zoom) {
    // The part of the page at the view's centre stays there.
    const SheetLayout before = sheetLayout();
    QPointF centre(0.5, 0.5);
    if (!before.content.isEmpty())
        centre = QPointF((horizontalScrollBar()->value() + before.viewport.width() / 2.0) /
                             before.content.width(),
                         (verticalScrollBar()->value() + before.viewport.height() / 2.0) /
                             before.content.height());
    m_zoom = zoom;
    applyLayout();
    const SheetLayout after = sheetLayout();
    horizontalScrollBar()->setValue(
        qRound(centre.x() * after.content.width() - after.viewport.width() / 2.0));
    verticalScrollBar()->setValue(
        qRound(centre.y() * after.content.height() - after.viewport.height() / 2.0));
    viewport()->update();
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
    viewport()->update();
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
    viewport()->update();
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
    applyLayout();
}

void PagePreview::applyLayout() {
    const SheetLayout layout = sheetLayout();
    // Set from the whole widget's size, so a bar that appears cannot change the answer.
    setHorizontalScrollBarPolicy(layout.horizontalBar ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(layout.verticalBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setRange(0, layout.content.width() - layout.viewport.width());
    horizontalScrollBar()->setPageStep(layout.viewport.width());
    verticalScrollBar()->setRange(0, layout.content.height() - layout.viewport.height());
    verticalScrollBar()->setPageStep(layout.viewport.height());
    const QWidget* view = viewport();
    m_navigation->move((view->width() - m_navigation->width()) / 2,
                       view->height() - m_navigation->height());
    const PreviewZoom::Mode mode = m_zoom.mode();
    zoomAction(QStringLiteral("previewFitPage"))->setChecked(mode == PreviewZoom::Mode::FitPage);
    zoomAction(QStringLiteral("previewFitWidth"))->setChecked(mode == PreviewZoom::Mode::FitWidth);
    zoomAction(QStringLiteral("previewActualSize"))
        ->setChecked(mode == PreviewZoom::Mode::Scale && m_zoom.scale() == 1.0);
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

SheetLayout PagePreview::sheetLayout() const {
    QSize area = size(); // the whole widget: scroll bars are the layout's to decide
    if (m_navigation->isVisible())
        area.rheight() -= m_navigation->height();
    return LayOutSheet(area, currentPageTwips(), m_zoom, logicalDpiX(),
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

QRect PagePreview::sheetRect() const {
    return sheetLayout().sheet.translated(-horizontalScrollBar()->value(),
                                          -verticalScrollBar()->value());
}

const std::vector<QImage>& PagePreview::scaledPictures(const Page& page, const QSize& sheet) {
    const qreal ratio = devicePixelRatioF();
    if (m_cachePage == m_current && m_cacheSheet == sheet && m_cacheRatio == ratio &&
        m_cache.size() == page.pictures.size())
        return m_cache;
    m_cache.clear();
    const QSize pageTwips(page.widthTwips, page.heightTwips);
    for (const PagePicture& picture : page.pictures) {
        const QRect box = MapBoxToSheet(picture.boxTwips, pageTwips, QRect(QPoint(), sheet));
        QImage image = box.isEmpty() ? QImage() : picture.load();
        ++m_decodeCount;
        // The document fitted the box to the picture already; the PDF fills it the same way.
        const QSize target = box.size() * ratio;
        const qint64 targetPixels = qint64(target.width()) * target.height();
        if (!image.isNull() && (targetPixels <= kMaxScaledPixels ||
                                targetPixels <= qint64(image.width()) * image.height())) {
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            image.setDevicePixelRatio(ratio);
        }
        m_cache.push_back(std::move(image));
    }
    m_cachePage = m_current;
    m_cacheSheet = sheet;
    m_cacheRatio = ratio;
    return m_cache;
}

void PagePreview::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    const QRect sheet = sheetRect();
    if (sheet.isEmpty())
        return;
    painter.fillRect(sheet.translated(kSheetShadow, kSheetShadow), kShadow);
    painter.fillRect(sheet, Qt::white);
    const Page* shown = shownPage();
    if (!shown)
        return;
    const Page& page = *shown;
    const std::vector<QImage>& images = scaledPictures(page, sheet.size());
    const QSize pageTwips(page.widthTwips, page.heightTwips);
    painter.setClipRect(sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (size_t i = 0; i < images.size() && i < page.pictures.size(); ++i) {
        if (images[i].isNull())
            continue;
        const QRect box = MapBoxToSheet(page.pictures[i].boxTwips, pageTwips, sheet);
        if (images[i].deviceIndependentSize().toSize() == box.size())
            painter.drawImage(box.topLeft(), images[i]); // scaled ahead: device pixel for pixel
        else
            painter.drawImage(box, images[i]);
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
        QAbstractScrollArea::keyPressEvent(event); // arrows scroll
        return;
    }
    event->accept();
}

void PagePreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    applyLayout();
}

void PagePreview::scrollContentsBy(int, int) {
    viewport()->update();
}

void PagePreview::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return QAbstractScrollArea::wheelEvent(event);
    const int steps = event->angleDelta().y();
    if (steps != 0)
        zoomAction(steps > 0 ? QStringLiteral("previewZoomIn") : QStringLiteral("previewZoomOut"))
            ->trigger();
    event->accept();
}

void PagePreview::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addActions({m_zoomActions[0], m_zoomActions[1]});
    menu.addSeparator();
    menu.addActions({m_zoomActions[2], m_zoomActions[3], m_zoomActions[4]});
    menu.exec(event->globalPos());
}

} // namespace folivo
