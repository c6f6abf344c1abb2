#pragma once
// Fonts as the text engine sees them: a TFont resolved through fontconfig to FreeType faces at one
// pixel size and style, with its metrics and a cache of rendered glyphs.
//
// A character that the font's own face lacks comes from a Japanese fallback face, then from any
// installed face that has it, so Japanese text is never drawn as boxes.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/graphics/GraphicsObjects.h"
#include "platform/text/DrawText.h"

// One character rendered: coverage 0..255 per pixel, placed relative to the pen on the baseline.
struct TGlyph {
    int32_t Advance = 0;  // pixels to the next pen position (synthesised bold included)
    int32_t Left = 0;     // columns from the pen to the bitmap's left edge
    int32_t Top = 0;      // rows from the bitmap's top edge down to the baseline
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Coverage;  // Width * Height, top row first
    int Face = -1;                  // index into the font's faces; -1 for control characters
    bool Missing = false;           // no installed face has it: the main face's blank-box glyph
};

class TFontCache;
struct TFaceSlot;

class TTextFont {
public:
    TTextFont(const TTextFont&) = delete;
    TTextFont& operator=(const TTextFont&) = delete;
    ~TTextFont();

    const TTextMetric& Metrics() const { return FMetrics; }
    int32_t EmHeight() const { return FEm; }
    // Underline: rows below the baseline and thickness; strike-out: rows above the baseline.
    int32_t UnderlinePosition() const { return FUnderlinePos; }
    int32_t UnderlineThickness() const { return FUnderlineThickness; }
    int32_t StrikeOutPosition() const { return FStrikeOutPos; }

    // The glyph of a code page 932 character: a single byte, or lead byte << 8 | trail byte.
    const TGlyph& Glyph(uint16_t code);
    // Family name (UTF-8) of a face of this font, as fontconfig reports it.
    std::string FaceFamily(int face) const;
    // Whether the face really holds the character (Unicode), not a replacement.
    bool FaceHasChar(int face, char32_t ch) const;
    bool SyntheticBold(int face) const;

private:
    friend class TFontCache;
    TTextFont() = default;
    int FaceFor(char32_t ch);
    int AddFace(const std::string& file, int index, const std::string& family);
    TGlyph Render(int face, uint32_t glyphIndex) const;

    TFontCache* FOwner = nullptr;
    std::vector<std::unique_ptr<TFaceSlot>> FFaces;  // [0] the font's own face, [1] the Japanese fallback
    std::unordered_map<char32_t, int> FFaceOfChar;
    bool FWantBold = false;
    bool FWantItalic = false;
    int32_t FEm = 16;
    TTextMetric FMetrics{};
    int32_t FUnderlinePos = 1;
    int32_t FUnderlineThickness = 1;
    int32_t FStrikeOutPos = 4;
    int32_t FBoldStrength = 0;  // columns added by synthesised bold
    TGlyph FSingle[256];        // single-byte characters
    bool FSingleDone[256] = {};
    std::unordered_map<uint16_t, TGlyph> FDouble;  // double-byte characters
};

// The fonts in use, keyed by name, height and bold/italic. One per program; owns the FreeType
// library and a fontconfig configuration of its own, released at exit.
class TFontCache {
public:
    static TFontCache& Instance();
    ~TFontCache();

    // The resolved font for a TFont. The reference stays valid until the next call.
    TTextFont& FontFor(const TFont& font);
    // The fontconfig family name a TFont's name is looked up under (UTF-8).
    static std::string FamilyFor(const std::string& cp932Name);

private:
    friend class TTextFont;
    TFontCache();
    std::unique_ptr<TTextFont> Create(const std::string& name, int32_t height, TFontStyles style);

    void* FLibrary = nullptr;  // FT_Library
    void* FConfig = nullptr;   // FcConfig*
    using TKey = std::tuple<std::string, int32_t, TFontStyles>;
    std::map<TKey, std::unique_ptr<TTextFont>> FFonts;
    TTextFont* FLast = nullptr;
    TKey FLastKey;
};
