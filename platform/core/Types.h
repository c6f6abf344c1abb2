#pragma once
// Points and rectangles in pixels; a rectangle's right and bottom edges lie outside it.
#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, left + width, top + height};
}
inline TPoint Point(int32_t x, int32_t y) { return {x, y}; }

// Moves the rectangle by (dx, dy); returns false for a null rectangle, as the system call does.
bool OffsetRect(TRect* rect, int32_t dx, int32_t dy);

// The overlap of two rectangles; empty (all zero) when they do not overlap.
TRect IntersectRect(const TRect& a, const TRect& b);
