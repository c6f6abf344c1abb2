#include "platform/text/FontCache.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/core/Cp932.h"

// Grey-scale coverage with light (vertical-only) hinting. The Japanese faces we use (IPA) carry
// no hand-made bitmaps at 12 or 16 pixels; rendered monochrome, their kanji lose whole strokes and
// kana get ragged joints, while grey-scale keeps every stroke and the light hinting keeps the
// horizontal strokes on whole rows, so captions stay sharp. On 1-bit surfaces the coverage is
// thresholded at one half.
namespace {
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT;
constexpr FT_Render_Mode kRenderMode = FT_RENDER_MODE_LIGHT;
// Shear of a synthesised italic, the same as FreeType's oblique: 0x366A / 0x10000 (about 12 degrees).
constexpr double kItalicShear = 0x366A / 65536.0;
constexpr int32_t kMaxEm = 1024;
constexpr size_t kMaxFonts = 64;

int32_t Scale(long units, int32_t em, long unitsPerEm)
{
    if (unitsPerEm <= 0)
        return 0;
    return static_cast<int32_t>(std::lround(static_cast<double>(units) * em / unitsPerEm));
}

std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}
} // namespace

struct TFaceSlot {
    FT_Face Face = nullptr;
    std::string File;
    int Index = 0;
    std::string Family;
    bool SynthBold = false;
    bool SynthItalic = false;
    ~TFaceSlot()
    {
        if (Face)
            FT_Done_Face(Face);
    }
};

// ---------------------------------------------------------------------------------------------
// TFontCache

TFontCache& TFontCache::Instance()
{
    static TFontCache cache;
    return cache;
}

TFontCache::TFontCache()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        FLibrary = library;
    // A configuration of our own, so that releasing it at exit cannot disturb another user of
    // fontconfig in the process (the desktop toolkit).
    FConfig = FcInitLoadConfigAndFonts();
}

TFontCache::~TFontCache()
{
    FFonts.clear();
    FLast = nullptr;
    if (FLibrary)
        FT_Done_FreeType(static_cast<FT_Library>(FLibrary));
    if (FConfig)
        FcConfigDestroy(static_cast<FcConfig*>(FConfig));
}

std::string TFontCache::FamilyFor(const std::string& cp932Name)
{
    const std::string utf8 = Cp932ToUtf8(cp932Name);
    const std::string lower = AsciiLower(utf8);
    // The faces a Japanese desktop names, and the free faces that stand in for them.
    static const struct {
        const char* Name;
        const char* Family;
    } aliases[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ms pgothic", "IPAPGothic"},
        {"ＭＳ ゴシック", "IPAGothic"},    {"ms gothic", "IPAGothic"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"ms pmincho", "IPAPMincho"},
        {"ＭＳ 明朝", "IPAMincho"},        {"ms mincho", "IPAMincho"},
    };
    for (const auto& a : aliases)
        if (utf8 == a.Name || lower == a.Name)
            return a.Family;
    return utf8;
}

TTextFont& TFontCache::FontFor(const TFont& font)
{
    // Only bold and italic change the glyphs; underline and strike-out are drawn as lines.
    TKey key{font.Name(), font.Height(), static_cast<TFontStyles>(font.Style() & (fsBold | fsItalic))};
    if (FLast && key == FLastKey)
        return *FLast;
    auto it = FFonts.find(key);
    if (it == FFonts.end()) {
        if (FFonts.size() >= kMaxFonts)
            FFonts.clear();
        it = FFonts.emplace(key, Create(std::get<0>(key), std::get<1>(key), std::get<2>(key))).first;
    }
    FLast = it->second.get();
    FLastKey = key;
    return *FLast;
}

namespace {
// The best installed face for a pattern: file, index and family.
struct TMatch {
    std::string File, Family;
    int Index = 0;
};

bool MatchPattern(FcConfig* config, FcPattern* pattern, TMatch& out)
{
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (!match)
        return false;
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        out.File = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
            out.Family = reinterpret_cast<const char*>(family);
        FcPatternGetInteger(match, FC_INDEX, 0, &out.Index);
    }
    FcPatternDestroy(match);
    return ok;
}

FcPattern* BasePattern(const char* family, bool bold, bool italic, int32_t em)
{
    FcPattern* p = FcPatternCreate();
    if (family)
        FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(p, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(p, FC_PIXEL_SIZE, em);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    return p;
}
} // namespace

std::unique_ptr<TTextFont> TFontCache::Create(const std::string& name, int32_t height, TFontStyles style)
{
    std::unique_ptr<TTextFont> font(new TTextFont);
    font->FOwner = this;
    font->FWantBold = style & fsBold;
    font->FWantItalic = style & fsItalic;
    auto* config = static_cast<FcConfig*>(FConfig);
    const std::string family = FamilyFor(name);

    // The size is needed for matching only loosely; the exact em follows from the face.
    const int64_t h = height;
    const int32_t guess = static_cast<int32_t>(std::clamp<int64_t>(h < 0 ? -h : (h == 0 ? 16 : h), 1, kMaxEm));

    TMatch primary;
    if (config && FLibrary) {
        FcPattern* p = BasePattern(family.c_str(), font->FWantBold, font->FWantItalic, guess);
        if (MatchPattern(config, p, primary))
            font->AddFace(primary.File, primary.Index, primary.Family);
        FcPatternDestroy(p);
    }
    if (font->FFaces.empty()) {
        // No face at all (no fonts installed): metrics of a plain 16-pixel font, glyphs empty.
        font->FEm = guess;
        font->FMetrics = {guess, guess - guess / 8, guess / 8, 0, 0, std::max(1, guess / 2), guess, 0};
        return font;
    }

    FT_Face face = font->FFaces[0]->Face;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const long upm = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    long winAscent = face->ascender, winDescent = -face->descender;
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        winAscent = os2->usWinAscent;
        winDescent = os2->usWinDescent;
    }
    if (winAscent + winDescent <= 0) {
        winAscent = upm * 7 / 8;
        winDescent = upm / 8;
    }

    // A negative height is the em height; a positive one the cell height (ascent + descent).
    int32_t em = guess;
    if (height > 0)
        em = static_cast<int32_t>(std::clamp<int64_t>(std::llround(static_cast<double>(h) * upm / (winAscent + winDescent)), 1, kMaxEm));
    font->FEm = em;
    for (auto& slot : font->FFaces)
        if (FT_Set_Pixel_Sizes(slot->Face, 0, static_cast<FT_UInt>(em)) != 0 && slot->Face->num_fixed_sizes > 0)
            FT_Select_Size(slot->Face, 0);

    // Synthesised bold overstrikes each glyph this many columns to the right, widening its advance.
    font->FBoldStrength = std::max(1, (em + 16) / 32);

    TTextMetric& tm = font->FMetrics;
    tm.tmAscent = Scale(winAscent, em, upm);
    tm.tmDescent = Scale(winAscent + winDescent, em, upm) - tm.tmAscent;
    if (height > 0 && std::abs(tm.tmAscent + tm.tmDescent - height) <= 2)  // the cell height asked for, exactly
        tm.tmDescent = std::max(0, height - tm.tmAscent);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - em);
    tm.tmExternalLeading = 0;
    if (hhea) {
        const long gap = hhea->Line_Gap + (hhea->Ascender - hhea->Descender) - (winAscent + winDescent);
        tm.tmExternalLeading = std::max(0, Scale(gap, em, upm));
    }
    const bool synthBold = font->FFaces[0]->SynthBold;
    const bool synthItalic = font->FFaces[0]->SynthItalic;
    const int32_t extra = synthBold ? font->FBoldStrength : 0;
    tm.tmAveCharWidth = (os2 && os2->xAvgCharWidth > 0) ? Scale(os2->xAvgCharWidth, em, upm) : 0;
    if (tm.tmAveCharWidth <= 0) {
        const TGlyph& x = font->Glyph('x');
        tm.tmAveCharWidth = std::max(1, x.Advance - extra);
    }
    tm.tmAveCharWidth += extra;
    tm.tmMaxCharWidth = Scale(face->max_advance_width, em, upm) + extra;
    // The advances already hold the bold overstrike; only a sheared italic reaches beyond them.
    tm.tmOverhang = synthItalic ? static_cast<int32_t>(std::ceil(tm.tmAscent * kItalicShear)) : 0;

    font->FUnderlineThickness = std::max(1, Scale(face->underline_thickness, em, upm));
    font->FUnderlinePos = std::clamp(Scale(-face->underline_position, em, upm), 0,
                                     std::max(0, tm.tmDescent - font->FUnderlineThickness));
    font->FStrikeOutPos = (os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0)
                              ? Scale(os2->yStrikeoutPosition, em, upm)
                              : tm.tmAscent / 3;
    return font;
}

// ---------------------------------------------------------------------------------------------
// TTextFont

TTextFont::~TTextFont() = default;

int TTextFont::AddFace(const std::string& file, int index, const std::string& family)
{
    for (size_t i = 0; i < FFaces.size(); ++i)
        if (FFaces[i]->File == file && FFaces[i]->Index == index)
            return static_cast<int>(i);
    FT_Face face = nullptr;
    if (FT_New_Face(static_cast<FT_Library>(FOwner->FLibrary), file.c_str(), index, &face) != 0 || !face)
        return -1;
    auto slot = std::make_unique<TFaceSlot>();
    slot->Face = face;
    slot->File = file;
    slot->Index = index;
    slot->Family = family.empty() && face->family_name ? face->family_name : family;
    // fontconfig reports the weight and slant asked for, not the face's: ask the face itself.
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool boldFace = (face->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->version != 0xFFFF && os2->usWeightClass >= 600);
    const bool italicFace = face->style_flags & FT_STYLE_FLAG_ITALIC;
    slot->SynthBold = FWantBold && !boldFace;
    slot->SynthItalic = FWantItalic && !italicFace && FT_IS_SCALABLE(face);
    if (!FFaces.empty()) {  // the first face is sized once the em is known
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(FEm)) != 0 && face->num_fixed_sizes > 0)
            FT_Select_Size(face, 0);
    }
    FFaces.push_back(std::move(slot));
    return static_cast<int>(FFaces.size() - 1);
}

std::string TTextFont::FaceFamily(int face) const
{
    if (face < 0 || face >= static_cast<int>(FFaces.size()))
        return {};
    return FFaces[face]->Family;
}

bool TTextFont::FaceHasChar(int face, char32_t ch) const
{
    if (face < 0 || face >= static_cast<int>(FFaces.size()))
        return false;
    return FT_Get_Char_Index(FFaces[face]->Face, ch) != 0;
}

bool TTextFont::SyntheticBold(int face) const
{
    return face >= 0 && face < static_cast<int>(FFaces.size()) && FFaces[face]->SynthBold;
}

int TTextFont::FaceFor(char32_t ch)
{
    if (FFaces.empty())
        return -1;
    if (FaceHasChar(0, ch))
        return 0;
    if (auto it = FFaceOfChar.find(ch); it != FFaceOfChar.end())
        return it->second;
    auto* config = static_cast<FcConfig*>(FOwner->FConfig);
    int found = -1;
    // First the Japanese fallback, kept as the second face; then any face that has the character.
    for (int pass = 0; pass < 2 && found < 0; ++pass) {
        FcPattern* p = BasePattern("sans-serif", FWantBold, FWantItalic, FEm);
        if (pass == 0) {
            FcPatternAddString(p, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
        } else {
            FcCharSet* set = FcCharSetCreate();
            FcCharSetAddChar(set, ch);
            FcPatternAddCharSet(p, FC_CHARSET, set);
            FcCharSetDestroy(set);
        }
        TMatch m;
        if (MatchPattern(config, p, m)) {
            const int slot = AddFace(m.File, m.Index, m.Family);
            if (slot >= 0 && FaceHasChar(slot, ch))
                found = slot;
        }
        FcPatternDestroy(p);
    }
    FFaceOfChar.emplace(ch, found);
    return found;
}

TGlyph TTextFont::Render(int faceIndex, uint32_t glyphIndex) const
{
    TGlyph g;
    g.Face = faceIndex;
    const TFaceSlot& slot = *FFaces[faceIndex];
    FT_Face face = slot.Face;
    if (FT_Load_Glyph(face, glyphIndex, kLoadFlags) != 0)
        return g;
    FT_GlyphSlot gs = face->glyph;
    if (slot.SynthItalic && gs->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_GlyphSlot_Oblique(gs);
    if (gs->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(gs, kRenderMode) != 0)
        return g;
    g.Advance = static_cast<int32_t>((gs->advance.x + 32) >> 6);
    const FT_Bitmap& bm = gs->bitmap;
    const int32_t w = static_cast<int32_t>(bm.width), h = static_cast<int32_t>(bm.rows);
    const int32_t extra = slot.SynthBold ? FBoldStrength : 0;
    g.Left = gs->bitmap_left;
    g.Top = gs->bitmap_top;
    g.Advance += extra;
    if (w <= 0 || h <= 0 || !bm.buffer)
        return g;
    g.Width = w + extra;
    g.Height = h;
    g.Coverage.assign(static_cast<size_t>(g.Width) * h, 0);
    for (int32_t y = 0; y < h; ++y) {
        const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        uint8_t* dst = g.Coverage.data() + static_cast<size_t>(y) * g.Width;
        for (int32_t x = 0; x < w; ++x) {
            uint8_t c = 0;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                c = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                c = static_cast<uint8_t>(bm.num_grays == 256 ? src[x] : src[x] * 255 / std::max(1, bm.num_grays - 1));
            // Overstrike: the glyph and its copies up to `extra` columns to the right.
            for (int32_t k = 0; k <= extra; ++k)
                dst[x + k] = std::max(dst[x + k], c);
        }
    }
    return g;
}

const TGlyph& TTextFont::Glyph(uint16_t code)
{
    TGlyph* slot = nullptr;
    if (code < 256) {
        if (FSingleDone[code])
            return FSingle[code];
        FSingleDone[code] = true;
        slot = &FSingle[code];
    } else {
        auto [it, inserted] = FDouble.try_emplace(code);
        if (!inserted)
            return it->second;
        slot = &it->second;
    }
    // Control characters take no room and show nothing.
    if (code < 0x20 || code == 0x7F || FFaces.empty())
        return *slot;
    char bytes[2];
    size_t n = 0;
    if (code >= 256)
        bytes[n++] = static_cast<char>(code >> 8);
    bytes[n++] = static_cast<char>(code & 0xFF);
    const std::u32string u = Cp932ToUtf32(std::string_view(bytes, n));
    const char32_t ch = u.size() == 1 ? u[0] : 0xFFFD;
    int face = ch == 0xFFFD ? -1 : FaceFor(ch);
    if (face < 0) {
        *slot = Render(0, 0);  // the main face's box for a character nobody has
        slot->Missing = true;
        return *slot;
    }
    *slot = Render(face, FT_Get_Char_Index(FFaces[face]->Face, ch));
    return *slot;
}
