#pragma once
// The three drawing operations of the button face (border, caption, picture). Each draws
// into the buffer and ends by copying the buffer onto the visible surface, so the public
// DrawDefault methods show their result at once.
class zkButtonPrivate;
class QFont;
class QString;
class QSize;

class zkButtonFace {
public:
    explicit zkButtonFace(zkButtonPrivate& button) : m_b(button) {}
    void border(int state);
    void caption(int state);
    // False (nothing drawn, nothing copied) for a state other than 0, 1 or 2.
    bool picture(int state);

    // TW and TH: text measures in pixels in the given font (several lines: widest line,
    // all lines high).
    static int textWidth(const QFont& font, const QString& text);
    static int textHeight(const QFont& font, const QString& text);

private:
    enum class Look { None, Raised3D, Sunken3D, PushedFrame, FlatRaised, FlatSunken };
    Look lookFor(int state) const;
    void drawLook(Look look);
    void drawText(int x, int y, unsigned colour);
    void underline(int x1, int x2, int y, unsigned colour);

    zkButtonPrivate& m_b;
};
