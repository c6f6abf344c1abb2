#include "platform/controls/WinApi.h"

#include "platform/controls/Form.h"
#include "platform/controls/Host.h"

bool GetCursorPos(TPoint* point)
{
    THost* host = THost::Current();
    if (!point || !host)
        return false;
    *point = host->CursorPos();
    return true;
}

int16_t GetKeyState(int virtualKey)
{
    THost* host = THost::Current();
    return host ? host->KeyState(virtualKey) : 0;
}

HWND GetCapture() { return GetParentForm(GetCaptureControl()); }

bool MessageBeep(unsigned)
{
    THost* host = THost::Current();
    if (!host)
        return false;
    host->Beep();
    return true;
}
