// Fonts: matching, metrics, synthesised styles, Japanese glyphs and the surfaces text lands on.
#include "tests/text/TextFixture.h"

#include "platform/text/FontCache.h"

namespace {

class Fonts : public TextFixture {};

TTextFont& Resolved(TCanvas& c) { return TFontCache::Instance().FontFor(*c.Font()); }

// The glyph of each character of a code page 932 text comes from a face that has it.
void ExpectRealGlyphs(TCanvas& c, const std::string& text)
{
    TTextFont& font = Resolved(c);
    const std::u32string unicode = Cp932ToUtf32(text);
    size_t u = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i), ++u) {
        const auto b = static_cast<uint8_t>(text[i]);
        const uint16_t code = CharLength(text, i) == 2 ? static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(text[i + 1])) : b;
        const TGlyph& g = font.Glyph(code);
        SCOPED_TRACE(Cp932ToUtf8(text) + " character " + std::to_string(u));
        EXPECT_FALSE(g.Missing);
        EXPECT_TRUE(font.FaceHasChar(g.Face, unicode[u])) << font.FaceFamily(g.Face);
        EXPECT_GT(g.Width * g.Height, 0);
        EXPECT_GT(g.Advance, 0);
    }
}

TEST_F(Fonts, BoardFontMapsToIpaPGothicInBothSpellings)
{
    for (const std::string& name : {Sjis("ＭＳ Ｐゴシック"), std::string("MS PGothic"), std::string("ms pgothic")}) {
        SCOPED_TRACE(Cp932ToUtf8(name));
        EXPECT_EQ(TFontCache::FamilyFor(name), "IPAPGothic");
        Font().SetName(name);
        EXPECT_EQ(Resolved(C()).FaceFamily(0), "IPAPGothic");
    }
}

TEST_F(Fonts, MetricsFollowTheHeight)
{
    struct Case {
        int32_t Height;
        TFontStyles Style;
    } cases[] = {{-12, 0}, {-16, 0}, {-16, fsBold}, {-16, fsItalic}, {-24, fsBold | fsItalic}, {17, 0}, {20, fsBold}};
    for (const Case& c : cases) {
        SCOPED_TRACE("height " + std::to_string(c.Height) + " style " + std::to_string(c.Style));
        Font().SetHeight(c.Height);
        Font().SetStyle(c.Style);
        TTextMetric tm{};
        ASSERT_TRUE(GetTextMetricsA(&C(), &tm));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        if (c.Height < 0)
            EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + c.Height) << "negative: the em height";
        else
            EXPECT_EQ(tm.tmHeight, c.Height) << "positive: the cell height";
        EXPECT_GT(tm.tmAscent, tm.tmDescent);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        EXPECT_EQ(TextHeight(C(), "x"), tm.tmHeight);
        EXPECT_EQ(TextExtent(C(), "10:00"), (TSize{TextWidth(C(), "10:00"), tm.tmHeight}));
    }
}

// IPAPGothic has no bold face: bold is overstruck one column to the right, and the advances say so.
TEST_F(Fonts, SynthesisedBoldWidensEveryAdvance)
{
    const std::string text = Sjis("1月10:00");
    const int32_t regular = W(text);
    Draw(text, {10, 10, 200, 40}, 0);
    const TRect regularInk = Ink();

    Reset(fsBold);
    EXPECT_TRUE(Resolved(C()).SyntheticBold(0));
    TTextMetric tm{};
    GetTextMetricsA(&C(), &tm);
    EXPECT_EQ(tm.tmOverhang, 0) << "the advances already include the overstrike";
    EXPECT_EQ(W(text), regular + static_cast<int32_t>(CharCount(text)));
    Draw(text, {10, 10, 200, 40}, 0);
    const TRect boldInk = Ink();
    EXPECT_EQ(boldInk.Left, regularInk.Left);
    EXPECT_GT(boldInk.Right, regularInk.Right);
    EXPECT_GT(InkCount(boldInk), 0);
    // Each character's rectangle of TextWidth - tmOverhang lines them up exactly like the whole text.
    int32_t sum = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        sum += W(text.substr(i, CharLength(text, i))) - tm.tmOverhang;
    EXPECT_EQ(sum + tm.tmOverhang, W(text));
}

// A sheared italic reaches past its advance; tmOverhang says by how much, and TextWidth counts it once.
TEST_F(Fonts, SynthesisedItalicReportsItsOverhang)
{
    Reset(fsItalic);
    TTextMetric tm{};
    GetTextMetricsA(&C(), &tm);
    EXPECT_GT(tm.tmOverhang, 0);
    EXPECT_EQ(W("ab"), W("a") + W("b") - tm.tmOverhang);
    const TRect r = Calc("Wild", 0, {10, 10, 10, 10});
    Draw("Wild", r, DT_NOCLIP);
    const TRect ink = Ink();
    EXPECT_LE(ink.Right, r.Right) << ink << " " << r;
    EXPECT_GT(ink.Right, r.Right - tm.tmOverhang - 3);
}

TEST_F(Fonts, JapaneseNeverFallsToBoxes)
{
    const std::string text = Sjis("みずがめ座 10月 ﾃｽﾄ ①");
    for (const std::string& name : {Sjis("ＭＳ Ｐゴシック"), std::string("DejaVu Sans"), std::string("No Such Font Anywhere"),
                                    std::string("MS Sans Serif")}) {
        SCOPED_TRACE(Cp932ToUtf8(name));
        Font().SetName(name);
        ExpectRealGlyphs(C(), Sjis("みずがめ座10月ﾃｽﾄ①"));
        Reset();
        Font().SetName(name);
        const TRect r = Calc(text, 0, {5, 5, 5, 5});
        Draw(text, r, 0);
        EXPECT_TRUE(Inside(Ink(), r)) << Ink() << " " << r;
        EXPECT_GT(InkCount(r), 100);
    }
}

// The board's captions: bold 16-pixel "ＭＳ Ｐゴシック", a silver copy one pixel right and down, then the
// caption; every glyph real, every pixel inside what DT_CALCRECT predicted (plus the shadow's pixel).
TEST_F(Fonts, BoardCaptionsRenderInsideTheirMeasuredRectangles)
{
    for (const char* caption : {"1月", "10:00", "みずがめ", "12月", "おひつじ"}) {
        const std::string text = Sjis(caption);
        SCOPED_TRACE(caption);
        Reset(fsBold);
        ExpectRealGlyphs(C(), text);

        TRect r{30, 20, 180, 20};
        DrawTextExA(&C(), text.c_str(), -1, &r, DT_EXPANDTABS | DT_CALCRECT, nullptr);
        EXPECT_EQ(r.Height(), LineH());
        EXPECT_EQ(r.Width(), W(text));
        EXPECT_EQ(Ink(), TRect{});

        TRect shadow = r;
        OffsetRect(&shadow, 1, 1);
        Font().SetColor(clSilver);
        DrawTextA(&C(), text.c_str(), -1, &shadow, DT_EXPANDTABS);
        Font().SetColor(clBlack);
        DrawTextA(&C(), text.c_str(), -1, &r, DT_EXPANDTABS);

        const TRect ink = Ink();
        EXPECT_TRUE(Inside(ink, {r.Left, r.Top, r.Right + 1, r.Bottom + 1})) << ink << " " << r;
        EXPECT_LE(ink.Left, r.Left + 2);
        EXPECT_GE(ink.Right, r.Right - 2);
        EXPECT_GE(ink.Height(), LineH() / 2);
        // Ink in every character's own columns: nothing came out empty.
        int32_t x = r.Left;
        for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
            const int32_t w = W(text.substr(i, CharLength(text, i)));
            EXPECT_GT(InkCount({x, r.Top, x + w, r.Bottom}), 8) << "character at byte " << i;
            x += w;
        }
        // Dark strokes: the caption is crisp, not a grey smear.
        int dark = 0;
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t xx = r.Left; xx < r.Right; ++xx)
                dark += (Bmp.PixelRGB(xx, y) & 0xFF) < 0x40;
        EXPECT_GT(dark, 12 * static_cast<int>(CharCount(text)));
    }
}

TEST_F(Fonts, UnderlineAndStrikeOutStyles)
{
    const std::string text = "ab cd";
    const TRect rect{10, 10, 200, 10 + LineH()};
    const auto plain = Drawing(text, rect, 0);
    for (TFontStyles style : {fsUnderline, fsStrikeOut}) {
        SCOPED_TRACE(style);
        Reset(style);
        Draw(text, rect, 0);
        // A full row of ink across the whole text, inside the cell.
        int fullRows = 0;
        for (int32_t y = rect.Top; y < rect.Bottom; ++y)
            fullRows += InkCount({10, y, 10 + W(text), y + 1}) == W(text);
        EXPECT_GE(fullRows, 1);
        EXPECT_TRUE(Inside(Ink(), {10, 10, 10 + W(text), 10 + LineH()}));
        EXPECT_NE(Pixels(), plain);
    }
}

// The same caption on every kind of surface: 32-bit and device bitmaps get the same colours as
// 24-bit ones; a 1-bit bitmap gets black where the glyph covers at least half a pixel.
TEST_F(Fonts, DrawsOnEverySurfaceFormat)
{
    const std::string text = Sjis("10月");
    const TRect rect{4, 4, 100, 30};
    Font().SetStyle(fsBold);
    const auto reference = Drawing(text, rect, 0);
    for (TPixelFormat format : {pf32bit, pfDevice, pf1bit}) {
        SCOPED_TRACE(static_cast<int>(format));
        TBitmap other(Bmp.Width(), Bmp.Height(), format);
        TCanvas& c = *other.Canvas();
        c.Brush()->SetColor(clWhite);
        c.FillRect({0, 0, other.Width(), other.Height()});
        c.Brush()->SetStyle(bsClear);
        c.Font()->Assign(&Font());
        TRect r = rect;
        DrawTextA(&c, text.c_str(), -1, &r, 0);
        int differences = 0, inked = 0;
        for (int32_t y = 0; y < other.Height(); ++y)
            for (int32_t x = 0; x < other.Width(); ++x) {
                const uint32_t want = reference[static_cast<size_t>(y) * Bmp.Width() + x];
                const uint32_t got = other.PixelRGB(x, y);
                if (format == pf1bit) {
                    EXPECT_EQ(got, (want & 0xFF) <= 127 ? 0u : 0xFFFFFFu) << x << "," << y;
                    inked += got == 0;
                } else {
                    differences += got != want;
                }
            }
        EXPECT_EQ(differences, 0);
        if (format == pf1bit) {
            EXPECT_GT(inked, 30);
        }
    }
}

} // namespace

namespace {

TEST(Font, SizeAndHeightConvertAtNinetySixPixelsPerInch)
{
    struct Case {
        int32_t Points, Height;
    } cases[] = {{12, -16}, {9, -12}, {8, -11}, {10, -13}, {1, -1}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Points);
        TFont f;
        f.SetSize(c.Points);
        EXPECT_EQ(f.Height(), c.Height);
        EXPECT_EQ(f.Size(), c.Points);
    }
    TFont f;
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10) << "9.75 points round to 10";
    f.SetHeight(INT32_MIN);
    EXPECT_GT(f.Size(), 0);
}

TEST(Font, EveryChangeNotifiesOnceAndEqualValuesNotAtAll)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetName(Sjis("ＭＳ Ｐゴシック"));
    f.SetHeight(-16);
    f.SetStyle(fsBold);
    f.SetColor(clWhite);
    f.SetCharset(SHIFTJIS_CHARSET);
    f.SetPitch(fpVariable);
    EXPECT_EQ(changes, 6);
    f.SetName(Sjis("ＭＳ Ｐゴシック"));
    f.SetHeight(-16);
    f.SetSize(12);
    f.SetStyle(fsBold);
    f.SetColor(clWhite);
    EXPECT_EQ(changes, 6);

    TFont copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Assign(&f);
    EXPECT_EQ(copyChanges, 1) << "one notice for the whole assignment";
    EXPECT_TRUE(copy.SameLook(f));
    copy.Assign(&f);
    EXPECT_EQ(copyChanges, 1);
}

} // namespace
