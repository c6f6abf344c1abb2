#pragma once
// Busy synthetic pixels for timing transfers: every pixel differs from its neighbours.
#include "platform/graphics/Bitmap.h"

// Fills a 32-bit bitmap (pf32bit or pfDevice) with a hashed pattern of colours.
void FillPattern(TBitmap& b);
