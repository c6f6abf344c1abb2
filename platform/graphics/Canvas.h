#pragma once
// A drawing surface: a bitmap (or a window's part of its form's back buffer), seen through an
// origin and a clip rectangle. Coordinates are the canvas's own; drawing never leaves the clip.
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Types.h"
#include "platform/graphics/GraphicsObjects.h"

class TBitmap;
class TGraphic;

// Ternary raster operation codes.
using TCopyMode = uint32_t;
constexpr TCopyMode SRCCOPY = 0x00CC0020;
constexpr TCopyMode SRCPAINT = 0x00EE0086;
constexpr TCopyMode SRCAND = 0x008800C6;
constexpr TCopyMode SRCINVERT = 0x00660046;
constexpr TCopyMode SRCERASE = 0x00440328;
constexpr TCopyMode NOTSRCCOPY = 0x00330008;
constexpr TCopyMode MERGECOPY = 0x00C000CA;
constexpr TCopyMode PATCOPY = 0x00F00021;
constexpr TCopyMode DSTINVERT = 0x00550009;
constexpr TCopyMode BLACKNESS = 0x00000042;
constexpr TCopyMode WHITENESS = 0x00FF0062;
constexpr TCopyMode cmSrcCopy = SRCCOPY;

class TCanvas;
using HDC = TCanvas*;

class TCanvas {
public:
    // A canvas over the whole of a bitmap.
    explicit TCanvas(TBitmap* surface);
    // A canvas over part of a surface: canvas (0, 0) is `origin` on the surface; drawing is
    // limited to `clip`, given in surface coordinates.
    TCanvas(TBitmap* surface, TPoint origin, TRect clip);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() { return this; }
    TBitmap* Surface() const { return FSurface; }
    void SetSurface(TBitmap* surface, TPoint origin, TRect clip);
    TPoint Origin() const { return FOrigin; }
    // The clip rectangle in canvas coordinates.
    TRect ClipRect() const;
    // The clip rectangle in surface coordinates, within the surface as it was when set.
    TRect SurfaceClip() const { return FClip; }

    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    TFont* Font() { return &FFont; }
    void SetFont(TFont* font) { FFont.Assign(font); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }

    // Device colours used when a monochrome source is blitted onto this canvas (and for text).
    TColor TextColor() const { return FTextColor; }
    TColor BkColor() const { return FBkColor; }

    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int32_t x, int32_t y) { FPenPos = {x, y}; }
    // Draws from the pen position up to, not including, (x, y), which becomes the pen position.
    void LineTo(int32_t x, int32_t y);
    // Outline with the pen (rows top and bottom-1, columns left and right-1), inside with the brush.
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Fills left <= x < right, top <= y < bottom with the brush; nothing when the brush is clear.
    void FillRect(const TRect& r);

    TColor Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);

    // Draws a picture at its own size; a transparent bitmap leaves out its transparent colour.
    void Draw(int32_t x, int32_t y, TGraphic* graphic);
    // Draws a picture scaled to fill rect.
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies source's sourceRect onto dest, stretched, with CopyMode.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

    // Raises the surface bitmap's change notification.
    void Changed();

    // The surface pixel of a canvas point, or nullptr outside the clip.
    bool ToSurface(int32_t& x, int32_t& y) const;

private:
    friend TColor SetTextColor(HDC, TColor);
    friend TColor SetBkColor(HDC, TColor);
    void FillSurfaceRect(TRect surfaceRect, uint32_t rgb);

    TBitmap* FSurface;
    TPoint FOrigin;
    TRect FClip;  // surface coordinates, within the surface
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TCopyMode FCopyMode = SRCCOPY;
    TColor FTextColor = clBlack;
    TColor FBkColor = clWhite;
    TPoint FPenPos;
};

TColor SetTextColor(HDC dc, TColor color);
TColor SetBkColor(HDC dc, TColor color);

// Block transfer with a ternary raster operation; the pattern is the destination's brush colour.
bool BitBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, HDC source, int32_t sx, int32_t sy,
            uint32_t rop);
// The same with stretching: every target pixel takes one source pixel (no blending).
bool StretchBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, HDC source, int32_t sx, int32_t sy,
                int32_t sw, int32_t sh, uint32_t rop);

// Result of a ternary raster operation on one 0x00RRGGBB value per operand, bit by bit.
uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest);
