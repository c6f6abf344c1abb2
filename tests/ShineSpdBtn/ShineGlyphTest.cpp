#include <gtest/gtest.h>

#include "controls/ShineSpdBtn/ShineBtnColors.h"
#include "controls/ShineSpdBtn/ShineGlyph.h"
#include "tests/ShineSpdBtn/PixelMap.h"

namespace {

constexpr uint32_t Key = 0x008080;   // the background of the test glyphs
constexpr uint32_t Ink = 0x102030;   // picture
constexpr uint32_t Ink2 = 0x405060;  // a second picture colour
constexpr uint32_t Shine = 0xFFFF00; // ColorToPixel(clYellow)
const Palette Colours{{'.', Key}, {'a', Ink}, {'b', Ink2}, {'S', Shine}};

std::unique_ptr<TBitmap> Build(const TBitmap& glyph, TShineButtonState state, TActiveImageType active,
                               TDisabledImageType disabled = diDefault, TColor face = clBtnFace)
{
    return BuildStateGlyph({&glyph, state, active, disabled, clYellow, face});
}

} // namespace

TEST(StateGlyph, EmptyGlyphGivesNone)
{
    TBitmap empty;
    EXPECT_EQ(Build(empty, sbUp, aiNormal), nullptr);
    EXPECT_EQ(Build(empty, sbDisabled, aiNormal), nullptr);
}

// One background pixel (the key, bottom-left) and one picture pixel, run through an operation.
struct ChannelCase {
    const char* name;
    TShineButtonState state;
    TActiveImageType active;
    TDisabledImageType disabled;
    TColor shine;
    uint32_t pixel;
    uint32_t expected;
};

class ChannelOperation : public testing::TestWithParam<ChannelCase> {};

TEST_P(ChannelOperation, RecoloursPicturePixelsOnly)
{
    const ChannelCase& c = GetParam();
    TBitmap glyph(3, 1, pf32bit);
    glyph.SetPixelRGB(0, 0, Key);
    glyph.SetPixelRGB(1, 0, c.pixel);
    glyph.SetPixelRGB(2, 0, Key);  // key colour inside the picture counts as background
    auto state = BuildStateGlyph({&glyph, c.state, c.active, c.disabled, c.shine, clBtnFace});
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->PixelRGB(1, 0), c.expected) << c.name;
    EXPECT_EQ(state->PixelRGB(0, 0), Key);
    EXPECT_EQ(state->PixelRGB(2, 0), Key);
    EXPECT_TRUE(state->Transparent());
    EXPECT_EQ(state->TransparentColor(), RGBPixelToColor(Key));
    EXPECT_EQ(state->HandleType(), bmDDB);
}

INSTANTIATE_TEST_SUITE_P(
    StateGlyph, ChannelOperation,
    testing::Values(
        ChannelCase{"up keeps the glyph", sbUp, aiXorLight, diGrayscale, clWhite, 0x123456, 0x123456},
        ChannelCase{"down keeps the glyph", sbDown, aiXorLight, diGrayscale, clWhite, 0x123456, 0x123456},
        ChannelCase{"normal", sbActiveUp, aiNormal, diDefault, clWhite, 0x123456, 0x123456},
        ChannelCase{"xor with white inverts", sbActiveUp, aiXorLight, diDefault, clWhite, 0x123456, 0xEDCBA9},
        ChannelCase{"half light", sbActiveDown, aiHalfLight, diDefault, clWhite, 0x000000, 0x7F7F7F},
        ChannelCase{"quarter light", sbActiveUp, aiQuaterLight, diDefault, clWhite, 0x000000, 0xBFBFBF},
        ChannelCase{"add light saturates", sbActiveUp, aiAddLight, diDefault, RGB(100, 100, 100), 0xC83200, 0xFF9664},
        ChannelCase{"grayscale takes equal weights", sbDisabled, aiNormal, diGrayscale, clWhite, 0xFF0000, 0x555555},
        // face clBtnFace is (192, 192, 192) in the classic palette
        ChannelCase{"half into the face", sbDisabled, aiNormal, diAlphaHalfTrans, clWhite, 0x00FF10, 0x60DF68},
        ChannelCase{"quarter over the face", sbDisabled, aiNormal, diAlphaQuaterTrans, clWhite, 0x00FF10, 0x90CF94}));

TEST(StateGlyph, ResultEqualToTheKeyIsDrawnTransparent)
{
    // xor with white turns the picture pixel into the key colour: it vanishes when drawn.
    TBitmap glyph(2, 1, pf32bit);
    glyph.SetPixelRGB(0, 0, Key);
    glyph.SetPixelRGB(1, 0, Key ^ 0xFFFFFF);
    auto state = BuildStateGlyph({&glyph, sbActiveUp, aiXorLight, diDefault, clWhite, clBtnFace});
    EXPECT_EQ(state->PixelRGB(1, 0), Key);
    EXPECT_EQ(static_cast<uint32_t>(state->TransparentColor()), RGBPixelToColor(Key));
}

TEST(StateGlyph, OutlinesAreOneOrTwoPixelsAroundTheShape)
{
    const Rows dot{".....", ".....", "..a..", ".....", "....."};
    auto glyph = MakeGlyph(dot, Colours);
    EXPECT_EQ(ReadRows(*Build(*glyph, sbActiveUp, aiFrameLight), Colours),
              (Rows{".....", "..S..", ".SaS.", "..S..", "....."}));
    EXPECT_EQ(ReadRows(*Build(*glyph, sbActiveDown, aiFrameLight2), Colours),
              (Rows{"..S..", ".SSS.", "SSaSS", ".SSS.", "..S.."}));
}

TEST(StateGlyph, OutlineStopsAtTheGlyphBorderAndCanTakeTheKeyPixel)
{
    // The shape touches the top and right border: no outline there, and no wrap-around.
    const Rows corner{"..aa", "...a", "....", "...."};
    auto glyph = MakeGlyph(corner, Colours);
    EXPECT_EQ(ReadRows(*Build(*glyph, sbActiveUp, aiFrameLight), Colours), (Rows{".Saa", "..Sa", "...S", "...."}));

    // An outline over the bottom-left pixel makes the shine colour the transparent one.
    const Rows low{"....", "....", ".a..", "...."};
    auto lowGlyph = MakeGlyph(low, Colours);
    auto lit = Build(*lowGlyph, sbActiveUp, aiFrameLight2);
    EXPECT_EQ(ReadRows(*lit, Colours), (Rows{".S..", "SSS.", "SaSS", "SSS."}));
    EXPECT_EQ(lit->TransparentColor(), clYellow);
}

// Which picture pixels the checkerboard replaces, by glyph size.
struct CheckerCase {
    int32_t width;
    int32_t height;
    bool trueCheckerboard;  // x + y odd; otherwise every odd column
};

class Checkerboard : public testing::TestWithParam<CheckerCase> {};

TEST_P(Checkerboard, ReplacesAlternatePicturePixels)
{
    const CheckerCase c = GetParam();
    Rows rows(c.height, std::string(c.width, 'a'));
    rows.back()[0] = '.';  // the key
    auto glyph = MakeGlyph(rows, Colours);
    for (bool disabled : {false, true}) {
        auto state = disabled ? Build(*glyph, sbDisabled, aiNormal, diMaskTrans) : Build(*glyph, sbActiveUp, aiMaskLight);
        const char replaced = disabled ? '.' : 'S';
        Rows expected = rows;
        for (int32_t y = 0; y < c.height; ++y)
            for (int32_t x = 0; x < c.width; ++x) {
                const bool odd = c.trueCheckerboard ? (x + y) % 2 == 1 : x % 2 == 1;
                if (rows[y][x] == 'a' && odd)
                    expected[y][x] = replaced;
            }
        EXPECT_EQ(ReadRows(*state, Colours), expected) << c.width << "x" << c.height << (disabled ? " mask trans" : " mask light");
    }
}

INSTANTIATE_TEST_SUITE_P(StateGlyph, Checkerboard,
                         testing::Values(CheckerCase{16, 16, true}, CheckerCase{15, 15, true}, CheckerCase{16, 15, false},
                                         CheckerCase{15, 16, false}, CheckerCase{1, 1, true}));

TEST(StateGlyph, DisabledDefaultIsAMonochromeEdgeStencil)
{
    // Edges of the shape and the colour change inside it; last row and column stay clear.
    const Rows shape{".....", ".aab.", ".aab.", ".....", "....."};
    auto glyph = MakeGlyph(shape, Colours);
    auto stencil = Build(*glyph, sbDisabled, aiNormal, diDefault);
    const Palette mono{{'#', 0xFFFFFF}, {'.', 0}};
    EXPECT_TRUE(stencil->Monochrome());
    EXPECT_TRUE(stencil->Transparent());
    EXPECT_EQ(stencil->TransparentColor(), clBlack);
    EXPECT_EQ(ReadRows(*stencil, mono), (Rows{"####.", "#.##.", "####.", ".....", "....."}));

    // A single row has no row below it: nothing is set.
    auto row = MakeGlyph({"a.ab"}, Colours);
    EXPECT_EQ(ReadRows(*Build(*row, sbDisabled, aiNormal, diDefault), mono), (Rows{"...."}));
}

TEST(StateGlyph, StoredGlyphIsNotChangedAndOtherFormatsAreRead)
{
    const Rows dot{"...", ".a.", "..."};
    auto glyph = MakeGlyph(dot, Colours, pf24bit);
    auto state = Build(*glyph, sbActiveUp, aiFrameLight);
    EXPECT_EQ(ReadRows(*state, Colours), (Rows{".S.", "SaS", ".S."}));
    EXPECT_EQ(ReadRows(*glyph, Colours), dot);
    EXPECT_EQ(glyph->PixelFormat(), pf24bit);
}
