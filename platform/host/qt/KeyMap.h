#pragma once
// Keys and the shift state as the controls know them: Windows virtual-key codes.
#include <Qt>

#include "platform/controls/Control.h"

// The virtual-key code of a Qt key; keypadKey tells the number pad's keys apart.
// 0 for a key that has no code.
int VirtualKeyOf(int qtKey, bool keypadKey);

// Shift, Alt and Ctrl held and the mouse buttons down.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
