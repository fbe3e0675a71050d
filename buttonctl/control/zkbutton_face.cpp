#include "zkbutton_face.h"

#include "zk_geometry.h"
#include "zk_raster.h"
#include "zkbutton.h"
#include "zkbutton_p.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr quint32 kHighlight = 0x80000014, kDarkShadow = 0x80000015, kShadow = 0x80000010,
                  kFace = 0x8000000F;
} // namespace

int zkButtonFace::textWidth(const QFont& font, const QString& text) {
    const QFontMetrics fm(font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

int zkButtonFace::textHeight(const QFont& font, const QString& text) {
    const QFontMetrics fm(font);
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return fm.height() + (lines - 1) * fm.lineSpacing();
}

zkButtonFace::Look zkButtonFace::lookFor(int state) const {
    const bool is3D = m_b.props.appearance == zkButton::zba3D;
    const int value = m_b.props.value;
    if (state < 0 || state > 2)
        return Look::None;
    if (m_b.props.style == zkButton::zbbButton) {
        if (is3D)
            return state == 1 ? Look::PushedFrame : Look::Raised3D;
        return state == 0 ? Look::None : (state == 1 ? Look::FlatSunken : Look::FlatRaised);
    }
    if (m_b.props.style != zkButton::zbbCheck && m_b.props.style != zkButton::zbbOption)
        return Look::None;
    if (is3D) {
        switch (state) {
        case 0:
            return value == 0 ? Look::Raised3D : Look::Sunken3D;
        case 1:
            return Look::Sunken3D;
        default:
            return value == 1 ? Look::Sunken3D : Look::Raised3D;
        }
    }
    switch (state) {
    case 0:
        return value == 1 ? Look::FlatSunken : Look::None;
    case 1:
        return Look::FlatSunken;
    default:
        return value != 0 ? Look::FlatSunken : Look::FlatRaised;
    }
}

void zkButtonFace::drawLook(Look look) {
    using zk::raster::line;
    using zk::raster::outline;
    QImage& img = m_b.canvas.buffer;
    const int W = img.width(), H = img.height();
    const auto pen = [this](quint32 ole) {
        return zk::raster::Pen{m_b.q->resolveColor(ole).rgb()};
    };
    switch (look) {
    case Look::Raised3D:
        outline(img, {0, 0}, {W - 1, H - 1}, pen(kDarkShadow));
        outline(img, {0, 0}, {W - 2, H - 2}, pen(kHighlight));
        line(img, {W - 2, 1}, {W - 2, H - 2}, pen(kShadow));
        outline(img, {W - 2, H - 2}, {1, H - 2}, pen(kShadow));
        break;
    case Look::Sunken3D:
        outline(img, {0, 0}, {W - 1, H - 1}, pen(kHighlight));
        outline(img, {0, 0}, {W - 2, H - 2}, pen(kDarkShadow));
        outline(img, {1, 1}, {W - 2, H - 2}, pen(kFace));
        line(img, {W - 3, 1}, {1, 1}, pen(kShadow));
        line(img, {1, 1}, {1, H - 3}, pen(kShadow));
        break;
    case Look::PushedFrame:
        outline(img, {0, 0}, {W - 1, H - 1}, pen(kShadow));
        break;
    case Look::FlatRaised:
    case Look::FlatSunken: {
        const quint32 first = look == Look::FlatRaised ? kHighlight : kShadow;
        const quint32 second = look == Look::FlatRaised ? kShadow : kHighlight;
        outline(img, {0, 0}, {W - 1, H - 1}, pen(first));
        line(img, {W - 1, 0}, {W - 1, H - 1}, pen(second));
        line(img, {W - 1, H - 1}, {0, H - 1}, pen(second));
        break;
    }
    case Look::None:
        break;
    }
}

void zkButtonFace::border(int state) {
    drawLook(lookFor(state));
    m_b.copyBufferToSurface();
}

void zkButtonFace::drawText(int x, int y, unsigned colour) {
    QPainter painter(&m_b.canvas.buffer);
    painter.setFont(m_b.canvas.bufferFont);
    painter.setPen(m_b.q->resolveColor(colour));
    painter.drawText(QRect(x, y, 1 << 16, 1 << 16), Qt::AlignLeft | Qt::AlignTop,
                     m_b.displayCaption);
}

void zkButtonFace::underline(int x1, int x2, int y, unsigned colour) {
    zk::raster::line(m_b.canvas.buffer, {x1, y}, {x2, y}, {m_b.q->resolveColor(colour).rgb()});
}

void zkButtonFace::caption(int state) {
    const QFont& font = m_b.canvas.bufferFont;
    const QString& text = m_b.displayCaption;
    const int p = state == zkButton::zbsPush ? 1 : 0;
    const zkPictureRef ref = (m_b.props.enabled || !zkHoldsPicture(m_b.props.disablePicture))
                                 ? m_b.props.picture
                                 : m_b.props.disablePicture;
    const bool hasRef = zkHoldsPicture(ref);
    const zk::FaceMetrics metrics{m_b.canvas.buffer.width(), m_b.canvas.buffer.height(),
                                  m_b.props.captionAlign,    m_b.props.pictureAlign,
                                  textWidth(font, text),     textHeight(font, text)};
    const QPoint at =
        zk::captionPosition(metrics, hasRef ? ref->width() : 0, hasRef ? ref->height() : 0);
    const int x = at.x(), y = at.y();

    const bool withUnderline = !m_b.accessKeys.isEmpty() && m_b.props.useMnemonic;
    int kx = 0, kw = 0, ka = 0;
    if (withUnderline) {
        kx = zk::roundHalfEven(textWidth(font, text.left(std::max(0, m_b.mnemonicPos - 1))));
        kw = zk::roundHalfEven(textWidth(font, m_b.accessKeys));
        ka = textHeight(font, QStringLiteral("A"));
    }
    if (m_b.props.enabled) {
        drawText(x + p, y + p, m_b.props.foreColor);
        if (withUnderline)
            underline(x + p + kx, x + p + kx + kw, y + p + ka - 1, m_b.props.foreColor);
    } else {
        // Engraved: a highlight copy one pixel right and down under the shadow copy.
        drawText(x + 1, y + 1, kHighlight);
        if (withUnderline)
            underline(x + kx + 1, x + kx + 1 + kw, y + ka, kHighlight);
        drawText(x, y, kShadow);
        if (withUnderline)
            underline(x + kx, x + kx + kw, y + ka - 1, kShadow);
    }
    m_b.copyBufferToSurface();
}

bool zkButtonFace::picture(int state) {
    if (state < 0 || state > 2)
        return false;
    zkPictureRef chosen = m_b.props.picture;
    if (!m_b.props.enabled) {
        if (zkHoldsPicture(m_b.props.disablePicture))
            chosen = m_b.props.disablePicture;
    } else if (state == zkButton::zbsPush && zkHoldsPicture(m_b.props.downPicture)) {
        chosen = m_b.props.downPicture;
    } else if (state == zkButton::zbsSelect && zkHoldsPicture(m_b.props.selectPicture)) {
        chosen = m_b.props.selectPicture;
    }
    const int p = state == zkButton::zbsPush ? 1 : 0;
    if (zkHoldsPicture(chosen)) {
        const QFont& font = m_b.canvas.bufferFont;
        const zk::FaceMetrics metrics{m_b.canvas.buffer.width(),
                                      m_b.canvas.buffer.height(),
                                      m_b.props.captionAlign,
                                      m_b.props.pictureAlign,
                                      textWidth(font, m_b.displayCaption),
                                      textHeight(font, m_b.displayCaption)};
        const QPoint at =
            zk::picturePosition(metrics, chosen->width(), chosen->height()) + QPoint(p, p);
        if (!m_b.props.useMaskColor) {
            QPainter painter(&m_b.canvas.buffer);
            painter.drawImage(at, chosen->image());
        } else {
            // picPicTemp: the picture as opaque pixels at its origin.
            const QImage scratch = chosen->image().convertToFormat(QImage::Format_RGB32);
            zk::raster::maskedCopy(m_b.canvas.buffer, at.x(), at.y(), chosen->width(),
                                   chosen->height(), scratch, 0, 0,
                                   m_b.q->resolveColor(m_b.props.maskColor).rgb());
        }
    }
    m_b.copyBufferToSurface();
    return true;
}
