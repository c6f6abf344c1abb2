#include <gtest/gtest.h>

#include <vector>

#include "controls/ShadoLbl/Gradient.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

// Red, green and blue of a pixel of a 24-bit bitmap, read straight from its scan line.
struct Rgb {
    int R, G, B;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << '(' << c.R << ',' << c.G << ',' << c.B << ')'; }

Rgb Pixel24(TBitmap& bitmap, int x, int y)
{
    const uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

Rgb PixelAny(const TBitmap& bitmap, int x, int y)
{
    const uint32_t v = bitmap.PixelRGB(x, y);
    return {int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)};
}

}  // namespace

TEST(GetRGB, SplitsPlainAndSystemColoursIgnoringTheTopByte)
{
    uint8_t r, g, b;
    GetRGB(RGB(0x40, 0x80, 0xFF) | 0x12000000, r, g, b);
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{0x40, 0x80, 0xFF}));
    GetRGB(clBtnShadow, r, g, b);
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{128, 128, 128}));
}

TEST(GradBitmap, VerticalBlueToWhiteStepsOncePerRowAndTruncates)
{
    TBitmap bitmap(4, 5, pf24bit);
    GradBitmap(&bitmap, clBlue, clWhite, true);
    const int levels[] = {0, 63, 127, 191, 255};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel24(bitmap, x, y), (Rgb{levels[y], levels[y], 255})) << "x " << x << " y " << y;
}

TEST(GradBitmap, HorizontalRunsLeftToRightInEitherDirection)
{
    struct Case {
        TColor from, to;
        std::vector<int> grey;
    };
    const Case cases[] = {
        {clBlack, clWhite, {0, 63, 127, 191, 255}},
        {clWhite, clBlack, {255, 191, 127, 63, 0}},
    };
    for (const Case& c : cases) {
        TBitmap bitmap(5, 3, pf24bit);
        GradBitmap(&bitmap, c.from, c.to, false);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Pixel24(bitmap, x, y), (Rgb{c.grey[x], c.grey[x], c.grey[x]})) << "x " << x << " y " << y;
    }
}

TEST(GradBitmap, OnePixelLongGradientTakesTheStartColour)
{
    TBitmap oneRow(3, 1, pf24bit);
    GradBitmap(&oneRow, clRed, clBlue, true);
    TBitmap oneColumn(1, 3, pf24bit);
    GradBitmap(&oneColumn, clRed, clBlue, false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pixel24(oneRow, i, 0), (Rgb{255, 0, 0}));
        EXPECT_EQ(Pixel24(oneColumn, 0, i), (Rgb{255, 0, 0}));
    }
}

TEST(GradBitmap, EmptyBitmapIsLeftAlone)
{
    TBitmap empty(0, 7, pf24bit);
    GradBitmap(&empty, clRed, clBlue, false);
    GradBitmap(&empty, clRed, clBlue, true);
    EXPECT_EQ(empty.Width(), 0);
}

// Writing three bytes per pixel into a bitmap of another format would scramble it (or run past a
// monochrome row); other formats are filled pixel by pixel in their own layout.
TEST(GradBitmap, OtherPixelFormatsGetTheSameColours)
{
    for (TPixelFormat format : {pf32bit, pfDevice}) {
        TBitmap bitmap(5, 2, format);
        GradBitmap(&bitmap, clBlack, clWhite, false);
        EXPECT_EQ(PixelAny(bitmap, 1, 1), (Rgb{63, 63, 63}));
        EXPECT_EQ(PixelAny(bitmap, 4, 0), (Rgb{255, 255, 255}));
    }
}

TEST(GradRect, StripIsOnePixelWideOrOneRowPerTwentyPixels)
{
    EXPECT_EQ(GradStripSize(Rect(0, 0, 30, 16), false), Point(30, 1));
    EXPECT_EQ(GradStripSize(Rect(5, 0, 35, 40), false), Point(30, 3));
    EXPECT_EQ(GradStripSize(Rect(0, 10, 30, 50), true), Point(1, 40));
    // Edges so far apart that their distance does not fit in 32 bits get no strip.
    EXPECT_EQ(GradStripSize(Rect(INT32_MIN, 0, INT32_MAX, 10), false), Point(0, 0));
}

TEST(GradRect, StretchesTheGradientOverTheRectangleWithAPlainCopy)
{
    TBitmap target(12, 9, pf32bit);
    TCanvas& canvas = *target.Canvas();
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 12, 9));
    canvas.SetCopyMode(SRCAND);  // would darken the gradient if it were kept

    GradRect(&canvas, Rect(2, 2, 7, 7), clBlue, clWhite, true);

    EXPECT_EQ(canvas.CopyMode(), SRCCOPY);
    const int levels[] = {0, 63, 127, 191, 255};
    for (int y = 0; y < 5; ++y)
        for (int x = 2; x < 7; ++x)
            EXPECT_EQ(PixelAny(target, x, y + 2), (Rgb{levels[y], levels[y], 255})) << "x " << x << " y " << y;
    EXPECT_EQ(PixelAny(target, 1, 2), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAny(target, 7, 6), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAny(target, 3, 7), (Rgb{255, 0, 0}));

    GradRect(&canvas, Rect(0, 0, 5, 40), clBlack, clWhite, false);
    EXPECT_EQ(PixelAny(target, 1, 8), (Rgb{63, 63, 63}));
}
