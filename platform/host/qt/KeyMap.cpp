#include "platform/host/qt/KeyMap.h"

#include <unordered_map>

namespace {

// Keys whose code does not follow from the key itself. Punctuation is placed as on a US
// keyboard; its shifted characters share the code of their key.
const std::unordered_map<int, int>& NamedKeys()
{
    static const std::unordered_map<int, int> keys{
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},   {Qt::Key_Clear, 0x0C},
        {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},    {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11},
        {Qt::Key_Alt, 0x12},       {Qt::Key_Pause, 0x13},    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},
        {Qt::Key_Space, 0x20},     {Qt::Key_PageUp, 0x21},   {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},
        {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},
        {Qt::Key_Down, 0x28},      {Qt::Key_Print, 0x2C},    {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},
        {Qt::Key_Help, 0x2F},      {Qt::Key_Meta, 0x5B},     {Qt::Key_Menu, 0x5D},      {Qt::Key_NumLock, 0x90},
        {Qt::Key_ScrollLock, 0x91},
        {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},    {Qt::Key_Equal, 0xBB},     {Qt::Key_Plus, 0xBB},
        {Qt::Key_Comma, 0xBC},     {Qt::Key_Less, 0xBC},     {Qt::Key_Minus, 0xBD},     {Qt::Key_Underscore, 0xBD},
        {Qt::Key_Period, 0xBE},    {Qt::Key_Greater, 0xBE},  {Qt::Key_Slash, 0xBF},     {Qt::Key_Question, 0xBF},
        {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC},      {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE},
        {Qt::Key_Exclam, '1'},     {Qt::Key_At, '2'},        {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
        {Qt::Key_ParenLeft, '9'},  {Qt::Key_ParenRight, '0'},
    };
    return keys;
}

const std::unordered_map<int, int>& KeypadKeys()
{
    static const std::unordered_map<int, int> keys{
        {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
        {Qt::Key_Period, 0x6E},   {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
    };
    return keys;
}

int Lookup(const std::unordered_map<int, int>& keys, int qtKey)
{
    auto found = keys.find(qtKey);
    return found == keys.end() ? 0 : found->second;
}

} // namespace

int VirtualKeyOf(int qtKey, bool keypadKey)
{
    if (keypadKey) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 0x60 + (qtKey - Qt::Key_0);
        if (int code = Lookup(KeypadKeys(), qtKey))
            return code;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;  // letters (upper case) and digits are their ASCII codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    return Lookup(NamedKeys(), qtKey);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier)
        shift << ssShift;
    if (modifiers & Qt::AltModifier)
        shift << ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift << ssCtrl;
    if (buttons & Qt::LeftButton)
        shift << ssLeft;
    if (buttons & Qt::RightButton)
        shift << ssRight;
    if (buttons & Qt::MiddleButton)
        shift << ssMiddle;
    return shift;
}
