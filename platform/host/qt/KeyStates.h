#pragma once
// Key state as the controls ask for it: high bit set while a key is down.
//
// Shift, Ctrl, Alt and the mouse buttons come from what Qt knows of the input our windows
// received; other keys from the presses and releases our windows saw. Keys pressed in another
// program are not seen, a key held while our window loses the focus counts as up from then on,
// and the toggle bit (Caps Lock and the like) is never set.
#include <Qt>
#include <cstdint>
#include <set>

class TKeyStates {
public:
    void KeyDown(int virtualKey) { FDown.insert(virtualKey); }
    void KeyUp(int virtualKey) { FDown.erase(virtualKey); }
    void Clear() { FDown.clear(); }

    int16_t State(int virtualKey, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) const;

private:
    std::set<int> FDown;
};
