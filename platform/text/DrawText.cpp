#include "platform/text/DrawText.h"

// Placeholder bodies; the text engine follows.
int DrawTextA(HDC, const char*, int, TRect*, uint32_t) { return 0; }
int DrawTextExA(HDC, const char*, int, TRect*, uint32_t, void*) { return 0; }
bool GetTextMetricsA(HDC, TTextMetric* tm)
{
    if (!tm)
        return false;
    *tm = {16, 14, 2, 0, 0, 8, 16, 0};
    return true;
}
int32_t TextWidth(TCanvas&, std::string_view text) { return static_cast<int32_t>(text.size()) * 8; }
int32_t TextHeight(TCanvas&, std::string_view) { return 16; }
TSize TextExtent(TCanvas& c, std::string_view text) { return {TextWidth(c, text), TextHeight(c, text)}; }
void TextOut(TCanvas&, int32_t, int32_t, std::string_view) {}
