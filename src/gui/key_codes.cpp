#include "gui/key_codes.h"

#include "base/key_codes.h"

namespace gui {
namespace {

struct NamedKey {
  int qtKey;
  int code;
};

// Keys that type no character.
constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},     {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},   {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
};

}  // namespace

int VirtualKeyCode(int key, Qt::KeyboardModifiers modifiers) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  for (const NamedKey& k : kNamedKeys) {
    if (k.qtKey == key) return k.code;
  }
  // Printable keys are their (upper-case) ASCII character in Qt.
  if (key < 0x20 || key > 0x7E) return 0;
  const char ch = static_cast<char>(key);
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (auto stroke = base::KeyFor(ch, true)) return stroke->code;
  }
  const auto stroke = base::KeyFor(ch);
  return stroke ? stroke->code : 0;
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? base::kShiftBit : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? base::kCtrlBit : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? base::kAltBit : 0);
}

}  // namespace gui
