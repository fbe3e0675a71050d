// The main window's client area: separator, preview, status row, and its layout pass.
#include "main_window.h"

#include "main_layout.h"
#include "page_preview.h"
#include "twips.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace folivo {

namespace {
constexpr int kInitialWidthTwips = 12000;
constexpr int kInitialHeightTwips = 9900;

QWidget* MakeLine(QWidget* parent, const QString& name, QPalette::ColorRole role) {
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, parent->palette().color(role));
    line->setPalette(palette);
    return line;
}

// The status icon: a small sheet of paper with a green tick.
QPixmap DrawStatusIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    QPainterPath sheet;
    sheet.moveTo(s * 0.18, s * 0.06);
    sheet.lineTo(s * 0.62, s * 0.06);
    sheet.lineTo(s * 0.82, s * 0.26);
    sheet.lineTo(s * 0.82, s * 0.94);
    sheet.lineTo(s * 0.18, s * 0.94);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), qMax(1.0, s / 17)));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setPen(QPen(QColor(0, 150, 60), qMax(1.5, s / 8), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.32, s * 0.58), QPointF(s * 0.46, s * 0.72));
    p.drawLine(QPointF(s * 0.46, s * 0.72), QPointF(s * 0.70, s * 0.40));
    return pixmap;
}
} // namespace

void MainWindow::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client);
    client->installEventFilter(this);

    m_line1 = MakeLine(client, QStringLiteral("Line1"), QPalette::Dark);
    m_line2 = MakeLine(client, QStringLiteral("Line2"), QPalette::Light);

    m_preview = new PagePreview(m_document, client);
    m_preview->setObjectName(QStringLiteral("VS"));

    const int iconSide = twipsToPixelsX(kStatusIconTwips);
    m_statusIcon = new QLabel(client);
    m_statusIcon->setObjectName(QStringLiteral("PictureStatus"));
    m_statusIcon->setFixedSize(iconSide, twipsToPixelsY(kStatusIconTwips));
    m_statusIcon->setPixmap(DrawStatusIcon(iconSide));

    m_status = new QLineEdit(QStringLiteral("TextStatus"), client);
    m_status->setObjectName(QStringLiteral("TextStatus"));
    m_status->setReadOnly(true);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
    m_status->setPalette(palette);
    m_status->resize(m_status->width(), twipsToPixelsY(kStatusLineHeightTwips));
    m_status->installEventFilter(this);

    // The designed size, unless a small screen or a large scale factor has less room.
    QSize initial(twipsToPixelsX(kInitialWidthTwips), twipsToPixelsY(kInitialHeightTwips));
    if (const QScreen* shown = screen())
        initial = initial.boundedTo(shown->availableGeometry().size());
    resize(initial);
}

QWidget* MainWindow::clientArea() const {
    return centralWidget();
}

int MainWindow::twipsToPixelsX(int twips) const {
    return TwipsToPixels(twips, logicalDpiX());
}

int MainWindow::twipsToPixelsY(int twips) const {
    return TwipsToPixels(twips, logicalDpiY());
}

void MainWindow::Layout() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const QWidget* client = centralWidget();
    MainLayoutInput in;
    in.innerWidth = PixelsToTwips(client->width(), dpiX);
    in.innerHeight = PixelsToTwips(client->height(), dpiY);
    in.outerWidth = PixelsToTwips(frameGeometry().width(), dpiX);
    in.toolbarOffset = m_state.toolbarOffset;
    in.statusHeight = PixelsToTwips(m_status->height(), dpiY);
    in.iconWidth = PixelsToTwips(m_statusIcon->width(), dpiX);
    in.iconHeight = PixelsToTwips(m_statusIcon->height(), dpiY);
    const MainLayout layout = ComputeMainLayout(in);

    if (layout.preview) {
        m_preview->setGeometry(TwipsRectToPixels(*layout.preview, dpiX, dpiY));
        // Without the toolbar the preview covers the strip, buttons included.
        m_preview->raise();
        m_preview->update();
    }
    m_statusIcon->move(TwipsToPixels(layout.statusIcon.x(), dpiX),
                       TwipsToPixels(layout.statusIcon.y(), dpiY));
    if (layout.statusLine) {
        const QRect line = TwipsRectToPixels(*layout.statusLine, dpiX, dpiY);
        m_status->setGeometry(line.x(), client->height() - m_status->height(), line.width(),
                              m_status->height());
    }
    const int outer = TwipsToPixels(in.outerWidth, dpiX);
    const int thickness = qMax(1, TwipsToPixels(15, dpiY));
    m_line1->setGeometry(0, TwipsToPixels(layout.line1.y1(), dpiY), outer, thickness);
    m_line2->setGeometry(0, TwipsToPixels(layout.line2.y1(), dpiY), outer, thickness);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        Layout();
    else if (watched == m_status && event->type() == QEvent::FocusIn)
        m_preview->setFocus(Qt::OtherFocusReason); // the status line never keeps the caret
    return QMainWindow::eventFilter(watched, event);
}

} // namespace folivo
