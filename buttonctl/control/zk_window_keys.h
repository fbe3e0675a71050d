#pragma once
// Which button of a window takes Enter or Esc when several buttons hold that key.
class QWidget;
class zkButton;

namespace zk {

// The button that takes Enter (charCode 13, the Default buttons) or Esc (27, the Cancel
// buttons) in the window of `from`: the focused one among the enabled, visible holders,
// else the first holder in the window's tab order. Null when the window has none.
zkButton* windowKeyTarget(const QWidget* from, int charCode);

} // namespace zk
