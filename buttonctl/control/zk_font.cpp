#include "zk_font.h"

#include <QFontInfo>
#include <cmath>

zkFont::zkFont(QString name, double size, bool bold, bool italic, bool underline,
               bool strikethrough)
    : m_name(std::move(name)), m_size(size), m_bold(bold), m_italic(italic), m_underline(underline),
      m_strikethrough(strikethrough) {}

QSharedPointer<zkFont> zkFont::fromQFont(const QFont& font) {
    double size = font.pointSizeF();
    if (size <= 0)
        size = font.pixelSize() * 72.0 / 96.0;
    return QSharedPointer<zkFont>::create(font.family(), size, font.bold(), font.italic(),
                                          font.underline(), font.strikeOut());
}

QFont zkFont::toQFont(int dpi) const {
    QFont font(m_name);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_size * dpi / 72.0))));
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikethrough);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

bool zkFont::sameAs(const zkFont& other) const {
    return m_name == other.m_name && m_size == other.m_size && m_bold == other.m_bold &&
           m_italic == other.m_italic && m_underline == other.m_underline &&
           m_strikethrough == other.m_strikethrough;
}
