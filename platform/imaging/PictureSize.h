#pragma once
// The size at which a picture is kept after loading.
#include <cstdint>

// A display size hint: the picture will only ever be drawn into a rectangle of this size, so a
// loader may keep it reduced to at most this many pixels across and down. A zero or negative
// size means no hint: the picture is kept at its own size.
struct TDisplaySize {
    int32_t Width = 0;
    int32_t Height = 0;
    bool IsSet() const { return Width > 0 && Height > 0; }
};

// Limits that keep any file's demands bounded, whatever its header declares.
// The largest width or height of a bitmap file we accept.
constexpr int32_t MaxPictureDimension = 1 << 20;
// The most pixels a picture kept at its own size may have (768 MB at 24 bits).
constexpr int64_t MaxFullSizePixels = int64_t{1} << 28;
