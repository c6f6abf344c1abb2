#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/graphics/Bitmap.h"

uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest)
{
    const uint32_t table = (rop >> 16) & 0xFF;
    // The operations the controls use, in closed form; any other from its truth table.
    switch (table) {
    case 0xCC: return source & 0xFFFFFF;                          // SRCCOPY
    case 0x88: return source & dest & 0xFFFFFF;                   // SRCAND
    case 0xEE: return (source | dest) & 0xFFFFFF;                 // SRCPAINT
    case 0x66: return (source ^ dest) & 0xFFFFFF;                 // SRCINVERT
    case 0xE2: return (((dest ^ pattern) & source) ^ dest) & 0xFFFFFF;  // stencil: set bits take the pattern
    default: break;
    }
    uint32_t result = 0;
    for (uint32_t i = 0; i < 8; ++i) {
        if (!((table >> i) & 1))
            continue;
        const uint32_t p = (i & 4) ? pattern : ~pattern;
        const uint32_t s = (i & 2) ? source : ~source;
        const uint32_t d = (i & 1) ? dest : ~dest;
        result |= p & s & d;
    }
    return result & 0xFFFFFF;
}

TCanvas::TCanvas(TBitmap* surface)
    : TCanvas(surface, {}, {0, 0, surface ? surface->Width() : 0, surface ? surface->Height() : 0})
{
}

TCanvas::TCanvas(TBitmap* surface, TPoint origin, TRect clip) : FSurface(nullptr)
{
    SetSurface(surface, origin, clip);
}

void TCanvas::SetSurface(TBitmap* surface, TPoint origin, TRect clip)
{
    FSurface = surface;
    FOrigin = origin;
    const TRect whole = surface ? TRect{0, 0, surface->Width(), surface->Height()} : TRect{};
    FClip = IntersectRect(clip, whole);
}

TRect TCanvas::ClipRect() const
{
    return {FClip.Left - FOrigin.X, FClip.Top - FOrigin.Y, FClip.Right - FOrigin.X, FClip.Bottom - FOrigin.Y};
}

bool TCanvas::ToSurface(int32_t& x, int32_t& y) const
{
    // 64-bit sums: canvas coordinates may be anywhere in the 32-bit range.
    const int64_t sx = static_cast<int64_t>(x) + FOrigin.X;
    const int64_t sy = static_cast<int64_t>(y) + FOrigin.Y;
    if (sx < FClip.Left || sx >= FClip.Right || sy < FClip.Top || sy >= FClip.Bottom)
        return false;
    x = static_cast<int32_t>(sx);
    y = static_cast<int32_t>(sy);
    return true;
}

void TCanvas::Changed()
{
    if (FSurface)
        FSurface->Changed();
}

namespace {

// A canvas rectangle moved to surface coordinates and clipped, in 64 bits so nothing overflows.
TRect ToSurfaceRect(int64_t left, int64_t top, int64_t right, int64_t bottom, TPoint origin, const TRect& clip)
{
    auto clamp = [](int64_t v, int32_t lo, int32_t hi) { return static_cast<int32_t>(std::clamp<int64_t>(v, lo, hi)); };
    return {clamp(left + origin.X, clip.Left, clip.Right), clamp(top + origin.Y, clip.Top, clip.Bottom),
            clamp(right + origin.X, clip.Left, clip.Right), clamp(bottom + origin.Y, clip.Top, clip.Bottom)};
}

TRect ToSurfaceRect(const TRect& r, TPoint origin, const TRect& clip)
{
    return ToSurfaceRect(r.Left, r.Top, r.Right, r.Bottom, origin, clip);
}

// The value a 0x00RRGGBB colour takes on a surface of the given format (white or black on 1 bit).
uint32_t ForSurface(const TBitmap& surface, uint32_t rgb)
{
    return surface.PixelFormat() == pf1bit ? (rgb == 0xFFFFFF ? 0xFFFFFF : 0) : rgb;
}

uint32_t ApplyPenMode(TPenMode mode, uint32_t pen, uint32_t dest)
{
    switch (mode) {
    case pmBlack: return 0;
    case pmWhite: return 0xFFFFFF;
    case pmNop: return dest;
    case pmNot: return ~dest & 0xFFFFFF;
    case pmNotCopy: return ~pen & 0xFFFFFF;
    case pmMerge: return pen | dest;
    case pmMask: return pen & dest;
    case pmXor: return pen ^ dest;
    default: return pen;
    }
}

} // namespace

void TCanvas::FillSurfaceRect(TRect s, uint32_t rgb)
{
    rgb = ForSurface(*FSurface, rgb);
    if (FSurface->PixelFormat() == pf32bit || FSurface->PixelFormat() == pfDevice) {
        for (int32_t y = s.Top; y < s.Bottom; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(FSurface->ScanLine(y));
            std::fill(row + s.Left, row + s.Right, rgb);
        }
        return;
    }
    for (int32_t y = s.Top; y < s.Bottom; ++y)
        for (int32_t x = s.Left; x < s.Right; ++x)
            FSurface->SetPixelRGB(x, y, rgb);
}

void TCanvas::FillRect(const TRect& r)
{
    if (!FSurface || FBrush.Style() == bsClear)
        return;
    const TRect s = ToSurfaceRect(r, FOrigin, FClip);
    if (s.IsEmpty())
        return;
    FillSurfaceRect(s, ColorToRGBPixel(FBrush.Color()));
    Changed();
}

void TCanvas::LineTo(int32_t x, int32_t y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (!FSurface || FPen.Style() == psClear)
        return;
    const uint32_t pen = ColorToRGBPixel(FPen.Color());
    const int32_t half = (FPen.Width() - 1) / 2;
    auto plot = [&](int64_t px, int64_t py) {
        for (int64_t oy = py - half; oy < py - half + FPen.Width(); ++oy)
            for (int64_t ox = px - half; ox < px - half + FPen.Width(); ++ox) {
                if (ox < INT32_MIN || ox > INT32_MAX || oy < INT32_MIN || oy > INT32_MAX)
                    continue;
                int32_t sx = static_cast<int32_t>(ox), sy = static_cast<int32_t>(oy);
                if (ToSurface(sx, sy))
                    FSurface->SetPixelRGB(sx, sy, ForSurface(*FSurface, ApplyPenMode(FPen.Mode(), pen, FSurface->PixelRGB(sx, sy))));
            }
    };
    // Bresenham from `from` towards (x, y), the end point left out.
    int64_t x0 = from.X, y0 = from.Y;
    const int64_t dx = std::llabs(int64_t{x} - x0), dy = -std::llabs(int64_t{y} - y0);
    const int64_t stepX = x0 < x ? 1 : -1, stepY = y0 < y ? 1 : -1;
    int64_t err = dx + dy;
    while (x0 != x || y0 != y) {
        plot(x0, y0);
        const int64_t e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += stepX; }
        if (e2 <= dx) { err += dx; y0 += stepY; }
    }
    Changed();
}

void TCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!FSurface || right <= left || bottom <= top)
        return;
    if (FPen.Style() == psClear) {
        // No outline: the brush covers the whole rectangle.
        FillRect({left, top, right, bottom});
        return;
    }
    FillRect({left + 1, top + 1, right - 1, bottom - 1});
    const TPoint saved = FPenPos;
    MoveTo(left, top);
    LineTo(right - 1, top);
    LineTo(right - 1, bottom - 1);
    LineTo(left, bottom - 1);
    LineTo(left, top);
    FPenPos = saved;
}

TColor TCanvas::Pixel(int32_t x, int32_t y) const
{
    if (!FSurface || !ToSurface(x, y))
        return clNone;
    return RGBPixelToColor(FSurface->PixelRGB(x, y));
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color)
{
    if (!FSurface || !ToSurface(x, y))
        return;
    FSurface->SetPixelRGB(x, y, ForSurface(*FSurface, ColorToRGBPixel(color)));
    Changed();
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    StretchBlt(this, dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left, sourceRect.Top,
               sourceRect.Width(), sourceRect.Height(), FCopyMode);
}

TColor SetTextColor(HDC dc, TColor color)
{
    const TColor old = dc->FTextColor;
    dc->FTextColor = color;
    return old;
}

TColor SetBkColor(HDC dc, TColor color)
{
    const TColor old = dc->FBkColor;
    dc->FBkColor = color;
    return old;
}

bool BitBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, HDC source, int32_t sx, int32_t sy,
            uint32_t rop)
{
    return StretchBlt(dest, x, y, width, height, source, sx, sy, width, height, rop);
}

namespace {

bool Is32(const TBitmap& b) { return b.PixelFormat() == pf32bit || b.PixelFormat() == pfDevice; }

// Whether the operation reads the pattern, the source, the destination.
bool RopUsesPattern(uint32_t rop) { const uint32_t t = (rop >> 16) & 0xFF; return ((t >> 4) & 0x0F) != (t & 0x0F); }
bool RopUsesSource(uint32_t rop) { const uint32_t t = (rop >> 16) & 0xFF; return ((t >> 2) & 0x33) != (t & 0x33); }

// One row of a plain copy onto a 32-bit surface from a 32- or 24-bit source row. columnOf gives
// each target pixel's source column (-1: outside the source, left alone); `unscaled` says the
// columns run on one by one.
void CopyRow(uint8_t* out, const uint8_t* in, TPixelFormat sourceFormat, const std::vector<int32_t>& columnOf,
             bool unscaled)
{
    auto* target = reinterpret_cast<uint32_t*>(out);
    const bool whole = columnOf.front() >= 0 && columnOf.back() >= 0;
    if (sourceFormat != pf24bit) {
        const auto* source = reinterpret_cast<const uint32_t*>(in);
        if (unscaled && whole) {
            std::memcpy(target, source + columnOf.front(), columnOf.size() * 4);
            return;
        }
        for (size_t i = 0; i < columnOf.size(); ++i)
            if (columnOf[i] >= 0)
                target[i] = source[columnOf[i]] & 0xFFFFFF;
        return;
    }
    for (size_t i = 0; i < columnOf.size(); ++i) {
        if (columnOf[i] < 0)
            continue;
        const uint8_t* p = in + static_cast<size_t>(columnOf[i]) * 3;
        target[i] = p[0] | (p[1] << 8) | (p[2] << 16);
    }
}

} // namespace

bool StretchBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, HDC source, int32_t sx, int32_t sy,
                int32_t sw, int32_t sh, uint32_t rop)
{
    if (!dest || !dest->Surface() || width <= 0 || height <= 0)
        return false;
    const bool usesSource = RopUsesSource(rop);
    if (usesSource && (!source || !source->Surface() || sw <= 0 || sh <= 0))
        return false;

    TBitmap& target = *dest->Surface();
    // The surface may have shrunk since the canvas was set up: clip to both.
    const TRect surfaceClip = IntersectRect(dest->SurfaceClip(), {0, 0, target.Width(), target.Height()});
    const TRect clip = ToSurfaceRect(x, y, int64_t{x} + width, int64_t{y} + height, dest->Origin(), surfaceClip);
    if (clip.IsEmpty())
        return true;

    // Source pixels are read through the source canvas's origin; a pixel outside the source
    // bitmap leaves its target pixel alone.
    const TBitmap* src = usesSource ? source->Surface() : nullptr;
    const int64_t srcX0 = usesSource ? int64_t{sx} + source->Origin().X : 0;
    const int64_t srcY0 = usesSource ? int64_t{sy} + source->Origin().Y : 0;
    const int64_t targetX0 = int64_t{x} + dest->Origin().X;
    const int64_t targetY0 = int64_t{y} + dest->Origin().Y;

    std::vector<int32_t> columnOf(clip.Width());
    for (int32_t tx = clip.Left; tx < clip.Right; ++tx) {
        const int64_t col = srcX0 + (tx - targetX0) * (usesSource ? sw : 1) / width;
        columnOf[tx - clip.Left] = src && (col < 0 || col >= src->Width()) ? -1 : static_cast<int32_t>(col);
    }

    // A plain copy onto a 32-bit surface goes row by row; everything else pixel by pixel.
    const bool plainCopy = rop == SRCCOPY && src && Is32(target) && (Is32(*src) || src->PixelFormat() == pf24bit);
    const uint32_t pattern = RopUsesPattern(rop) ? ColorToRGBPixel(dest->Brush()->Color()) : 0;
    const bool monoSource = src && src->PixelFormat() == pf1bit && target.PixelFormat() != pf1bit;
    const bool monoTarget = src && src->PixelFormat() != pf1bit && target.PixelFormat() == pf1bit;
    const uint32_t textRGB = ColorToRGBPixel(dest->TextColor());
    const uint32_t bkRGB = ColorToRGBPixel(dest->BkColor());
    const uint32_t srcBkRGB = source ? ColorToRGBPixel(source->BkColor()) : 0xFFFFFF;

    for (int32_t ty = clip.Top; ty < clip.Bottom; ++ty) {
        int64_t row = 0;
        if (src) {
            row = srcY0 + (ty - targetY0) * sh / height;
            if (row < 0 || row >= src->Height())
                continue;
        }
        if (plainCopy) {
            CopyRow(target.ScanLine(ty) + clip.Left * 4, src->ScanLine(static_cast<int32_t>(row)), src->PixelFormat(),
                    columnOf, sw == width);
            continue;
        }
        for (int32_t tx = clip.Left; tx < clip.Right; ++tx) {
            uint32_t s = 0;
            if (src) {
                const int32_t col = columnOf[tx - clip.Left];
                if (col < 0)
                    continue;
                s = src->PixelRGB(col, static_cast<int32_t>(row));
                if (monoSource)
                    s = s ? bkRGB : textRGB;
                else if (monoTarget)
                    s = s == srcBkRGB ? 0xFFFFFF : 0;
            }
            const uint32_t d = target.PixelRGB(tx, ty);
            target.SetPixelRGB(tx, ty, ForSurface(target, ApplyRop3(rop, pattern, s, d)));
        }
    }
    dest->Changed();
    return true;
}
