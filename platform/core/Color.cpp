#include "platform/core/Color.h"

#include <array>

namespace {

// The classic palette that the controls were designed against.
constexpr std::array<TColor, COLOR_SYSCOLOR_COUNT> ClassicPalette()
{
    std::array<TColor, COLOR_SYSCOLOR_COUNT> p{};
    p[COLOR_WINDOW] = RGB(255, 255, 255);
    p[COLOR_WINDOWFRAME] = RGB(0, 0, 0);
    p[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
    p[COLOR_HIGHLIGHT] = RGB(0, 0, 128);
    p[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    p[COLOR_BTNFACE] = RGB(192, 192, 192);
    p[COLOR_BTNSHADOW] = RGB(128, 128, 128);
    p[COLOR_GRAYTEXT] = RGB(128, 128, 128);
    p[COLOR_BTNTEXT] = RGB(0, 0, 0);
    p[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    p[COLOR_3DDKSHADOW] = RGB(64, 64, 64);
    p[COLOR_3DLIGHT] = RGB(223, 223, 223);
    return p;
}

std::array<TColor, COLOR_SYSCOLOR_COUNT> palette = ClassicPalette();

} // namespace

TColor GetSysColor(int index)
{
    return index >= 0 && index < COLOR_SYSCOLOR_COUNT ? palette[index] : clBlack;
}

void SetSysColor(int index, TColor rgb)
{
    if (index >= 0 && index < COLOR_SYSCOLOR_COUNT)
        palette[index] = rgb & 0xFFFFFF;
}

void ResetSysColors() { palette = ClassicPalette(); }

TColor ColorToRGB(TColor color)
{
    return color < 0 ? GetSysColor(color & 0xFF) : color;
}
