#pragma once
// The few system calls the controls make, answered by the host.
#include <cstdint>

#include "platform/core/Types.h"

class TWinControl;
using HWND = TWinControl*;

// Virtual-key codes.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F12 = 0x7B;

// The pointer in screen coordinates.
bool GetCursorPos(TPoint* point);
// The key's state as the system reports it: the top bit (a negative value) while it is down.
int16_t GetKeyState(int virtualKey);
// The form whose control holds the mouse capture, or nullptr.
HWND GetCapture();
// The default system beep (type 0).
bool MessageBeep(unsigned type);
