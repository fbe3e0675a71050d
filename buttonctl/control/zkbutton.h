#pragma once
// zkButton: the owner-drawn picture button of the zkButton2 library.
//
// Every published property is a Q_PROPERTY under its published name ("Caption",
// "PictureAlign", ...), so hosts and property pages may use QObject::property/setProperty.
// A setter stores the value without validating it, passes it on to the widget where the
// widget has a matching state (Enabled, MousePointer), redraws, and emits
// PropertyChanged(name) (ScaleMode notifies nothing;
// MousePointer and the Draw*/FillStyle attributes do not redraw).
//
// The face is composed in an off-screen buffer (picTemp) and copied onto the visible
// surface, an image of the widget's pixel size that paintEvent shows. The drawing methods
// (LineEx, Box, PSetEx, ...) draw on that surface and are wiped by the next redraw.
//
// Events are Qt signals with the published names. Integer arguments are passed by
// reference: most are copies (a handler's write is discarded), but the Click raised by an
// access key, Enter or Esc passes the button's recorded LastButton/LastShift/LastX/LastY
// themselves, in surface pixels. Connect with Qt::DirectConnection semantics (the default
// for objects of one thread).
//
// Persistence: InitProperties for a new instance, ReadProperties/WriteProperties through a
// zkPropertyBag; a failing bag stops at that key and its error is returned.
//
// Hover: the 100 ms timer that raises MouseIn/MouseOut starts when ReadProperties runs in
// user mode, or, for a button never loaded from a bag (made with new, or by a form loader
// that sets its properties one by one), when it is first shown in user mode.
#include "zk_host.h"
#include "zkbutton2_export.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

class QAccessibleInterface;
class QMimeData;
class QShortcut;
class QTimer;

class ZKBUTTON2_EXPORT zkButton : public QWidget {
    Q_OBJECT
    // What Qt Designer edits and saves in place of the library's own picture, font and colour
    // types, which it hides. The *File ones keep the file a property page loaded a picture
    // from. Declared first: where a form holds both, the later (more exact) one wins.
    Q_PROPERTY(QString PictureFile READ pictureFile WRITE setPictureFile DESIGNABLE false)
    Q_PROPERTY(
        QString DownPictureFile READ downPictureFile WRITE setDownPictureFile DESIGNABLE false)
    Q_PROPERTY(QString SelectPictureFile READ selectPictureFile WRITE setSelectPictureFile
                   DESIGNABLE false)
    Q_PROPERTY(QString DisablePictureFile READ disablePictureFile WRITE setDisablePictureFile
                   DESIGNABLE false)
    Q_PROPERTY(QString MouseIconFile READ mouseIconFile WRITE setMouseIconFile DESIGNABLE false)
    Q_PROPERTY(QPixmap PictureQPixmap READ picturePixmap WRITE setPicturePixmap)
    Q_PROPERTY(QPixmap DownPictureQPixmap READ downPicturePixmap WRITE setDownPicturePixmap)
    Q_PROPERTY(QPixmap SelectPictureQPixmap READ selectPicturePixmap WRITE setSelectPicturePixmap)
    Q_PROPERTY(
        QPixmap DisablePictureQPixmap READ disablePicturePixmap WRITE setDisablePicturePixmap)
    Q_PROPERTY(QPixmap MouseIconQPixmap READ mouseIconPixmap WRITE setMouseIconPixmap)
    Q_PROPERTY(QFont FontQFont READ fontQFont WRITE setFontQFont)
    Q_PROPERTY(QColor BackColorQColor READ backQColor WRITE setBackQColor)
    Q_PROPERTY(QColor ForeColorQColor READ foreQColor WRITE setForeQColor)
    Q_PROPERTY(QColor FillColorQColor READ fillQColor WRITE setFillQColor)
    Q_PROPERTY(QColor MaskColorQColor READ maskQColor WRITE setMaskQColor)
    Q_PROPERTY(AppearanceEnum Appearance READ appearance WRITE setAppearance)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor DESIGNABLE false)
    Q_PROPERTY(bool Cancel READ cancel WRITE setCancel)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(CaptionAlignEnum CaptionAlign READ captionAlign WRITE setCaptionAlign)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(
        zkPictureRef DisablePicture READ disablePicture WRITE setDisablePicture DESIGNABLE false)
    Q_PROPERTY(zkPictureRef DownPicture READ downPicture WRITE setDownPicture DESIGNABLE false)
    Q_PROPERTY(bool Enabled READ isButtonEnabled WRITE setButtonEnabled)
    Q_PROPERTY(zkFontRef Font READ buttonFont WRITE setButtonFont DESIGNABLE false)
    Q_PROPERTY(int FocusRectMargin READ focusRectMargin WRITE setFocusRectMargin)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor DESIGNABLE false)
    Q_PROPERTY(uint FillColor READ fillColor WRITE setFillColor DESIGNABLE false)
    Q_PROPERTY(int hWnd READ hWnd)
    Q_PROPERTY(int hdc READ hdc)
    Q_PROPERTY(uint MaskColor READ maskColor WRITE setMaskColor DESIGNABLE false)
    Q_PROPERTY(zkPictureRef MouseIcon READ mouseIcon WRITE setMouseIcon DESIGNABLE false)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
    Q_PROPERTY(OLEDropModeEnum OLEDropMode READ oleDropMode WRITE setOleDropMode)
    Q_PROPERTY(zkPictureRef Picture READ picture WRITE setPicture DESIGNABLE false)
    Q_PROPERTY(PictureAlignEnum PictureAlign READ pictureAlign WRITE setPictureAlign)
    Q_PROPERTY(
        zkPictureRef SelectPicture READ selectPicture WRITE setSelectPicture DESIGNABLE false)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(StyleEnum Style READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool UseMaskColor READ useMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(ValueEnum Value READ value WRITE setValue)
    Q_PROPERTY(bool OwnerDraw READ ownerDraw WRITE setOwnerDraw)
    Q_PROPERTY(int DrawMode READ drawMode WRITE setDrawMode)
    Q_PROPERTY(int DrawStyle READ drawStyle WRITE setDrawStyle)
    Q_PROPERTY(int DrawWidth READ drawWidth WRITE setDrawWidth)
    Q_PROPERTY(int FillStyle READ fillStyle WRITE setFillStyle)
    Q_PROPERTY(int ScaleMode READ scaleMode WRITE setScaleMode)
    Q_PROPERTY(QString Name READ name)
    Q_PROPERTY(int ScaleHeight READ scaleHeight)
    Q_PROPERTY(int ScaleWidth READ scaleWidth)
    Q_PROPERTY(bool UseMnemonic READ useMnemonic WRITE setUseMnemonic)
    Q_PROPERTY(QString DisplayCaption READ displayCaption)
    Q_PROPERTY(int MnemonicPos READ mnemonicPos)

public:
    // Every enumeration holds any 32-bit value: setters store out-of-range values as given.
    enum AppearanceEnum : int { zbaFlat = 0, zba3D = 1 };
    Q_ENUM(AppearanceEnum)
    enum CaptionAlignEnum : int {
        zbcTopLeft = 0,
        zbcTopCenter = 1,
        zbcTopRight = 2,
        zbcLeft = 3,
        zbcCenter = 4,
        zbcRight = 5,
        zbcBottomLeft = 6,
        zbcBottomCenter = 7,
        zbcBottomRight = 8
    };
    Q_ENUM(CaptionAlignEnum)
    enum PictureAlignEnum : int {
        zbpTopLeft = 0,
        zbpTopCenter = 1,
        zbpTopRight = 2,
        zbpLeft = 3,
        zbpCenter = 4,
        zbpRight = 5,
        zbpBottomLeft = 6,
        zbpBottomCenter = 7,
        zbpBottomRight = 8,
        zbpCaptionTop = 9,
        zbpCaptionLeft = 10,
        zbpCaptionRight = 11,
        zbpCaptionBottom = 12
    };
    Q_ENUM(PictureAlignEnum)
    enum StyleEnum : int { zbbButton = 0, zbbCheck = 1, zbbOption = 2 };
    Q_ENUM(StyleEnum)
    enum ValueEnum : int { zbvOff = 0, zbvOn = 1 };
    Q_ENUM(ValueEnum)
    enum OLEDropModeEnum : int { zboNone = 0, zboManual = 1 };
    Q_ENUM(OLEDropModeEnum)
    enum BorderStyleEnum : int { zbsNormal = 0, zbsPush = 1, zbsSelect = 2 };
    Q_ENUM(BorderStyleEnum)

    // The host's scale-mode constants used by ScaleMode.
    enum ScaleModeConstant {
        vbUser = 0,
        vbTwips = 1,
        vbPoints = 2,
        vbPixels = 3,
        vbCharacters = 4,
        vbInches = 5,
        vbMillimeters = 6,
        vbCentimeters = 7
    };
    // PSetEx's "no colour given".
    static constexpr quint32 NoColor = 16777216;

    // The host may be null: the default host (parent widget, objectName) is used. The
    // button starts with the values of InitProperties; call it again after the host
    // named the instance, or ReadProperties to restore a saved one.
    explicit zkButton(QWidget* parent = nullptr, std::shared_ptr<zkAmbientHost> host = {});
    ~zkButton() override;

    void setAmbientHost(std::shared_ptr<zkAmbientHost> host);
    void setCursorSource(std::shared_ptr<zkCursorSource> cursor);

    // ---- persistence
    zkHostError InitProperties();
    zkHostError ReadProperties(zkPropertyBag& bag);
    zkHostError WriteProperties(zkPropertyBag& bag) const;

    // ---- properties
    AppearanceEnum appearance() const { return m_appearance; }
    uint backColor() const { return m_backColor; }
    bool cancel() const { return m_cancel; }
    QString caption() const { return m_caption; }
    CaptionAlignEnum captionAlign() const { return m_captionAlign; }
    bool isDefault() const { return m_default; }
    zkPictureRef disablePicture() const { return m_disablePicture; }
    zkPictureRef downPicture() const { return m_downPicture; }
    bool isButtonEnabled() const { return m_enabled; }
    zkFontRef buttonFont() const { return m_font; }
    int focusRectMargin() const { return m_focusRectMargin; }
    uint foreColor() const { return m_foreColor; }
    uint fillColor() const { return m_fillColor; }
    int hWnd() const { return m_handle; }
    int hdc() const { return m_handle; }
    uint maskColor() const { return m_maskColor; }
    zkPictureRef mouseIcon() const { return m_mouseIcon; }
    int mousePointer() const { return m_mousePointer; }
    OLEDropModeEnum oleDropMode() const { return m_oleDropMode; }
    zkPictureRef picture() const { return m_picture; }
    PictureAlignEnum pictureAlign() const { return m_pictureAlign; }
    zkPictureRef selectPicture() const { return m_selectPicture; }
    bool showFocusRect() const { return m_showFocusRect; }
    StyleEnum buttonStyle() const { return m_style; }
    bool useMaskColor() const { return m_useMaskColor; }
    ValueEnum value() const { return m_value; }
    bool ownerDraw() const { return m_ownerDraw; }
    int drawMode() const { return m_drawMode; }
    int drawStyle() const { return m_drawStyle; }
    int drawWidth() const; // the surface's current line width
    int fillStyle() const { return m_fillStyle; }
    int scaleMode() const { return m_scaleMode; }
    QString name() const;
    int scaleHeight() const;
    int scaleWidth() const;
    bool useMnemonic() const { return m_useMnemonic; }
    QString displayCaption() const { return m_displayCaption; }
    int mnemonicPos() const { return m_mnemonicPos; }
    // The surface's access-key list: the access key of the caption, or empty.
    QString accessKeys() const { return m_accessKeys; }

    void setAppearance(AppearanceEnum v) { storeAndRedraw(m_appearance, v, "Appearance"); }
    void setBackColor(uint v) { storeAndRedraw(m_backColor, v, "BackColor"); }
    void setCancel(bool v);
    void setCaption(const QString& v);
    void setCaptionAlign(CaptionAlignEnum v) { storeAndRedraw(m_captionAlign, v, "CaptionAlign"); }
    void setDefault(bool v);
    void setDisablePicture(const zkPictureRef& v) {
        storeAndRedraw(m_disablePicture, v, "DisablePicture");
    }
    void setDownPicture(const zkPictureRef& v) { storeAndRedraw(m_downPicture, v, "DownPicture"); }
    void setButtonEnabled(bool v);
    void setButtonFont(const zkFontRef& v);
    void setFocusRectMargin(int v) { storeAndRedraw(m_focusRectMargin, v, "FocusRectMargin"); }
    void setForeColor(uint v) { storeAndRedraw(m_foreColor, v, "ForeColor"); }
    void setFillColor(uint v) { storeAndRedraw(m_fillColor, v, "FillColor"); }
    void setMaskColor(uint v) { storeAndRedraw(m_maskColor, v, "MaskColor"); }
    void setMouseIcon(const zkPictureRef& v);
    void setMousePointer(int v);
    void setOleDropMode(OLEDropModeEnum v);
    void setPicture(const zkPictureRef& v) { storeAndRedraw(m_picture, v, "Picture"); }
    void setPictureAlign(PictureAlignEnum v) { storeAndRedraw(m_pictureAlign, v, "PictureAlign"); }
    void setSelectPicture(const zkPictureRef& v) {
        storeAndRedraw(m_selectPicture, v, "SelectPicture");
    }
    void setShowFocusRect(bool v) { storeAndRedraw(m_showFocusRect, v, "ShowFocusRect"); }
    void setButtonStyle(StyleEnum v) { storeAndRedraw(m_style, v, "Style"); }
    void setUseMaskColor(bool v) { storeAndRedraw(m_useMaskColor, v, "UseMaskColor"); }
    void setValue(ValueEnum v);
    void setOwnerDraw(bool v);
    void setDrawMode(int v) { storeAndNotify(m_drawMode, v, "DrawMode"); }
    void setDrawStyle(int v) { storeAndNotify(m_drawStyle, v, "DrawStyle"); }
    void setDrawWidth(int v) { storeAndNotify(m_drawWidth, v, "DrawWidth"); }
    void setFillStyle(int v) { storeAndNotify(m_fillStyle, v, "FillStyle"); }
    void setScaleMode(int v);
    void setUseMnemonic(bool v) { storeAndRedraw(m_useMnemonic, v, "UseMnemonic"); }

    // The Japanese description of a property (also of its Designer stand-in, e.g.
    // "PictureQPixmap"); empty when it has none.
    static QString propertyDescription(const QString& property);

    // Natural size of a picture holder: 0 x 0 when its picture is empty.
    QSize holderSize(const QString& pictureProperty) const;

    // ---- methods
    Q_INVOKABLE void About();
    Q_INVOKABLE QString GetErrorString(int nErrorCode) const;
    // Missing coordinates are invalid QVariants (they continue from the current point).
    Q_INVOKABLE void LineEx(const QVariant& nX1 = {}, const QVariant& nY1 = {},
                            const QVariant& nX2 = {}, const QVariant& nY2 = {},
                            const QVariant& nColor = {});
    Q_INVOKABLE void Box(const QVariant& nX1 = {}, const QVariant& nY1 = {},
                         const QVariant& nX2 = {}, const QVariant& nY2 = {},
                         const QVariant& nColor = {});
    Q_INVOKABLE void BoxFill(const QVariant& nX1 = {}, const QVariant& nY1 = {},
                             const QVariant& nX2 = {}, const QVariant& nY2 = {},
                             const QVariant& nColor = {});
    Q_INVOKABLE void Cls();
    // DrawDefaultPicture answers false (nothing drawn) for a state other than 0, 1, 2.
    Q_INVOKABLE void DrawDefaultCaption(int nMode);
    Q_INVOKABLE void DrawDefaultBorder(int nMode);
    Q_INVOKABLE bool DrawDefaultPicture(int nMode);
    // Result 0 painted, 1 empty picture, 2 not a bitmap.
    Q_INVOKABLE int PaintPicture(const zkPictureRef& oSrcPicture, int nDstPosX, int nDstPosY,
                                 const QVariant& nDstSizeWidth = {},
                                 const QVariant& nDstSizeHeight = {}, const QVariant& nSrcPosX = {},
                                 const QVariant& nSrcPosY = {}, const QVariant& nSrcSizeWidth = {},
                                 const QVariant& nSrcSizeHeight = {}, const QVariant& nOpCode = {});
    // Colour 0x00BBGGRR of a surface pixel; -1 outside the surface.
    Q_INVOKABLE int Point(int nPosX, int nPosY) const;
    Q_INVOKABLE void PSetEx(int nPosX, int nPosY, qint64 nColor = NoColor);
    Q_INVOKABLE void SetFocus();
    Q_INVOKABLE int TextHeight(const QString& sSrcText) const;
    Q_INVOKABLE int TextWidth(const QString& sSrcText) const;

    // ---- surfaces (pixel images of the widget's size)
    const QImage& visibleSurface() const { return m_surface; }
    const QImage& buffer() const { return m_buffer; }
    // How many times the buffer was copied onto the visible surface so far.
    int surfaceCopyCount() const { return m_copyCount; }
    // Resolves an OLE colour (0x00BBGGRR or system colour 0x800000nn) with this palette.
    QColor resolveColor(quint32 oleColor) const;

    // ---- input state and notifications a host may deliver itself
    int hoverState() const { return m_hoverState; }
    bool isPressed() const { return m_pressed != 0; }
    bool hasButtonFocus() const { return m_hasFocus != 0; }
    bool isHoverTimerEnabled() const;
    // One tick of the 100 ms hover timer (the timer calls it; tests may too).
    void hoverTick();
    // The press of an assistive technology: the press result of the style, then Click with
    // the last recorded position, as a space-key press ends (without the pushed look).
    void performPress();
    // An access key, Enter (13) or Esc (27) routed to the button by its window.
    void accessKeyPress(int charCode);
    // Pass-through of a drag source's notifications (this widget starts no drags itself).
    void notifyCompleteDrag(int& effect);
    void notifyGiveFeedback(int& effect, bool& defaultCursors);
    void notifySetData(const QMimeData* data, int dataFormat);
    void notifyStartDrag(const QMimeData* data, int& allowedEffects);

signals:
    void PropertyChanged(const QString& name);

    void Click(int& Button, int& Shift, int& X, int& Y);
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void MouseDown(int& Button, int& Shift, int& X, int& Y);
    void MouseIn(int& Button, int& Shift, int& X, int& Y);
    void MouseMove(int& Button, int& Shift, int& X, int& Y);
    void MouseOut(int& Button, int& Shift, int& X, int& Y);
    void MouseUp(int& Button, int& Shift, int& X, int& Y);
    void OLECompleteDrag(int& Effect);
    void OLEDragDrop(const QMimeData* Data, int& Effect, int& Button, int& Shift, int& X, int& Y);
    void OLEDragOver(const QMimeData* Data, int& Effect, int& Button, int& Shift, int& X, int& Y,
                     int& State);
    void OLEGiveFeedback(int& Effect, bool& DefaultCursors);
    void OLESetData(const QMimeData* Data, int& DataFormat);
    void OLEStartDrag(const QMimeData* Data, int& AllowedEffects);
    void OwnerDraw();
    void Paint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Designer stand-ins (zkbutton_design.cpp).
    QString pictureFile() const { return fileOf(m_picture); }
    QString downPictureFile() const { return fileOf(m_downPicture); }
    QString selectPictureFile() const { return fileOf(m_selectPicture); }
    QString disablePictureFile() const { return fileOf(m_disablePicture); }
    QString mouseIconFile() const { return fileOf(m_mouseIcon); }
    void setPictureFile(const QString& v) { setPicture(pictureFromFile(v)); }
    void setDownPictureFile(const QString& v) { setDownPicture(pictureFromFile(v)); }
    void setSelectPictureFile(const QString& v) { setSelectPicture(pictureFromFile(v)); }
    void setDisablePictureFile(const QString& v) { setDisablePicture(pictureFromFile(v)); }
    void setMouseIconFile(const QString& v) { setMouseIcon(pictureFromFile(v)); }
    QPixmap picturePixmap() const { return pixmapOf(m_picture); }
    QPixmap downPicturePixmap() const { return pixmapOf(m_downPicture); }
    QPixmap selectPicturePixmap() const { return pixmapOf(m_selectPicture); }
    QPixmap disablePicturePixmap() const { return pixmapOf(m_disablePicture); }
    QPixmap mouseIconPixmap() const { return pixmapOf(m_mouseIcon); }
    void setPicturePixmap(const QPixmap& v) { setPicture(pictureOf(v)); }
    void setDownPicturePixmap(const QPixmap& v) { setDownPicture(pictureOf(v)); }
    void setSelectPicturePixmap(const QPixmap& v) { setSelectPicture(pictureOf(v)); }
    void setDisablePicturePixmap(const QPixmap& v) { setDisablePicture(pictureOf(v)); }
    void setMouseIconPixmap(const QPixmap& v) { setMouseIcon(pictureOf(v)); }
    QFont fontQFont() const;
    void setFontQFont(const QFont& v);
    QColor backQColor() const { return resolveColor(m_backColor); }
    QColor foreQColor() const { return resolveColor(m_foreColor); }
    QColor fillQColor() const { return resolveColor(m_fillColor); }
    QColor maskQColor() const { return resolveColor(m_maskColor); }
    void setBackQColor(const QColor& v) { setBackColor(oleColorOf(v)); }
    void setForeQColor(const QColor& v) { setForeColor(oleColorOf(v)); }
    void setFillQColor(const QColor& v) { setFillColor(oleColorOf(v)); }
    void setMaskQColor(const QColor& v) { setMaskColor(oleColorOf(v)); }
    static QString fileOf(const zkPictureRef& p);
    static zkPictureRef pictureFromFile(const QString& path);
    static QPixmap pixmapOf(const zkPictureRef& p);
    static zkPictureRef pictureOf(const QPixmap& pixmap);
    static uint oleColorOf(const QColor& c);

    friend class zkButtonFace;
    friend class zkButtonInput;
    friend class zkButtonPersistence;
    friend class zkButtonCanvas;

    // The accessibility factory the button registers (zkbutton_accessible.cpp).
    static QAccessibleInterface* accessibleInterface(const QString& className, QObject* object);
    void Redraw(int state);
    void notify(const char* name);
    void changed(const char* name); // Redraw(0) + notify
    // Setter rows: store, then Redraw(0) and notify; or store and notify only.
    template <class T> void storeAndRedraw(T& field, const T& v, const char* name) {
        field = v;
        changed(name);
    }
    template <class T> void storeAndNotify(T& field, const T& v, const char* name) {
        field = v;
        notify(name);
    }
    void deriveDisplayCaption();
    void applyMousePointer();
    void updateShortcuts();
    void ambiguousKeyPress(int charCode); // a key other buttons of the window hold too
    void copyBufferToSurface();
    void followSize();
    void presentSurface();
    void mouseNotification(int kind, int b, int s, double x, double y);
    void watchFont();
    int toScaleX(int pixels) const;
    int toScaleY(int pixels) const;
    void applyPressResult();
    void clearOptionGroup();
    void dragNotification(QDropEvent* event, int state);
    int dpi() const;
    int idleState() const { return m_hoverState * 2; }

    std::shared_ptr<zkAmbientHost> m_host;
    std::shared_ptr<zkCursorSource> m_cursor;

    AppearanceEnum m_appearance = zba3D;
    uint m_backColor = 0x8000000F;
    bool m_cancel = false;
    QString m_caption;
    CaptionAlignEnum m_captionAlign = zbcCenter;
    bool m_default = false;
    zkPictureRef m_disablePicture;
    zkPictureRef m_downPicture;
    bool m_enabled = true;
    zkFontRef m_font;
    int m_focusRectMargin = 3;
    uint m_foreColor = 0x80000012;
    uint m_fillColor = 0;
    uint m_maskColor = 0x00FF00FF;
    zkPictureRef m_mouseIcon;
    int m_mousePointer = 0;
    OLEDropModeEnum m_oleDropMode = zboNone;
    zkPictureRef m_picture;
    PictureAlignEnum m_pictureAlign = zbpCaptionBottom;
    zkPictureRef m_selectPicture;
    bool m_showFocusRect = true;
    StyleEnum m_style = zbbButton;
    bool m_useMaskColor = false;
    ValueEnum m_value = zbvOff;
    bool m_ownerDraw = false;
    int m_drawMode = 13;
    int m_drawStyle = 0;
    int m_drawWidth = 1;
    int m_fillStyle = 1;
    int m_scaleMode = vbTwips;
    bool m_useMnemonic = true;

    QString m_displayCaption;
    int m_mnemonicPos = 0;
    QString m_accessKeys;

    int m_hoverState = 0;
    int m_pressed = 0;
    int m_hasFocus = 0;
    int m_lastButton = 0;
    int m_lastShift = 0;
    int m_lastX = 0;
    int m_lastY = 0;

    QImage m_buffer;
    QImage m_surface;
    QPoint m_currentPoint;
    QFont m_bufferFont; // the buffer's current font (TW/TH measure with it)
    bool m_redrawGuard = false;
    bool m_inPaint = false;
    bool m_platformPaintDue = false;
    bool m_selfUpdatePending = false;
    bool m_hoverArmed = false; // the hover timer was started once (by loading or showing)
    int m_copyCount = 0;
    int m_handle = 0;
    QTimer* m_timer = nullptr;
    QShortcut* m_accessShortcut = nullptr;
    QShortcut* m_enterShortcut = nullptr;
    QShortcut* m_escShortcut = nullptr;
    QMetaObject::Connection m_fontConnection;
};
