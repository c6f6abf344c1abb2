#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/Canvas.h"

uint32_t ColorToRGBPixel(TColor color)
{
    const TColor c = ColorToRGB(color);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

namespace {

int BitsOf(TPixelFormat f)
{
    switch (f) {
    case pf1bit: return 1;
    case pf24bit: return 24;
    default: return 32;
    }
}

int32_t StrideOf(int32_t width, TPixelFormat f)
{
    // Wider than any bitmap can hold in memory; computed in 64 bits so no width overflows.
    const int64_t bits = static_cast<int64_t>(width) * BitsOf(f);
    return static_cast<int32_t>(((bits + 31) / 32) * 4);
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format)
{
    FPixelFormat = format;
    FHandleType = format == pfDevice ? bmDDB : bmDIB;
    Reallocate(width, height, format, nullptr);
}

TBitmap::~TBitmap() = default;

int TBitmap::BitsPerPixel() const { return BitsOf(FPixelFormat); }

void TBitmap::Reallocate(int32_t width, int32_t height, TPixelFormat format, const TBitmap* keep)
{
    // A view of the pixels to keep, taken before this bitmap changes (keep may be this bitmap).
    TBitmap old;
    if (keep) {
        old.FWidth = keep->FWidth;
        old.FHeight = keep->FHeight;
        old.FStride = keep->FStride;
        old.FPixelFormat = keep->FPixelFormat;
        if (keep == this)
            old.FBits.swap(FBits);
        else
            old.FBits = keep->FBits;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    FWidth = width;
    FHeight = height;
    FStride = StrideOf(width, format);
    FPixelFormat = format;
    FBits.assign(static_cast<size_t>(FStride) * height, 0xFF);
    if (!keep)
        return;
    const int32_t keepRows = std::min(height, old.FHeight);
    if (old.FPixelFormat == format && old.FWidth == width) {
        std::memcpy(FBits.data(), old.FBits.data(), static_cast<size_t>(FStride) * keepRows);
        return;
    }
    const int32_t keepCols = std::min(width, old.FWidth);
    for (int32_t y = 0; y < keepRows; ++y)
        for (int32_t x = 0; x < keepCols; ++x)
            SetPixelRGB(x, y, old.PixelRGB(x, y));
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight)
        return;
    Reallocate(width, height, FPixelFormat, this);
    if (FCanvas)
        FCanvas->SetSurface(this, {}, {0, 0, FWidth, FHeight});
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FPixelFormat)
        return;
    if (format == pf1bit) {
        // Monochrome keeps set bits for pixels of the background colour (white), clear bits for the rest.
        TBitmap mono(FWidth, FHeight, pf1bit);
        for (int32_t y = 0; y < FHeight; ++y)
            for (int32_t x = 0; x < FWidth; ++x)
                mono.SetPixelRGB(x, y, PixelRGB(x, y) == 0xFFFFFF ? 0xFFFFFF : 0);
        Reallocate(FWidth, FHeight, pf1bit, &mono);
    } else {
        Reallocate(FWidth, FHeight, format, this);
    }
    if (format != pfDevice)
        FHandleType = bmDIB;
    Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType type)
{
    if (type == FHandleType)
        return;
    FHandleType = type;
    // A device-dependent bitmap has the display's format; a device-independent one keeps its bits.
    if (type == bmDDB && FPixelFormat != pf1bit)
        FPixelFormat = pfDevice;
    Changed();
}

void TBitmap::SetMonochrome(bool v)
{
    if (v == Monochrome())
        return;
    SetPixelFormat(v ? pf1bit : pfDevice);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (FWidth <= 0 || FHeight <= 0)
        return clDefault;
    return RGBPixelToColor(PixelRGB(0, FHeight - 1));
}

void TBitmap::SetTransparentColor(TColor c)
{
    if (c == FTransparentColor && FTransparentMode == tmFixed)
        return;
    FTransparentColor = c;
    FTransparentMode = c == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode m)
{
    if (m == FTransparentMode)
        return;
    FTransparentMode = m;
    if (m == tmAuto)
        FTransparentColor = clDefault;
    Changed();
}

uint8_t* TBitmap::ScanLine(int32_t y)
{
    return y >= 0 && y < FHeight ? FBits.data() + static_cast<size_t>(y) * FStride : nullptr;
}

const uint8_t* TBitmap::ScanLine(int32_t y) const
{
    return y >= 0 && y < FHeight ? FBits.data() + static_cast<size_t>(y) * FStride : nullptr;
}

uint32_t TBitmap::PixelRGB(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return 0;
    const uint8_t* row = FBits.data() + static_cast<size_t>(y) * FStride;
    switch (FPixelFormat) {
    case pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1 ? 0xFFFFFF : 0;
    case pf24bit: {
        const uint8_t* p = row + x * 3;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    default: {
        uint32_t v;
        std::memcpy(&v, row + x * 4, 4);
        return v & 0xFFFFFF;
    }
    }
}

void TBitmap::SetPixelRGB(int32_t x, int32_t y, uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    uint8_t* row = FBits.data() + static_cast<size_t>(y) * FStride;
    switch (FPixelFormat) {
    case pf1bit: {
        // Any non-black pixel counts as set; callers map colours to white or black first.
        const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
        row[x >> 3] = (rgb & 0xFFFFFF) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
        break;
    }
    case pf24bit: {
        uint8_t* p = row + x * 3;
        p[0] = rgb & 0xFF;
        p[1] = (rgb >> 8) & 0xFF;
        p[2] = (rgb >> 16) & 0xFF;
        break;
    }
    default: {
        const uint32_t v = rgb & 0xFFFFFF;
        std::memcpy(row + x * 4, &v, 4);
    }
    }
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(this);
    return FCanvas.get();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (Empty())
        return;
    TCanvas* own = Canvas();
    if (!Transparent()) {
        StretchBlt(&canvas, rect.Left, rect.Top, rect.Width(), rect.Height(), own, 0, 0, FWidth, FHeight,
                   canvas.CopyMode());
        return;
    }
    // Transparent: every target pixel whose source pixel is not the transparent colour.
    const uint32_t key = ColorToRGBPixel(TransparentColor() & 0xFFFFFF);
    const int32_t w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap* target = canvas.Surface();
    for (int32_t ty = 0; ty < h; ++ty) {
        const int32_t sy = static_cast<int32_t>(static_cast<int64_t>(ty) * FHeight / h);
        for (int32_t tx = 0; tx < w; ++tx) {
            const int32_t sx = static_cast<int32_t>(static_cast<int64_t>(tx) * FWidth / w);
            const uint32_t p = PixelRGB(sx, sy);
            int32_t x = rect.Left + tx, y = rect.Top + ty;
            if (p != key && canvas.ToSurface(x, y))
                target->SetPixelRGB(x, y, p);
        }
    }
    canvas.Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other)
        return TPersistent::Assign(source);
    if (other != this) {
        FHandleType = other->FHandleType;
        FTransparentMode = other->FTransparentMode;
        FTransparentColor = other->FTransparentColor;
        Reallocate(other->FWidth, other->FHeight, other->FPixelFormat, other);
        if (FCanvas)
            FCanvas->SetSurface(this, {}, {0, 0, FWidth, FHeight});
        if (Transparent() != other->Transparent())
            TGraphic::SetTransparent(other->Transparent());
    }
    Changed();
}

void TBitmap::Changed() { TGraphic::Changed(); }
