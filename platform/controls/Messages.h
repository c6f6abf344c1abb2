#pragma once
// Messages: everything that happens to a control arrives as one, through Perform and Dispatch.
#include <cstdint>

#include "platform/core/Types.h"

struct TMessage {
    uint32_t Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// Mouse messages: WParam holds the shift state's bits (TShiftState::Bits), LParam the pointer
// position in the receiving control's client coordinates (MousePos; may lie outside the control
// while it holds the capture).
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;  // WParam: shift bits | wheel delta << 16
constexpr uint32_t WM_MOUSEFIRST = WM_MOUSEMOVE;
constexpr uint32_t WM_MOUSELAST = WM_MOUSEWHEEL;

// WParam: the position in screen coordinates (MousePos of LParam, as with mouse messages).
constexpr uint32_t WM_CONTEXTMENU = 0x007B;
// WParam: the drop handle (HDROP).
constexpr uint32_t WM_DROPFILES = 0x0233;
// WParam: the virtual-key code; LParam: the shift state's bits.
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
// WParam: the character (a code page 932 byte).
constexpr uint32_t WM_CHAR = 0x0102;

// Notifications of the class library.
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 0x06;         // WParam: character code; Result 1 = taken
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr uint32_t CM_HITTEST = CM_BASE + 0x0A;            // LParam: point; Result nonzero = hit
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 0x13;         // LParam: the control, when sent on to the parent
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 0x18;      // WParam: group index; LParam: TSpeedButton*
constexpr uint32_t CM_SYSCOLORCHANGE = CM_BASE + 0x24;

constexpr intptr_t HTNOWHERE = 0;
constexpr intptr_t HTCLIENT = 1;

static_assert(sizeof(intptr_t) == 8, "message parameters carry pointers and two 32-bit coordinates");

// A point packed into a message parameter, full 32 bits each way.
inline intptr_t PointToParam(TPoint p)
{
    return static_cast<intptr_t>((static_cast<uint64_t>(static_cast<uint32_t>(p.Y)) << 32) |
                                 static_cast<uint32_t>(p.X));
}
inline TPoint ParamToPoint(intptr_t param)
{
    const uint64_t v = static_cast<uint64_t>(param);
    return {static_cast<int32_t>(static_cast<uint32_t>(v)), static_cast<int32_t>(static_cast<uint32_t>(v >> 32))};
}
inline TPoint MousePos(const TMessage& m) { return ParamToPoint(m.LParam); }
