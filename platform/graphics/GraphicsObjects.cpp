#include "platform/graphics/GraphicsObjects.h"

#include <algorithm>

void TPen::Assign(TPersistent* source)
{
    auto* pen = dynamic_cast<TPen*>(source);
    if (!pen)
        return TPersistent::Assign(source);
    FColor = pen->FColor;
    FStyle = pen->FStyle;
    FWidth = pen->FWidth;
    FMode = pen->FMode;
    Changed();
}

void TBrush::SetColor(TColor v)
{
    if (FColor == v && FStyle == bsSolid)
        return;
    FColor = v;
    FStyle = bsSolid;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    auto* brush = dynamic_cast<TBrush*>(source);
    if (!brush)
        return TPersistent::Assign(source);
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    Changed();
}

namespace {
// a * b / c rounded to the nearest integer, halves away from zero, in 64 bits (the system's MulDiv).
int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    const int64_t p = int64_t{a} * b;
    const int64_t q = (p < 0 ? p - c / 2 : p + c / 2) / c;
    return static_cast<int32_t>(std::clamp<int64_t>(q, INT32_MIN + 1, INT32_MAX));
}
} // namespace

// Rounded like the original: height -16 at 96 ppi is 12 points, 8 points are height -11.
int32_t TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

bool TFont::SameLook(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FPitch == o.FPitch;
}

void TFont::Assign(TPersistent* source)
{
    auto* font = dynamic_cast<TFont*>(source);
    if (!font)
        return TPersistent::Assign(source);
    if (SameLook(*font))
        return;
    FName = font->FName;
    FHeight = font->FHeight;
    FStyle = font->FStyle;
    FColor = font->FColor;
    FCharset = font->FCharset;
    FPitch = font->FPitch;
    Changed();
}
