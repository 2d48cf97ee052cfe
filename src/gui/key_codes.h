#pragma once
#include <QKeyEvent>

namespace gui {

// The classic virtual key code of a key (US layout), or 0 for keys without one.
int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
inline int VirtualKeyCode(const QKeyEvent& e) {
  return VirtualKeyCode(e.key(), e.modifiers());
}
// Shift 1, Ctrl 2, Alt 4.
int ShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace gui
