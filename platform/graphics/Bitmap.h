#pragma once
// A bitmap in memory, top row first. Rows are padded to 4 bytes.
//   pf1bit : 1 bit per pixel, leftmost pixel in the high bit; 0 is black (text colour), 1 white.
//   pf24bit: 3 bytes per pixel, blue, green, red.
//   pf32bit and pfDevice: the little-endian value 0x00RRGGBB per pixel.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Color.h"
#include "platform/graphics/Graphic.h"

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf24bit, pf32bit };
enum TBitmapHandleType : uint8_t { bmDIB, bmDDB };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TCanvas;

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height, TPixelFormat format = pfDevice);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    std::string ClassName() const override { return "TBitmap"; }
    void Assign(TPersistent* source) override;

    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void SetWidth(int32_t w) { SetSize(w, FHeight); }
    void SetHeight(int32_t h) { SetSize(FWidth, h); }
    // Keeps the pixels that still fit; new pixels are white. Negative sizes count as 0.
    void SetSize(int32_t width, int32_t height);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels to the new format.
    void SetPixelFormat(TPixelFormat format);
    TBitmapHandleType HandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType type);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    // True converts to 1 bit: pixels equal to the canvas background colour (white) become set bits.
    void SetMonochrome(bool v);

    // The transparent colour: fixed, or (tmAuto) the bottom-left pixel's.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode m);

    uint8_t* ScanLine(int32_t y);
    const uint8_t* ScanLine(int32_t y) const;
    int32_t BytesPerLine() const { return FStride; }
    int BitsPerPixel() const;

    // Pixel as 0x00RRGGBB (not a TColor); outside the bitmap: 0.
    uint32_t PixelRGB(int32_t x, int32_t y) const;
    void SetPixelRGB(int32_t x, int32_t y, uint32_t rgb);

    // The bitmap's canvas, created on first use.
    TCanvas* Canvas();

    void Draw(TCanvas& canvas, const TRect& rect) override;

    // Raised after the pixels or the format changed through the bitmap itself or its canvas.
    void Changed() override;

private:
    void Reallocate(int32_t width, int32_t height, TPixelFormat format, const TBitmap* keep);

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    int32_t FStride = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TBitmapHandleType FHandleType = bmDDB;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::vector<uint8_t> FBits;
    std::unique_ptr<TCanvas> FCanvas;
};

// 0x00RRGGBB from a TColor (system colours resolved), and back.
uint32_t ColorToRGBPixel(TColor color);
constexpr TColor RGBPixelToColor(uint32_t rgb)
{
    return static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}
