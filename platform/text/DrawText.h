#pragma once
// Text on canvases: the DrawText family, text metrics and the canvas text helpers.
//
// Texts are code page 932 byte strings. Everything works on the canvas's current Font (name,
// height, style, colour), draws in the font's colour blended with the destination, and stays
// inside the canvas clip (and, unless DT_NOCLIP, inside the formatting rectangle).
#include <cstdint>
#include <string_view>

#include "platform/core/Types.h"
#include "platform/graphics/Canvas.h"

// Format flags of DrawTextA / DrawTextExA.
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;  // only with DT_SINGLELINE
constexpr uint32_t DT_BOTTOM = 0x0008;   // only with DT_SINGLELINE
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_EXPANDTABS = 0x0040;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const TSize&) const = default;
};

// Formats text into rect and draws it. length -1 means up to the terminating NUL. Returns the
// height of the text (with DT_VCENTER or DT_BOTTOM: the offset from rect's top to the bottom of
// the drawn text); 0 when nothing could be done (no canvas, no text pointer, no rectangle).
// With DT_CALCRECT nothing is drawn: rect keeps its left and top, right becomes left + the widest
// line and bottom top + lines x line height.
int DrawTextA(HDC dc, const char* text, int length, TRect* rect, uint32_t format);
// The same; params (margins, tab length) is not used by the program and may be null.
int DrawTextExA(HDC dc, const char* text, int length, TRect* rect, uint32_t format, void* params);

struct TTextMetric {
    int32_t tmHeight;            // ascent + descent: the line height of DrawText
    int32_t tmAscent;
    int32_t tmDescent;
    int32_t tmInternalLeading;   // tmHeight - the character (em) height
    int32_t tmExternalLeading;
    int32_t tmAveCharWidth;
    int32_t tmMaxCharWidth;
    int32_t tmOverhang;          // extra width of synthesised glyphs not included in the advances
};

bool GetTextMetricsA(HDC dc, TTextMetric* tm);

// Canvas text helpers (free functions: the graphics layer knows nothing of text).
// Advance width of the text in the canvas's font; "&" is an ordinary character here.
int32_t TextWidth(TCanvas& canvas, std::string_view text);
// The line height of the canvas's font (tmHeight).
int32_t TextHeight(TCanvas& canvas, std::string_view text);
TSize TextExtent(TCanvas& canvas, std::string_view text);
// Draws one line with its top-left corner at (x, y). A solid brush fills the text cell first;
// a clear brush leaves the background alone.
void TextOut(TCanvas& canvas, int32_t x, int32_t y, std::string_view text);
