#pragma once
// The preview control `VS`: shows one page of the PageDocument at a time on a white
// sheet with a shadow, as large as the widget allows.
//
// - Pictures are drawn stretched into their boxes (the document already shrank a box
//   to its picture's shape where the proportions are kept). They are decoded while painting and
//   only the current page's scaled pictures are kept, so a long document costs the
//   memory of one page.
// - With more than one page a small row (previous, "n / m", next) appears at the bottom;
//   Page Up / Page Down (and Home / End) page through the document from the keyboard.
// - A new document (documentChanged) starts again at its first page.
// - The document's mouse pointer is shown over the preview: 11 hourglass, 1 arrow,
//   anything else the default cursor.
// - With no page at all a blank A4 sheet is shown.
// - Zoom: the whole page (the default), the page's width, or a fixed scale (100 % is the
//   real size); Ctrl++, Ctrl+-, Ctrl+0 (whole page) and Ctrl+wheel anywhere in the window,
//   all of them in the preview's context menu too. Scroll bars appear only where the
//   sheet is larger than the view.
// - Pictures are scaled for the screen's device pixels, so they stay sharp on a 2x screen.
#include "preview_geometry.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <vector>

class QAction;
class QLabel;
class QToolButton;

namespace folivo {

class PageDocument;
struct Page;

class PagePreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PagePreview(PageDocument* document, QWidget* parent = nullptr);

    int currentPage() const { return m_current; } // 0-based
    int pageCount() const;
    void setCurrentPage(int index);
    void nextPage() { setCurrentPage(m_current + 1); }
    void previousPage() { setCurrentPage(m_current - 1); }
    QString pageLabelText() const;

    // The sheet rectangle of the current page in widget pixels (scrolled).
    QRect sheetRect() const;
    const PreviewZoom& zoom() const { return m_zoom; }
    void setZoom(const PreviewZoom& zoom);
    QAction* zoomAction(const QString& name) const; // by objectName, e.g. "previewZoomIn"
    // How many times pictures were decoded; the cache keeps this from growing on repaint.
    int decodeCount() const { return m_decodeCount; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildZoomActions();
    SheetLayout sheetLayout() const;
    void applyLayout(); // scroll bars and navigation row for the present size and zoom
    void onDocumentChanged();
    void applyPointer(int pointer);
    void updateNavigation();
    const Page* shownPage() const;
    QSize currentPageTwips() const;
    const std::vector<QImage>& scaledPictures(const Page& page, const QSize& sheet);

    QPointer<PageDocument> m_document;
    int m_current = 0;
    QWidget* m_navigation = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QLabel* m_label = nullptr;
    PreviewZoom m_zoom;
    std::vector<QAction*> m_zoomActions;

    int m_cachePage = -1;
    QSize m_cacheSheet;
    qreal m_cacheRatio = 0;
    std::vector<QImage> m_cache;
    int m_decodeCount = 0;
};

} // namespace folivo
