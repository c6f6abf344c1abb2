#pragma once
// Pen, brush and font: the drawing tools of a canvas. Each reports its changes through OnChange;
// setting an equal value changes nothing.
#include <cstdint>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Persistent.h"

// Notifies once after a setter stored a new value.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed() { if (OnChange) OnChange(this); }
    template <class T>
    void Store(T& field, const T& value) { if (StoreChanged(field, value)) Changed(); }
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMerge, pmMask, pmXor };

class TPen : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v) { Store(FStyle, v); }
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t v) { Store(FWidth, v < 1 ? 1 : v); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v) { Store(FMode, v); }

private:
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    int32_t FWidth = 1;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    // Setting a colour also makes the brush solid.
    void SetColor(TColor v);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v) { Store(FStyle, v); }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;

// The font of a canvas or control: what to draw text with. Matching and glyphs are platform/text's.
class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;

    std::string ClassName() const override { return "TFont"; }
    void Assign(TPersistent* source) override;

    const std::string& Name() const { return FName; }  // code page 932
    void SetName(const std::string& v) { Store(FName, v); }
    // Negative: the character height in pixels; positive: the cell height with internal leading.
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t v) { Store(FHeight, v); }
    // Points at 96 pixels per inch; stored as a height.
    int32_t Size() const;
    void SetSize(int32_t points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v) { Store(FStyle, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset v) { Store(FCharset, v); }
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v) { Store(FPitch, v); }

    bool SameLook(const TFont& other) const;

private:
    std::string FName = "MS Sans Serif";
    int32_t FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};
