#include "platform/host/qt/KeyStates.h"

int16_t TKeyStates::State(int virtualKey, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) const
{
    bool down = false;
    switch (virtualKey) {
    case 0x01:
        down = buttons & Qt::LeftButton;
        break;
    case 0x02:
        down = buttons & Qt::RightButton;
        break;
    case 0x04:
        down = buttons & Qt::MiddleButton;
        break;
    case 0x10: case 0xA0: case 0xA1:  // Shift, either side
        down = modifiers & Qt::ShiftModifier;
        break;
    case 0x11: case 0xA2: case 0xA3:  // Ctrl
        down = modifiers & Qt::ControlModifier;
        break;
    case 0x12: case 0xA4: case 0xA5:  // Alt
        down = modifiers & Qt::AltModifier;
        break;
    default:
        down = FDown.count(virtualKey) > 0;
    }
    return down ? static_cast<int16_t>(0x8000) : 0;
}
