#pragma once
// Placing the dialogs' controls from their twips positions (1/1440 inch) at the
// screen's dots per inch, and centring a dialog on the main window.
#include <QRect>

class QWidget;

namespace folivo {

// Logical dots per inch of the screen the widget is on (the primary screen before it is
// shown); 96 when there is no screen.
double DialogDpi(const QWidget* widget);

// A rectangle of twips in pixels at dpi. Each edge is rounded on its own, so controls that
// touch in twips still touch in pixels.
QRect TwipsRect(int left, int top, int width, int height, double dpi);

// Fixed inner area of width x height twips.
void SetInnerTwips(QWidget* dialog, int width, int height, double dpi);

// Moves the dialog so that its centre is the owner's centre; without an owner, the centre of
// the available screen area.
void CentreOn(QWidget* dialog, const QWidget* owner);

} // namespace folivo
