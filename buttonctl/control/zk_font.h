#pragma once
// The shared font object of zkButton: a button keeps a reference, and changing Name,
// Size, Bold, Italic, Underline or Strikethrough on the object changes it in place for
// every button that shares it (the font property page relies on this). `Changed` carries
// the attribute's name.
#include "zkbutton2_export.h"
#include <QFont>
#include <QObject>
#include <QSharedPointer>
#include <QString>

class ZKBUTTON2_EXPORT zkFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(double Size READ size WRITE setSize)
    Q_PROPERTY(bool Bold READ bold WRITE setBold)
    Q_PROPERTY(bool Italic READ italic WRITE setItalic)
    Q_PROPERTY(bool Underline READ underline WRITE setUnderline)
    Q_PROPERTY(bool Strikethrough READ strikethrough WRITE setStrikethrough)

public:
    zkFont() = default;
    zkFont(QString name, double size, bool bold = false, bool italic = false,
           bool underline = false, bool strikethrough = false);
    // Takes family, point size and styles of a Qt font (a pixel-sized font is converted
    // at 96 dpi).
    static QSharedPointer<zkFont> fromQFont(const QFont& font);

    QString name() const { return m_name; }
    double size() const { return m_size; }
    bool bold() const { return m_bold; }
    bool italic() const { return m_italic; }
    bool underline() const { return m_underline; }
    bool strikethrough() const { return m_strikethrough; }

    void setName(const QString& name) { assign(m_name, name, "Name"); }
    void setSize(double size) { assign(m_size, size, "Size"); }
    void setBold(bool on) { assign(m_bold, on, "Bold"); }
    void setItalic(bool on) { assign(m_italic, on, "Italic"); }
    void setUnderline(bool on) { assign(m_underline, on, "Underline"); }
    void setStrikethrough(bool on) { assign(m_strikethrough, on, "Strikethrough"); }

    // The Qt font to draw with at `dpi` pixels per inch: the height in pixels is the
    // point size scaled by dpi / 72 and rounded, and text is not antialiased so that
    // captions are drawn in exactly the caption colours.
    QFont toQFont(int dpi) const;
    // Same attributes (the comparison a property bag uses for defaults).
    bool sameAs(const zkFont& other) const;

signals:
    void Changed(const QString& attribute);

private:
    template <class T> void assign(T& field, const T& value, const char* attribute) {
        field = value;
        emit Changed(QString::fromLatin1(attribute));
    }

    QString m_name = QStringLiteral("DejaVu Sans");
    double m_size = 9.0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
};

using zkFontRef = QSharedPointer<zkFont>;
