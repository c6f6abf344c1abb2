#pragma once
// The shine speed button's enumerations. Published ones are streamed by name.
#include <cstdint>

#include "platform/controls/Buttons.h"  // TButtonLayout

enum TFrameType : uint8_t { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };

// Glyph effect while the pointer is over the button.
enum TActiveImageType : uint8_t {
    aiNormal,
    aiXorLight,
    aiHalfLight,
    aiQuaterLight,
    aiAddLight,
    aiFrameLight,
    aiFrameLight2,
    aiMaskLight,
};

// Glyph rendering of a disabled button.
enum TDisabledImageType : uint8_t { diDefault, diGrayscale, diAlphaHalfTrans, diAlphaQuaterTrans, diMaskTrans };

// The look to paint: down or up, active (pointer over it) or not, or disabled.
enum TShineButtonState : uint8_t { sbActiveDown, sbDown, sbActiveUp, sbUp, sbDisabled };

inline bool IsDownState(TShineButtonState s) { return s == sbActiveDown || s == sbDown; }
inline bool IsActiveState(TShineButtonState s) { return s == sbActiveDown || s == sbActiveUp; }
