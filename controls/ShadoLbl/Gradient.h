#pragma once
// Colour splitting and the two-colour linear gradients the shadow label paints its background with.
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Types.h"

class TBitmap;
class TCanvas;

// Splits a colour (system colours resolved first) into its red, green and blue bytes.
void GetRGB(TColor color, uint8_t& red, uint8_t& green, uint8_t& blue);

// Fills the bitmap with a gradient from `startColor` to `endColor`: top to bottom when `vertical`,
// left to right otherwise. The colours are computed once per pixel line and the line is replicated.
// A bitmap only one pixel long in the gradient's direction gets the start colour.
void GradBitmap(TBitmap* bitmap, TColor startColor, TColor endColor, bool vertical);

// Width (X) and height (Y) of the strip bitmap that GradRect stretches over `rect`: one pixel
// wide for a vertical gradient, one row per 20 pixels of height (plus one) for a horizontal one.
TPoint GradStripSize(const TRect& rect, bool vertical);

// Paints the same gradient over `rect` of the canvas through a small strip bitmap stretched over
// the rectangle. Leaves the canvas's copy mode at SRCCOPY.
void GradRect(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, bool vertical);
