#include "controls/ShadoLbl/Gradient.h"

#include <cstring>
#include <limits>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

void GetRGB(TColor color, uint8_t& red, uint8_t& green, uint8_t& blue)
{
    const TColor rgb = ColorToRGB(color);
    red = GetRValue(rgb);
    green = GetGValue(rgb);
    blue = GetBValue(rgb);
}

namespace {

// Start channels and per-channel differences of a two-colour gradient.
struct TGradientSpan {
    uint8_t R0, G0, B0;
    int16_t DR, DG, DB;

    TGradientSpan(TColor start, TColor end)
    {
        uint8_t r1, g1, b1;
        GetRGB(start, R0, G0, B0);
        GetRGB(end, r1, g1, b1);
        DR = static_cast<int16_t>(r1 - R0);
        DG = static_cast<int16_t>(g1 - G0);
        DB = static_cast<int16_t>(b1 - B0);
    }

    // The colour at pixel line `index` of `count` lines, as 0x00RRGGBB. Each channel is the
    // difference times the fraction plus the start, cut toward zero. A single line has no span
    // to divide, so it takes the start colour.
    uint32_t At(int32_t index, int32_t count) const
    {
        const double t = count > 1 ? static_cast<double>(index) / (count - 1) : 0.0;
        const auto channel = [t](int16_t d, uint8_t start) { return static_cast<uint32_t>(static_cast<int32_t>(d * t + start)); };
        return channel(DR, R0) << 16 | channel(DG, G0) << 8 | channel(DB, B0);
    }
};

void PutPixel(TBitmap* bitmap, int32_t x, int32_t y, uint32_t rgb)
{
    if (bitmap->PixelFormat() != pf24bit) {
        // Other formats keep their own pixel layout.
        bitmap->SetPixelRGB(x, y, rgb);
        return;
    }
    uint8_t* pixel = bitmap->ScanLine(y) + 3 * static_cast<size_t>(x);
    pixel[0] = static_cast<uint8_t>(rgb);
    pixel[1] = static_cast<uint8_t>(rgb >> 8);
    pixel[2] = static_cast<uint8_t>(rgb >> 16);
}

void FillVertical(TBitmap* bitmap, const TGradientSpan& span)
{
    const int32_t w = bitmap->Width(), h = bitmap->Height();
    for (int32_t y = 0; y < h; ++y)
        PutPixel(bitmap, 0, y, span.At(y, h));
    if (w > 1) {
        TCanvas* canvas = bitmap->Canvas();
        canvas->CopyRect(Rect(0, 0, w, h), canvas, Rect(0, 0, 1, h));
    }
}

void FillHorizontal(TBitmap* bitmap, const TGradientSpan& span)
{
    const int32_t w = bitmap->Width(), h = bitmap->Height();
    for (int32_t x = 0; x < w; ++x)
        PutPixel(bitmap, x, 0, span.At(x, w));
    const size_t rowBytes = (static_cast<size_t>(w) * bitmap->BitsPerPixel() + 7) / 8;
    for (int32_t y = 1; y < h; ++y)
        std::memcpy(bitmap->ScanLine(y), bitmap->ScanLine(0), rowBytes);
}

// Rectangle extents are differences of two 32-bit edges, which need not fit in 32 bits themselves.
int64_t Extent(int32_t from, int32_t to) { return static_cast<int64_t>(to) - from; }

bool FitsInt32(int64_t v) { return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max(); }

}  // namespace

void GradBitmap(TBitmap* bitmap, TColor startColor, TColor endColor, bool vertical)
{
    if (!bitmap || bitmap->Height() < 1 || bitmap->Width() < 1)
        return;
    const TGradientSpan span(startColor, endColor);
    if (vertical)
        FillVertical(bitmap, span);
    else
        FillHorizontal(bitmap, span);
    bitmap->Changed();
}

TPoint GradStripSize(const TRect& rect, bool vertical)
{
    const int64_t width = Extent(rect.Left, rect.Right), height = Extent(rect.Top, rect.Bottom);
    // No canvas reaches that far; such a rectangle gets no strip at all.
    if (!FitsInt32(width) || !FitsInt32(height))
        return Point(0, 0);
    if (vertical)
        return Point(1, static_cast<int32_t>(height));
    return Point(static_cast<int32_t>(width), static_cast<int32_t>(height / 20 + 1));
}

void GradRect(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, bool vertical)
{
    if (!canvas)
        return;
    const TPoint size = GradStripSize(rect, vertical);
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(size.X, size.Y);
    const TRect source = Rect(0, 0, strip.Width(), strip.Height());
    GradBitmap(&strip, startColor, endColor, vertical);
    canvas->SetCopyMode(SRCCOPY);
    // An empty strip has nothing to stretch.
    if (!source.IsEmpty())
        canvas->CopyRect(rect, strip.Canvas(), source);
}
