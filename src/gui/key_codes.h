#pragma once
#include <QKeyEvent>

namespace gui {

// The virtual key code of a Qt key (US layout), or 0 for keys without one. Keys that type a
// character take their code from the model's key table.
int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
inline int VirtualKeyCode(const QKeyEvent& e) {
  return VirtualKeyCode(e.key(), e.modifiers());
}
// Shift 1, Ctrl 2, Alt 4.
int ShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace gui
