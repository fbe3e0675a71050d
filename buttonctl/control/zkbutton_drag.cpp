// Drag-and-drop notifications of zkButton: raised at once as the OLE* events.
#include "zk_geometry.h"
#include "zk_keys.h"
#include "zkbutton.h"
#include "zkbutton_p.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace {
// The host's drag-over states.
constexpr int kEnter = 0, kLeave = 1, kOver = 2;
constexpr int kDrop = -1;
} // namespace

void zkButtonPrivate::dragNotification(QDropEvent* event, int state) {
    int effect = zk::dropEffect(event->possibleActions());
    int b = zk::mouseButtons(event->buttons());
    int s = zk::shiftState(event->modifiers());
    int x = toScaleX(zk::roundHalfEven(event->position().x()));
    int y = toScaleY(zk::roundHalfEven(event->position().y()));
    if (state == kDrop) {
        emit q->OLEDragDrop(event->mimeData(), effect, b, s, x, y);
    } else {
        int st = state;
        emit q->OLEDragOver(event->mimeData(), effect, b, s, x, y, st);
    }
    // Effect is the surface's own argument: what the handler leaves decides the drop.
    if (effect == 0) {
        event->ignore();
    } else {
        event->setDropAction(zk::dropAction(effect));
        event->accept();
    }
}

void zkButton::dragEnterEvent(QDragEnterEvent* event) {
    d->dragNotification(event, kEnter);
}

void zkButton::dragMoveEvent(QDragMoveEvent* event) {
    d->dragNotification(event, kOver);
}

void zkButton::dragLeaveEvent(QDragLeaveEvent*) {
    int effect = 0, b = d->input.lastButton, s = d->input.lastShift,
        x = d->toScaleX(d->input.lastX), y = d->toScaleY(d->input.lastY), st = kLeave;
    emit OLEDragOver(nullptr, effect, b, s, x, y, st);
}

void zkButton::dropEvent(QDropEvent* event) {
    d->dragNotification(event, kDrop);
}

void zkButton::notifyCompleteDrag(int& effect) {
    emit OLECompleteDrag(effect);
}

void zkButton::notifyGiveFeedback(int& effect, bool& defaultCursors) {
    emit OLEGiveFeedback(effect, defaultCursors);
}

void zkButton::notifySetData(const QMimeData* data, int dataFormat) {
    emit OLESetData(data, dataFormat);
}

void zkButton::notifyStartDrag(const QMimeData* data, int& allowedEffects) {
    emit OLEStartDrag(data, allowedEffects);
}
