#pragma once
// The shine speed button's drawing arithmetic: where glyph and caption go, the face (flat or a
// gradient) and the frame. The button's Paint puts these together for its current state.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/ShineSpdBtn/ShineBtnColors.h"
#include "controls/ShineSpdBtn/ShineTypes.h"
#include "platform/core/Types.h"
#include "platform/graphics/Bitmap.h"

class TCanvas;

// What is to be placed: the glyph's size and the measured caption.
struct TShineContent {
    bool GlyphShown = false;  // the glyph is not empty
    int32_t GlyphWidth = 0;
    int32_t GlyphHeight = 0;
    bool CaptionPresent = false;
    int32_t TextWidth = 0;
    int32_t TextHeight = 0;
};

struct TShineArrangement {
    TButtonLayout Layout = blGlyphLeft;
    int32_t Margin = -1;  // negative: centre the content
    int32_t Spacing = 4;
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
};

struct TShinePlacement {
    TPoint GlyphPos;
    TRect CaptionRect;
};

// Placed positions never go beyond this distance from the origin, so that the one-pixel shifts
// of painting cannot overflow; content that far out is off any button anyway.
constexpr int32_t FarCoordinate = 0x3FFFFFFF;

// Stacks glyph and caption along the layout's axis and places the stack by the margin.
TShinePlacement PlaceContent(const TShineContent& content, const TShineArrangement& arrangement);

// The 256-entry strip from colors.Color (entry 0) to colors.GradColor (entry 255): one row
// when horizontal, one column when GradVertical. 32 bits per pixel.
std::unique_ptr<TBitmap> MakeGradientStrip(const TShineBtnColors& colors);

// The face: flat Color, or the gradient strip stretched over the client rectangle.
void DrawFace(TCanvas& canvas, const TShineBtnColors& colors, const TRect& client);

// The frame of a width x height button: raised in the colours of `colors`, or sunken in those
// of `pressed`; the enclosure of ftEnclosedFrame always takes colors.DarkShadow.
void DrawFrame(TCanvas& canvas, TFrameType type, bool sunken, const TShineBtnColors& colors,
               const TShineBtnColors& pressed, int32_t width, int32_t height);

// Paints the set bits of a monochrome stencil in two colours for an etched look: a highlight
// copy one pixel right and down, then the shadow copy at pos on top. Clear bits leave the
// canvas alone (raster operation E20746 with the brush as the paint).
// pos is a placed position (within FarCoordinate).
void DrawEtchedStencil(TCanvas& canvas, TBitmap& stencil, TPoint pos, TColor highlight, TColor shadow);

// The colours of a caption beside the font's own.
struct TCaptionColors {
    bool Disabled = false;          // drawn in the two disabled colours only
    TColor DisabledHighlight = clBtnHighlight;
    TColor DisabledShadow = clBtnShadow;
    TColor FontShadow = clNone;     // clNone: no shadow copy
    TColor FontHighlight = clNone;  // clNone: no highlight copy
};

// Draws the caption centred in rect with the canvas's font and a clear brush. Disabled: a
// DisabledHighlight copy one pixel right and down, the DisabledShadow copy on top. Otherwise:
// the shadow copy one pixel right and down, the highlight copy one pixel left and up, then the
// caption in the font's colour on top. rect is a placed position (within FarCoordinate).
void DrawCaption(TCanvas& canvas, const std::string& caption, TRect rect, const TCaptionColors& colors);
