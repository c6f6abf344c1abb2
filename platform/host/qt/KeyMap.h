#pragma once
// Keys as the controls know them: Windows virtual-key codes.
#include <Qt>

// The virtual-key code of a Qt key; keypadKey tells the number pad's keys apart.
// 0 for a key that has no code.
int VirtualKeyOf(int qtKey, bool keypadKey);
