#pragma once
// The per-state glyph of the shine speed button: the stored glyph unchanged (up and down), lit
// by an ActiveImage effect (active states) or dimmed by a DisabledImage rendering (disabled).
// The bottom-left pixel's colour is the key that tells the picture from its background.
#include <memory>

#include "controls/ShineSpdBtn/ShineTypes.h"
#include "platform/core/Color.h"
#include "platform/graphics/Bitmap.h"

struct TStateGlyphRequest {
    const TBitmap* Glyph = nullptr;  // the stored glyph; 32 bits per pixel
    TShineButtonState State = sbUp;
    TActiveImageType ActiveImage = aiFrameLight;
    TDisabledImageType DisabledImage = diDefault;
    TColor ShineColor = clYellow;  // mixed in by the active effects
    TColor FaceColor = clBtnFace;  // faded into by the disabled renderings
};

// A new transparent device-dependent bitmap of the glyph's size, or null for an empty glyph.
// Under diDefault in sbDisabled it is a monochrome edge stencil whose transparent colour is black.
std::unique_ptr<TBitmap> BuildStateGlyph(const TStateGlyphRequest& request);
