#pragma once
// The host's key codes and mouse/shift states for Qt input.
#include <Qt>

namespace zk {

// Virtual-key code of a Qt key (letters and digits keep their ASCII codes).
int virtualKey(int qtKey);
// 1 left, 2 right, 4 middle; combined for a button mask.
int mouseButtons(Qt::MouseButtons buttons);
// 1 shift, 2 control, 4 alt.
int shiftState(Qt::KeyboardModifiers modifiers);
// Drop effects: 0 none, 1 copy, 2 move, 4 link.
int dropEffect(Qt::DropActions actions);
Qt::DropAction dropAction(int effect);

} // namespace zk
