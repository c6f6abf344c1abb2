#include "platform/graphics/GraphicsObjects.h"

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

int32_t TFont::Size() const
{
    // Truncating like the original: height -16 at 96 ppi is 12 points.
    return -FHeight * 72 / PixelsPerInch;
}

void TFont::SetSize(int32_t points) { SetHeight(-(points * PixelsPerInch / 72)); }

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
