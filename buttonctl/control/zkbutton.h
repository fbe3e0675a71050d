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
class zkButtonPrivate;

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
    AppearanceEnum appearance() const;
    uint backColor() const;
    bool cancel() const;
    QString caption() const;
    CaptionAlignEnum captionAlign() const;
    bool isDefault() const;
    zkPictureRef disablePicture() const;
    zkPictureRef downPicture() const;
    bool isButtonEnabled() const;
    zkFontRef buttonFont() const;
    int focusRectMargin() const;
    uint foreColor() const;
    uint fillColor() const;
    int hWnd() const;
    int hdc() const;
    uint maskColor() const;
    zkPictureRef mouseIcon() const;
    int mousePointer() const;
    OLEDropModeEnum oleDropMode() const;
    zkPictureRef picture() const;
    PictureAlignEnum pictureAlign() const;
    zkPictureRef selectPicture() const;
    bool showFocusRect() const;
    StyleEnum buttonStyle() const;
    bool useMaskColor() const;
    ValueEnum value() const;
    bool ownerDraw() const;
    int drawMode() const;
    int drawStyle() const;
    int drawWidth() const; // the surface's current line width
    int fillStyle() const;
    int scaleMode() const;
    QString name() const;
    int scaleHeight() const;
    int scaleWidth() const;
    bool useMnemonic() const;
    QString displayCaption() const;
    int mnemonicPos() const;
    // The surface's access-key list: the access key of the caption, or empty.
    QString accessKeys() const;

    void setAppearance(AppearanceEnum v);
    void setBackColor(uint v);
    void setCancel(bool v);
    void setCaption(const QString& v);
    void setCaptionAlign(CaptionAlignEnum v);
    void setDefault(bool v);
    void setDisablePicture(const zkPictureRef& v);
    void setDownPicture(const zkPictureRef& v);
    void setButtonEnabled(bool v);
    void setButtonFont(const zkFontRef& v);
    void setFocusRectMargin(int v);
    void setForeColor(uint v);
    void setFillColor(uint v);
    void setMaskColor(uint v);
    void setMouseIcon(const zkPictureRef& v);
    void setMousePointer(int v);
    void setOleDropMode(OLEDropModeEnum v);
    void setPicture(const zkPictureRef& v);
    void setPictureAlign(PictureAlignEnum v);
    void setSelectPicture(const zkPictureRef& v);
    void setShowFocusRect(bool v);
    void setButtonStyle(StyleEnum v);
    void setUseMaskColor(bool v);
    void setValue(ValueEnum v);
    void setOwnerDraw(bool v);
    void setDrawMode(int v);
    void setDrawStyle(int v);
    void setDrawWidth(int v);
    void setFillStyle(int v);
    void setScaleMode(int v);
    void setUseMnemonic(bool v);

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
    const QImage& visibleSurface() const;
    const QImage& buffer() const;
    // How many times the buffer was copied onto the visible surface so far.
    int surfaceCopyCount() const;
    // Resolves an OLE colour (0x00BBGGRR or system colour 0x800000nn) with this palette.
    QColor resolveColor(quint32 oleColor) const;

    // ---- input state and notifications a host may deliver itself
    int hoverState() const;
    bool isPressed() const;
    bool hasButtonFocus() const;
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
    QString pictureFile() const;
    QString downPictureFile() const;
    QString selectPictureFile() const;
    QString disablePictureFile() const;
    QString mouseIconFile() const;
    void setPictureFile(const QString& v);
    void setDownPictureFile(const QString& v);
    void setSelectPictureFile(const QString& v);
    void setDisablePictureFile(const QString& v);
    void setMouseIconFile(const QString& v);
    QPixmap picturePixmap() const;
    QPixmap downPicturePixmap() const;
    QPixmap selectPicturePixmap() const;
    QPixmap disablePicturePixmap() const;
    QPixmap mouseIconPixmap() const;
    void setPicturePixmap(const QPixmap& v);
    void setDownPicturePixmap(const QPixmap& v);
    void setSelectPicturePixmap(const QPixmap& v);
    void setDisablePicturePixmap(const QPixmap& v);
    void setMouseIconPixmap(const QPixmap& v);
    QFont fontQFont() const;
    void setFontQFont(const QFont& v);
    QColor backQColor() const;
    QColor foreQColor() const;
    QColor fillQColor() const;
    QColor maskQColor() const;
    void setBackQColor(const QColor& v);
    void setForeQColor(const QColor& v);
    void setFillQColor(const QColor& v);
    void setMaskQColor(const QColor& v);

    // The accessibility factory the button registers (zkbutton_accessible.cpp).
    static QAccessibleInterface* accessibleInterface(const QString& className, QObject* object);

    std::unique_ptr<zkButtonPrivate> d;
};
