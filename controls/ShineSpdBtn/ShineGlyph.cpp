#include "controls/ShineSpdBtn/ShineGlyph.h"

#include <algorithm>

#include "controls/ShineSpdBtn/ShineBtnColors.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr uint32_t RGBMask = 0xFFFFFF;

uint32_t Red(uint32_t p) { return (p >> 16) & 0xFF; }
uint32_t Green(uint32_t p) { return (p >> 8) & 0xFF; }
uint32_t Blue(uint32_t p) { return p & 0xFF; }
uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

bool Is32Bit(const TBitmap& b) { return b.PixelFormat() == pf32bit || b.PixelFormat() == pfDevice; }

uint32_t* Row(TBitmap& b, int32_t y) { return reinterpret_cast<uint32_t*>(b.ScanLine(y)); }
const uint32_t* Row(const TBitmap& b, int32_t y) { return reinterpret_cast<const uint32_t*>(b.ScanLine(y)); }

// Read-only view of the stored glyph: which pixels are picture and which are background.
class KeyedGlyph {
public:
    explicit KeyedGlyph(const TBitmap& glyph)
        : FGlyph(glyph), FKey(Row(glyph, glyph.Height() - 1)[0] & RGBMask)
    {
    }
    int32_t Width() const { return FGlyph.Width(); }
    int32_t Height() const { return FGlyph.Height(); }
    uint32_t Key() const { return FKey; }
    const uint32_t* Line(int32_t y) const { return Row(FGlyph, y); }
    bool Opaque(uint32_t pixel) const { return (pixel & RGBMask) != FKey; }

private:
    const TBitmap& FGlyph;
    uint32_t FKey;
};

// Replaces every picture pixel p of the copy by recolor(p); background pixels keep their value.
template <class Recolor>
void RecolorPicture(TBitmap& copy, const KeyedGlyph& glyph, Recolor recolor)
{
    for (int32_t y = 0; y < copy.Height(); ++y) {
        uint32_t* line = Row(copy, y);
        for (int32_t x = 0; x < copy.Width(); ++x)
            if (glyph.Opaque(line[x]))
                line[x] = recolor(line[x]);
    }
}

// Applies mix(pixelChannel, otherChannel) to the three channels of each picture pixel.
template <class Mix>
void MixPicture(TBitmap& copy, const KeyedGlyph& glyph, uint32_t other, Mix mix)
{
    RecolorPicture(copy, glyph, [&](uint32_t p) {
        return Pack(mix(Red(p), Red(other)), mix(Green(p), Green(other)), mix(Blue(p), Blue(other)));
    });
}

// The background pixels next to the picture become `shine`: one pixel wide, or two (wide = true).
// Opacity is always read from the stored glyph, so the result does not depend on the order of
// painting; nothing is painted outside the bitmap.
void PaintOutline(TBitmap& copy, const KeyedGlyph& glyph, uint32_t shine, bool wide)
{
    const int32_t w = glyph.Width(), h = glyph.Height();
    auto transparentAt = [&](int32_t x, int32_t y) { return !glyph.Opaque(glyph.Line(y)[x]); };
    auto paintIfTransparent = [&](int32_t x, int32_t y) {
        if (x >= 0 && x < w && y >= 0 && y < h && transparentAt(x, y))
            Row(copy, y)[x] = shine;
    };
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* here = glyph.Line(y);
        const uint32_t* below = y + 1 < h ? glyph.Line(y + 1) : nullptr;
        const uint32_t* above = y > 0 ? glyph.Line(y - 1) : nullptr;
        auto mark = [&](int32_t x) {
            if (glyph.Opaque(here[x]))
                return;
            Row(copy, y)[x] = shine;
            if (!wide)
                return;
            paintIfTransparent(x - 1, y);
            paintIfTransparent(x + 1, y);
            paintIfTransparent(x, y - 1);
            paintIfTransparent(x, y + 1);
        };
        for (int32_t x = 0; x + 1 < w; ++x)
            if (glyph.Opaque(here[x + 1]))
                mark(x);
        for (int32_t x = 1; x < w; ++x)
            if (glyph.Opaque(here[x - 1]))
                mark(x);
        if (below)
            for (int32_t x = 0; x < w; ++x)
                if (glyph.Opaque(below[x]))
                    mark(x);
        if (above)
            for (int32_t x = 0; x < w; ++x)
                if (glyph.Opaque(above[x]))
                    mark(x);
    }
}

// Every second picture pixel becomes `value`. One counter runs over the whole image and skips
// one extra step per row when the height is even: a true checkerboard when width and height
// are both even or both odd, every second column otherwise.
void PaintCheckerboard(TBitmap& copy, const KeyedGlyph& glyph, uint32_t value)
{
    uint64_t n = 0;
    const bool evenHeight = copy.Height() % 2 == 0;
    for (int32_t y = 0; y < copy.Height(); ++y) {
        uint32_t* line = Row(copy, y);
        for (int32_t x = 0; x < copy.Width(); ++x, ++n)
            if (glyph.Opaque(line[x]) && n % 2 == 1)
                line[x] = value;
        if (evenHeight)
            ++n;
    }
}

// A two-colour stencil of the glyph's edges: white where a 2x2 block's diagonals differ
// (colour changes inside the picture count as edges too), black elsewhere, last row and column
// black; then made monochrome.
void PaintEdgeStencil(TBitmap& copy, const KeyedGlyph& glyph)
{
    TCanvas& canvas = *copy.Canvas();
    canvas.Brush()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(canvas.ClipRect());
    for (int32_t y = 0; y + 1 < glyph.Height(); ++y) {
        const uint32_t* top = glyph.Line(y);
        const uint32_t* bottom = glyph.Line(y + 1);
        uint32_t* out = Row(copy, y);
        for (int32_t x = 0; x + 1 < glyph.Width(); ++x) {
            const bool edge = (top[x] & RGBMask) != (bottom[x + 1] & RGBMask) ||
                              (top[x + 1] & RGBMask) != (bottom[x] & RGBMask);
            if (edge)
                out[x] = RGBMask;
        }
    }
    copy.SetMonochrome(true);
}

void ApplyActiveImage(TBitmap& copy, const KeyedGlyph& glyph, TActiveImageType type, uint32_t s)
{
    switch (type) {
    case aiNormal: break;
    case aiXorLight: MixPicture(copy, glyph, s, [](uint32_t p, uint32_t c) { return p ^ c; }); break;
    case aiHalfLight: MixPicture(copy, glyph, s, [](uint32_t p, uint32_t c) { return (c + p) / 2; }); break;
    case aiQuaterLight: MixPicture(copy, glyph, s, [](uint32_t p, uint32_t c) { return (3 * c + p) / 4; }); break;
    case aiAddLight: MixPicture(copy, glyph, s, [](uint32_t p, uint32_t c) { return std::min(p + c, 255u); }); break;
    case aiFrameLight: PaintOutline(copy, glyph, s, false); break;
    case aiFrameLight2: PaintOutline(copy, glyph, s, true); break;
    case aiMaskLight: PaintCheckerboard(copy, glyph, s); break;
    }
}

void ApplyDisabledImage(TBitmap& copy, const KeyedGlyph& glyph, TDisabledImageType type, uint32_t f)
{
    switch (type) {
    case diDefault: PaintEdgeStencil(copy, glyph); break;
    case diGrayscale:
        RecolorPicture(copy, glyph, [](uint32_t p) {
            const uint32_t g = (Red(p) + Green(p) + Blue(p)) / 3;
            return Pack(g, g, g);
        });
        break;
    case diAlphaHalfTrans: MixPicture(copy, glyph, f, [](uint32_t p, uint32_t c) { return (c + p) / 2; }); break;
    case diAlphaQuaterTrans: MixPicture(copy, glyph, f, [](uint32_t p, uint32_t c) { return (3 * c + p) / 4; }); break;
    case diMaskTrans: PaintCheckerboard(copy, glyph, glyph.Key()); break;
    }
}

} // namespace

std::unique_ptr<TBitmap> BuildStateGlyph(const TStateGlyphRequest& request)
{
    if (!request.Glyph || request.Glyph->Empty())
        return nullptr;
    // The button keeps its glyph at 32 bits; anything else is read through a 32-bit copy.
    TBitmap converted;
    const TBitmap* stored = request.Glyph;
    if (!Is32Bit(*stored)) {
        converted.Assign(const_cast<TBitmap*>(stored));
        converted.SetPixelFormat(pf32bit);
        stored = &converted;
    }
    const KeyedGlyph glyph(*stored);

    auto state = std::make_unique<TBitmap>();
    state->Assign(const_cast<TBitmap*>(stored));
    if (IsActiveState(request.State))
        ApplyActiveImage(*state, glyph, request.ActiveImage, ColorToPixel(request.ShineColor));
    else if (request.State == sbDisabled)
        ApplyDisabledImage(*state, glyph, request.DisabledImage, ColorToPixel(request.FaceColor));

    state->SetHandleType(bmDDB);
    const TColor bottomLeft = state->Canvas()->Pixel(0, state->Height() - 1);
    state->SetTransparent(true);
    state->SetTransparentColor(bottomLeft);
    if (request.State == sbDisabled && request.DisabledImage == diDefault)
        state->SetTransparentColor(clBlack);
    return state;
}
