#include <gtest/gtest.h>

#include <climits>

#include "controls/ShineSpdBtn/ShineDraw.h"
#include "platform/graphics/Canvas.h"
#include "platform/text/DrawText.h"
#include "tests/ShineSpdBtn/PixelMap.h"

namespace {

// The button of the layout examples: 75 x 25, a 16 x 16 glyph and a caption measuring 30 x 13.
TShineContent Both() { return {true, 16, 16, true, 30, 13}; }
TShineContent GlyphOnly() { return {true, 16, 16, false, 0, 0}; }
TShineContent CaptionOnly() { return {false, 0, 0, true, 30, 13}; }

struct LayoutCase {
    const char* name;
    TShineContent content;
    TShineArrangement arrangement;
    TPoint glyph;
    TRect caption;
};

class Layout : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, PlacesGlyphAndCaption)
{
    const LayoutCase& c = GetParam();
    const TShinePlacement p = PlaceContent(c.content, c.arrangement);
    EXPECT_EQ(p.GlyphPos, c.glyph) << c.name;
    EXPECT_EQ(p.CaptionRect, c.caption) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ShineLayout, Layout,
    testing::Values(
        LayoutCase{"defaults", Both(), {blGlyphLeft, -1, 4, 75, 25}, {12, 4}, {32, 5, 62, 18}},
        LayoutCase{"no caption", GlyphOnly(), {blGlyphLeft, -1, 4, 75, 25}, {29, 4}, {45, 4, 45, 4}},
        LayoutCase{"no glyph: no spacing", CaptionOnly(), {blGlyphLeft, -1, 4, 75, 25}, {22, 6}, {22, 6, 52, 19}},
        LayoutCase{"margin left", Both(), {blGlyphLeft, 3, 4, 75, 25}, {3, 4}, {23, 5, 53, 18}},
        LayoutCase{"margin 0 right touches the edge", Both(), {blGlyphRight, 0, 4, 75, 25}, {59, 4}, {25, 5, 55, 18}},
        LayoutCase{"centred right", Both(), {blGlyphRight, -1, 4, 75, 25}, {46, 4}, {12, 5, 42, 18}},
        LayoutCase{"margin top", Both(), {blGlyphTop, 2, 4, 75, 25}, {29, 2}, {22, 22, 52, 35}},
        LayoutCase{"margin 0 bottom touches the edge", Both(), {blGlyphBottom, 0, 4, 75, 25}, {29, 9}, {22, -8, 52, 5}},
        // Spacing follows the caption alone on top: the caption sits half the spacing lower.
        LayoutCase{"top, no glyph, still spaced", CaptionOnly(), {blGlyphTop, -1, 4, 75, 25}, {22, 4}, {22, 8, 52, 21}},
        LayoutCase{"bottom, no glyph", CaptionOnly(), {blGlyphBottom, -1, 4, 75, 25}, {22, 19}, {22, 6, 52, 19}},
        // An empty glyph that reports a size still takes room on the left and at the bottom.
        LayoutCase{"left, empty glyph with a size", {false, 16, 16, true, 30, 13}, {blGlyphLeft, -1, 4, 75, 25}, {14, 4}, {30, 5, 60, 18}},
        LayoutCase{"right, empty glyph with a size", {false, 16, 16, true, 30, 13}, {blGlyphRight, -1, 4, 75, 25}, {52, 6}, {22, 6, 52, 19}},
        LayoutCase{"top, empty glyph with a size", {false, 16, 16, true, 30, 13}, {blGlyphTop, -1, 4, 75, 25}, {22, 4}, {22, 8, 52, 21}},
        LayoutCase{"bottom, empty glyph with a size", {false, 16, 16, true, 30, 13}, {blGlyphBottom, -1, 4, 75, 25}, {22, 11}, {22, -2, 52, 11}},
        LayoutCase{"negative spacing overlaps", Both(), {blGlyphLeft, 0, -6, 75, 25}, {0, 4}, {10, 5, 40, 18}},
        // Content 31 wide in a client 20 wide: origin -11 / 2 = -5, truncated toward zero.
        LayoutCase{"truncation toward zero", {false, 0, 0, true, 31, 10}, {blGlyphLeft, -1, 4, 20, 10}, {-5, 0}, {-5, 0, 26, 10}},
        LayoutCase{"line break measures two lines", {true, 16, 16, true, 30, 26}, {blGlyphLeft, -1, 4, 75, 25}, {12, 5}, {32, 0, 62, 26}}));

TEST(ShineLayout, ExtremePropertiesDoNotWrap)
{
    const TShinePlacement p = PlaceContent(Both(), {blGlyphLeft, INT32_MAX, INT32_MAX, 75, 25});
    EXPECT_EQ(p.GlyphPos, (TPoint{FarCoordinate, 4}));
    EXPECT_EQ(p.CaptionRect, (TRect{FarCoordinate, 5, FarCoordinate, 18}));
    const TShinePlacement q = PlaceContent(Both(), {blGlyphRight, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MIN});
    EXPECT_EQ(q.CaptionRect.Left, -FarCoordinate);
    EXPECT_EQ(q.GlyphPos.Y, -FarCoordinate);
}

TShineBtnColors Gradient(TColor from, TColor to, bool vertical)
{
    TShineBtnColors c;
    c.SetColor(from);
    c.SetGradColor(to);
    c.SetGradVertical(vertical);
    c.SetGradation(true);
    return c;
}

TEST(ShineFace, GradientStripTruncatesTowardZero)
{
    auto strip = MakeGradientStrip(Gradient(RGB(100, 0, 255), RGB(0, 255, 255), false));
    ASSERT_EQ(strip->Width(), 256);
    ASSERT_EQ(strip->Height(), 1);
    EXPECT_EQ(strip->PixelRGB(0, 0), 0x6400FFu);
    EXPECT_EQ(strip->PixelRGB(1, 0), 0x6401FFu);    // red 100 - 100/255 stays 100
    EXPECT_EQ(strip->PixelRGB(254, 0), 0x01FEFFu);  // 100 - 25400/255 = 100 - 99
    EXPECT_EQ(strip->PixelRGB(255, 0), 0x00FFFFu);
    auto vertical = MakeGradientStrip(Gradient(clBlack, clWhite, true));
    EXPECT_EQ(vertical->Width(), 1);
    EXPECT_EQ(vertical->PixelRGB(0, 200), 0xC8C8C8u);
}

TEST(ShineFace, GradientIsStretchedWithoutBlending)
{
    TBitmap wide(256, 3, pf32bit);
    DrawFace(*wide.Canvas(), Gradient(clBlack, clWhite, false), {0, 0, 256, 3});
    for (int32_t x = 0; x < 256; ++x)
        ASSERT_EQ(wide.PixelRGB(x, 2), static_cast<uint32_t>(x * 0x010101)) << x;

    // Shorter than the strip: every second entry; taller: each entry twice.
    TBitmap shortOne(2, 128, pf32bit), tall(2, 512, pf32bit);
    DrawFace(*shortOne.Canvas(), Gradient(clBlack, clWhite, true), {0, 0, 2, 128});
    DrawFace(*tall.Canvas(), Gradient(clBlack, clWhite, true), {0, 0, 2, 512});
    EXPECT_EQ(shortOne.PixelRGB(1, 7), 14u * 0x010101);
    EXPECT_EQ(tall.PixelRGB(0, 7), 3u * 0x010101);
    EXPECT_EQ(tall.PixelRGB(0, 511), 0xFFFFFFu);
}

TEST(ShineFace, FlatFaceFillsWithTheSetColour)
{
    TShineBtnColors c;  // clBtnFace
    TBitmap b(4, 4, pf32bit);
    b.Canvas()->Brush()->SetStyle(bsClear);
    DrawFace(*b.Canvas(), c, {1, 1, 3, 3});
    EXPECT_EQ(b.PixelRGB(1, 1), 0xC0C0C0u);
    EXPECT_EQ(b.PixelRGB(2, 2), 0xC0C0C0u);
    EXPECT_EQ(b.PixelRGB(3, 3), 0xFFFFFFu);
}

// Frame maps of a 25 x 25 button. Each frame colour gets its own letter in both colour sets,
// so a line drawn from the wrong set or in the wrong colour shows.
constexpr uint32_t Back = 0x336699;
const Palette FrameColours{{' ', Back},     {'H', 0xFFFFFF}, {'S', 0x808080}, {'D', 0x000000},
                           {'h', 0x80FFFF}, {'s', 0x008000}, {'d', 0x000080}};

struct Line {
    char colour;
    bool row;  // a row at `at`, else a column
    int at, from, to;
};

struct FrameCase {
    const char* name;
    TFrameType type;
    bool sunken;
    std::vector<Line> runs;
};

class Frame : public testing::TestWithParam<FrameCase> {};

TEST_P(Frame, CoversExactlyTheseLines)
{
    const FrameCase& c = GetParam();
    TShineBtnColors colors, pressed;
    colors.SetHighlight(RGB(255, 255, 255));
    colors.SetShadow(RGB(128, 128, 128));
    colors.SetDarkShadow(RGB(0, 0, 0));
    pressed.SetHighlight(RGB(0x80, 0xFF, 0xFF));
    pressed.SetShadow(RGB(0, 0x80, 0));
    pressed.SetDarkShadow(RGB(0, 0, 0x80));
    TBitmap b(25, 25, pf32bit);
    b.Canvas()->Brush()->SetColor(RGBPixelToColor(Back));
    b.Canvas()->FillRect({0, 0, 25, 25});
    DrawFrame(*b.Canvas(), c.type, c.sunken, colors, pressed, 25, 25);

    Rows expected(25, std::string(25, ' '));
    for (const Line& r : c.runs)
        for (int i = r.from; i <= r.to; ++i)
            (r.row ? expected[r.at][i] : expected[i][r.at]) = r.colour;
    EXPECT_EQ(ReadRows(b, FrameColours), expected) << c.name;
}

const std::vector<Line> Enclosure{{'D', true, 0, 0, 24}, {'D', true, 24, 0, 24}, {'D', false, 0, 0, 24}, {'D', false, 24, 0, 24}};

std::vector<Line> Enclosed(char first, char second)
{
    std::vector<Line> runs{{first, true, 1, 1, 22}, {first, false, 1, 1, 22}, {second, true, 23, 2, 23}, {second, false, 23, 2, 23}};
    runs.insert(runs.end(), Enclosure.begin(), Enclosure.end());
    return runs;
}

INSTANTIATE_TEST_SUITE_P(
    ShineFrame, Frame,
    testing::Values(
        FrameCase{"flat raised", ftFlatFrame, false, {{'H', true, 0, 0, 23}, {'H', false, 0, 0, 23}, {'S', true, 24, 1, 24}, {'S', false, 24, 1, 24}}},
        FrameCase{"flat sunken", ftFlatFrame, true, {{'s', true, 0, 0, 23}, {'s', false, 0, 0, 23}, {'h', true, 24, 1, 24}, {'h', false, 24, 1, 24}}},
        FrameCase{"normal raised", ftNormalFrame, false,
                  {{'H', true, 0, 0, 23}, {'H', false, 0, 0, 23}, {'S', true, 23, 1, 23}, {'S', false, 23, 1, 23},
                   {'D', true, 24, 1, 24}, {'D', false, 24, 1, 24}}},
        FrameCase{"normal sunken", ftNormalFrame, true,
                  {{'d', true, 0, 0, 23}, {'d', false, 0, 0, 23}, {'s', true, 1, 1, 23}, {'s', false, 1, 1, 23},
                   {'h', true, 24, 1, 24}, {'h', false, 24, 1, 24}}},
        FrameCase{"enclosed raised", ftEnclosedFrame, false, Enclosed('H', 'S')},
        // The enclosure takes the dark shadow of Colors even when sunken.
        FrameCase{"enclosed sunken", ftEnclosedFrame, true, Enclosed('s', 'h')}));

} // namespace

TEST(ShineStencil, EtchedCopiesPaintOnlyTheSetBits)
{
    TBitmap stencil(3, 2, pf1bit);
    stencil.SetPixelRGB(0, 0, 0xFFFFFF);
    stencil.SetPixelRGB(1, 0, 0);
    stencil.SetPixelRGB(2, 0, 0xFFFFFF);
    for (int x = 0; x < 3; ++x)
        stencil.SetPixelRGB(x, 1, x == 1 ? 0xFFFFFF : 0);
    TBitmap target(6, 4, pf32bit);
    const Palette p{{' ', 0x336699}, {'H', 0xFFFFFF}, {'S', 0x808080}};
    target.Canvas()->Brush()->SetColor(RGBPixelToColor(0x336699));
    target.Canvas()->FillRect({0, 0, 6, 4});
    DrawEtchedStencil(*target.Canvas(), stencil, {1, 1}, clBtnHighlight, clBtnShadow);
    EXPECT_EQ(ReadRows(target, p), (Rows{"      ", " S S  ", "  S H ", "   H  "}));
}

namespace {

// A white 40 x 24 surface with a black 12-pixel font and a clear brush.
std::unique_ptr<TBitmap> TextSurface()
{
    auto b = std::make_unique<TBitmap>(40, 24, pf32bit);
    b->Canvas()->Font()->SetHeight(-12);
    b->Canvas()->Font()->SetColor(clBlack);
    b->Canvas()->Brush()->SetStyle(bsClear);
    return b;
}

// The caption drawn once, by hand, in `color` at rect moved by `offset`.
void DrawOnce(TBitmap& b, const std::string& text, TRect rect, TColor color, int32_t offset)
{
    b.Canvas()->Font()->SetColor(color);
    OffsetRect(&rect, offset, offset);
    DrawTextA(b.Canvas()->Handle(), text.data(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER);
}

bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.PixelRGB(x, y) != b.PixelRGB(x, y))
                return false;
    return true;
}

} // namespace

TEST(ShineCaption, CopiesAreDrawnInOrderAtTheirOffsets)
{
    const std::string text = "Ab";
    const TRect rect{8, 4, 32, 20};
    struct Case {
        const char* name;
        TCaptionColors colors;
        std::vector<std::pair<TColor, int32_t>> draws;  // colour and offset, in order
    };
    const std::vector<Case> cases{
        {"plain", {false, clWhite, clGray, clNone, clNone}, {{clBlack, 0}}},
        {"shadow", {false, clWhite, clGray, clRed, clNone}, {{clRed, 1}, {clBlack, 0}}},
        {"highlight", {false, clWhite, clGray, clNone, clBlue}, {{clBlue, -1}, {clBlack, 0}}},
        {"both", {false, clWhite, clGray, clRed, clBlue}, {{clRed, 1}, {clBlue, -1}, {clBlack, 0}}},
        {"disabled ignores the copies", {true, clYellow, clGray, clRed, clBlue}, {{clYellow, 1}, {clGray, 0}}},
    };
    auto plain = TextSurface();
    DrawOnce(*plain, text, rect, clBlack, 0);
    for (const Case& c : cases) {
        auto drawn = TextSurface();
        DrawCaption(*drawn->Canvas(), text, rect, c.colors);
        auto expected = TextSurface();
        for (auto [color, offset] : c.draws)
            DrawOnce(*expected, text, rect, color, offset);
        EXPECT_TRUE(SamePixels(*drawn, *expected)) << c.name;
        EXPECT_EQ(SamePixels(*drawn, *plain), c.draws.size() == 1 && c.draws[0].first == clBlack) << c.name;
    }
}
