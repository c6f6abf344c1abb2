#include "controls/ShineSpdBtn/ShineDraw.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/text/DrawText.h"

namespace {

// Margin, Spacing and the client size are any 32-bit values a form description may hold, so
// the stacking is done in 64 bits, where no sum of them can overflow.
using Wide = int64_t;

int32_t Clamp32(Wide v) { return static_cast<int32_t>(std::clamp<Wide>(v, -FarCoordinate, FarCoordinate)); }

Wide Half(Wide v) { return v / 2; }  // truncates toward zero: half of -5 is -2

struct Stack {
    Wide W = 0, H = 0, GX = 0, GY = 0, TX = 0, TY = 0;
};

// One of the two things stacked: whether it takes room, its extent along the stacking axis and
// across it.
struct Item {
    bool counts;
    Wide along;
    Wide across;
};

// Glyph and caption one after the other along the layout's axis, each centred across it. An
// empty glyph still takes room on the left and at the bottom, and on top the spacing follows
// the caption alone: the layouts are not quite mirror images of each other.
Stack StackContent(const TShineContent& c, TButtonLayout layout, Wide spacing)
{
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const bool glyphFirst = layout == blGlyphLeft || layout == blGlyphTop;
    const bool glyphCounts = c.GlyphShown || layout == blGlyphLeft || layout == blGlyphBottom;
    const Item glyph{glyphCounts, horizontal ? c.GlyphWidth : c.GlyphHeight, horizontal ? c.GlyphHeight : c.GlyphWidth};
    const Item caption{c.CaptionPresent, horizontal ? c.TextWidth : c.TextHeight, horizontal ? c.TextHeight : c.TextWidth};
    const bool spaced = layout == blGlyphTop ? c.CaptionPresent : c.GlyphShown && c.CaptionPresent;

    Stack s;
    Wide& along = horizontal ? s.W : s.H;
    Wide& across = horizontal ? s.H : s.W;
    Wide& glyphAlong = horizontal ? s.GX : s.GY;
    Wide& glyphAcross = horizontal ? s.GY : s.GX;
    Wide& captionAlong = horizontal ? s.TX : s.TY;
    Wide& captionAcross = horizontal ? s.TY : s.TX;
    auto place = [&](const Item& item, Wide& position) {
        position = along;
        if (item.counts) {
            along += item.along;
            across = std::max(across, item.across);
        }
    };
    place(glyphFirst ? glyph : caption, glyphFirst ? glyphAlong : captionAlong);
    if (spaced)
        along += spacing;
    place(glyphFirst ? caption : glyph, glyphFirst ? captionAlong : glyphAlong);
    if (c.GlyphShown)
        glyphAcross = Half(across - glyph.across);
    if (c.CaptionPresent)
        captionAcross = Half(across - caption.across);
    return s;
}

} // namespace

TShinePlacement PlaceContent(const TShineContent& content, const TShineArrangement& a)
{
    const Stack s = StackContent(content, a.Layout, a.Spacing);
    const Wide margin = a.Margin;
    Wide ox = Half(a.ClientWidth - s.W);
    Wide oy = Half(a.ClientHeight - s.H);
    if (margin >= 0) {
        switch (a.Layout) {
        case blGlyphLeft: ox = margin; break;
        case blGlyphRight: ox = a.ClientWidth - s.W - margin; break;
        case blGlyphTop: oy = margin; break;
        case blGlyphBottom: oy = a.ClientHeight - s.H - margin; break;
        }
    }
    TShinePlacement p;
    p.GlyphPos = {Clamp32(ox + s.GX), Clamp32(oy + s.GY)};
    const Wide left = ox + s.TX, top = oy + s.TY;
    p.CaptionRect = {Clamp32(left), Clamp32(top), Clamp32(left + content.TextWidth), Clamp32(top + content.TextHeight)};
    return p;
}

std::unique_ptr<TBitmap> MakeGradientStrip(const TShineBtnColors& colors)
{
    const uint32_t from = ColorToPixel(colors.Color());
    const uint32_t to = ColorToPixel(colors.GradColor());
    const bool vertical = colors.GradVertical();
    auto strip = std::make_unique<TBitmap>(vertical ? 1 : 256, vertical ? 256 : 1, pf32bit);
    for (int32_t i = 0; i < 256; ++i) {
        uint32_t pixel = 0;
        for (int shift : {16, 8, 0}) {
            const int32_t c = (from >> shift) & 0xFF;
            const int32_t g = (to >> shift) & 0xFF;
            // Truncates toward zero: from 100 down to 0, entry 1 is 100, not 99.
            pixel |= static_cast<uint32_t>(c + (g - c) * i / 255) << shift;
        }
        strip->SetPixelRGB(vertical ? 0 : i, vertical ? i : 0, pixel);
    }
    return strip;
}

void DrawFace(TCanvas& canvas, const TShineBtnColors& colors, const TRect& client)
{
    if (!colors.Gradation()) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(colors.Color());
        canvas.FillRect(client);
        return;
    }
    const std::unique_ptr<TBitmap> strip = MakeGradientStrip(colors);
    canvas.StretchDraw(client, strip.get());
}

namespace {

void Line(TCanvas& canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

// Two lines from one corner: along the row to (rowEndX, y), along the column to (x, colEndY).
void Corner(TCanvas& canvas, TColor color, int32_t x, int32_t y, int32_t rowEndX, int32_t colEndY)
{
    canvas.Pen()->SetColor(color);
    Line(canvas, x, y, rowEndX, y);
    Line(canvas, x, y, x, colEndY);
}

} // namespace

void DrawFrame(TCanvas& canvas, TFrameType type, bool sunken, const TShineBtnColors& colors,
               const TShineBtnColors& pressed, int32_t width, int32_t height)
{
    TPen& pen = *canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetWidth(1);
    pen.SetMode(pmCopy);
    // Widths and heights come from 32-bit properties; W-1 and W-2 of the smallest value must not wrap.
    const int32_t w = std::max(width, 0), h = std::max(height, 0);
    const TShineBtnColors& set = sunken ? pressed : colors;
    switch (type) {
    case ftFlatFrame:
        Corner(canvas, sunken ? set.Shadow() : set.Highlight(), 0, 0, w - 1, h - 1);
        Corner(canvas, sunken ? set.Highlight() : set.Shadow(), w - 1, h - 1, 0, 0);
        break;
    case ftNormalFrame:
        if (sunken) {
            Corner(canvas, set.Shadow(), 1, 1, w - 1, h - 1);
            Corner(canvas, set.DarkShadow(), 0, 0, w - 1, h - 1);
            Corner(canvas, set.Highlight(), w - 1, h - 1, 0, 0);
        } else {
            Corner(canvas, set.Shadow(), w - 2, h - 2, 0, 0);
            Corner(canvas, set.DarkShadow(), w - 1, h - 1, 0, 0);
            Corner(canvas, set.Highlight(), 0, 0, w - 1, h - 1);
        }
        break;
    case ftEnclosedFrame:
        Corner(canvas, sunken ? set.Shadow() : set.Highlight(), 1, 1, w - 2, h - 2);
        Corner(canvas, sunken ? set.Highlight() : set.Shadow(), w - 2, h - 2, 1, 1);
        pen.SetColor(colors.DarkShadow());
        canvas.Brush()->SetStyle(bsClear);
        canvas.Rectangle(0, 0, w, h);
        break;
    }
}

namespace {

// ((destination xor brush) and source) xor destination: the brush where the source is white.
constexpr uint32_t PaintWhereSourceIsSet = 0x00E20746;

void BlitStencil(TCanvas& canvas, TBitmap& stencil, int32_t x, int32_t y, TColor paint)
{
    canvas.Brush()->SetColor(paint);
    // A monochrome source enters as the text colour (clear bits) or the background colour (set bits).
    SetTextColor(canvas.Handle(), clBlack);
    SetBkColor(canvas.Handle(), clWhite);
    BitBlt(canvas.Handle(), x, y, stencil.Width(), stencil.Height(), stencil.Canvas()->Handle(), 0, 0,
           PaintWhereSourceIsSet);
}

} // namespace

void DrawEtchedStencil(TCanvas& canvas, TBitmap& stencil, TPoint pos, TColor highlight, TColor shadow)
{
    BlitStencil(canvas, stencil, pos.X + 1, pos.Y + 1, highlight);
    BlitStencil(canvas, stencil, pos.X, pos.Y, shadow);
}

namespace {

void DrawCaptionCopy(TCanvas& canvas, const std::string& caption, TRect rect, TColor color, int32_t offset)
{
    canvas.Font()->SetColor(color);
    OffsetRect(&rect, offset, offset);
    DrawTextA(canvas.Handle(), caption.data(), static_cast<int>(caption.size()), &rect, DT_CENTER | DT_VCENTER);
}

} // namespace

void DrawCaption(TCanvas& canvas, const std::string& caption, TRect rect, const TCaptionColors& colors)
{
    canvas.Brush()->SetStyle(bsClear);
    if (colors.Disabled) {
        DrawCaptionCopy(canvas, caption, rect, colors.DisabledHighlight, 1);
        DrawCaptionCopy(canvas, caption, rect, colors.DisabledShadow, 0);
        return;
    }
    const TColor fontColor = canvas.Font()->Color();
    if (colors.FontShadow != clNone)
        DrawCaptionCopy(canvas, caption, rect, colors.FontShadow, 1);
    if (colors.FontHighlight != clNone)
        DrawCaptionCopy(canvas, caption, rect, colors.FontHighlight, -1);
    DrawCaptionCopy(canvas, caption, rect, fontColor, 0);
}
