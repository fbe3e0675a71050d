#pragma once
// zkButtonPrivate: the state of a zkButton and the operations on it that the public class,
// its face, canvas, input handling and persistence share.
#include "zk_host.h"
#include "zkbutton.h"
#include "zkbutton_canvas_state.h"
#include "zkbutton_input_state.h"
#include "zkbutton_properties.h"

#include <QMetaObject>
#include <QString>
#include <memory>

class QDropEvent;
class QShortcut;
class QTimer;

class zkButtonPrivate {
public:
    explicit zkButtonPrivate(zkButton* button) : q(button) {}

    // Setting a property: store, hand over, redraw and notify as its row says.
    template <class T> void set(zkProperty property, const T& v) { assign(property, zkToBag(v)); }
    void assign(zkProperty property, const QVariant& v);

    void redraw(int state);
    void notify(const char* name);
    int idleState() const { return input.hoverState * 2; }
    void deriveDisplayCaption();
    void applyMousePointer();
    void updateShortcuts();
    void ambiguousKeyPress(int charCode); // a key other buttons of the window hold too
    void copyBufferToSurface();
    void followSize();
    void presentSurface();
    void watchFont();
    int dpi() const;
    int toScaleX(int pixels) const;
    int toScaleY(int pixels) const;
    void mouseNotification(int kind, int b, int s, double x, double y);
    void applyPressResult();
    void clearOptionGroup();
    void dragNotification(QDropEvent* event, int state);

    zkButton* const q;
    std::shared_ptr<zkAmbientHost> host;
    std::shared_ptr<zkCursorSource> cursor;
    zkButtonProperties props;
    // Derived from Caption: the text drawn, the underlined position, the access key.
    QString displayCaption;
    int mnemonicPos = 0;
    QString accessKeys;
    zkButtonCanvasState canvas;
    zkButtonInputState input;
    int handle = 0;
    QTimer* timer = nullptr;
    QShortcut* accessShortcut = nullptr;
    QShortcut* enterShortcut = nullptr;
    QShortcut* escShortcut = nullptr;
    QMetaObject::Connection fontConnection;
};
