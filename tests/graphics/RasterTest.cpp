#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

// Bit-by-bit reference: result bit = bit ((P<<2)|(S<<1)|D) of the operation's index byte.
uint32_t ReferenceRop(uint32_t rop, uint32_t p, uint32_t s, uint32_t d)
{
    uint32_t out = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const uint32_t index = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
        out |= ((rop >> 16 >> index) & 1) << bit;
    }
    return out;
}

} // namespace

TEST(RasterOperation, AllTwoHundredFiftySixFunctionsMatchTheTruthTable)
{
    const uint32_t p = 0xF0F0F0 ^ 0x123456, s = 0xCCCCCC ^ 0x0F0F0F, d = 0xAAAAAA ^ 0x3C3C3C;
    for (uint32_t index = 0; index < 256; ++index) {
        const uint32_t rop = index << 16;
        ASSERT_EQ(ApplyRop3(rop, p, s, d), ReferenceRop(rop, p, s, d)) << "index " << index;
    }
    EXPECT_EQ(ApplyRop3(SRCCOPY, p, s, d), s);
    EXPECT_EQ(ApplyRop3(0x00E20746, p, s, d), ((d ^ p) & s) ^ d);
}

TEST(RasterOperation, MonochromeSourceMapsThroughTextAndBackgroundColours)
{
    // With SetTextColor(black) and SetBkColor(white), clear bits become black and keep the
    // destination, set bits become white and take the pattern (brush) colour.
    TBitmap stencil(4, 1, pf1bit);
    stencil.SetPixelRGB(0, 0, 0);
    stencil.SetPixelRGB(2, 0, 0);
    TBitmap dest(4, 1, pf32bit);
    for (int x = 0; x < 4; ++x)
        dest.SetPixelRGB(x, 0, 0x336699);
    TCanvas* c = dest.Canvas();
    c->Brush()->SetColor(RGB(255, 0, 0));
    SetTextColor(c, clBlack);
    SetBkColor(c, clWhite);
    BitBlt(c, 0, 0, 4, 1, stencil.Canvas(), 0, 0, 0x00E20746);
    EXPECT_EQ(dest.PixelRGB(0, 0), 0x336699u);
    EXPECT_EQ(dest.PixelRGB(1, 0), 0xFF0000u);
    EXPECT_EQ(dest.PixelRGB(2, 0), 0x336699u);
    EXPECT_EQ(dest.PixelRGB(3, 0), 0xFF0000u);

    // Other device colours change the mapping of a plain copy.
    SetTextColor(c, RGB(0, 255, 0));
    SetBkColor(c, RGB(0, 0, 255));
    BitBlt(c, 0, 0, 4, 1, stencil.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(dest.PixelRGB(0, 0), 0x00FF00u);
    EXPECT_EQ(dest.PixelRGB(1, 0), 0x0000FFu);
}

TEST(RasterOperation, ColourBitmapMadeMonochromeSetsBitsForTheBackgroundColour)
{
    TBitmap b(3, 1, pf24bit);
    b.SetPixelRGB(0, 0, 0xFFFFFF);
    b.SetPixelRGB(1, 0, 0xFEFFFF);
    b.SetPixelRGB(2, 0, 0x000000);
    b.SetMonochrome(true);
    ASSERT_EQ(b.PixelFormat(), pf1bit);
    EXPECT_EQ(b.ScanLine(0)[0] & 0xE0, 0x80);
}

TEST(Lines, EndPointIsLeftOutAndBecomesThePenPosition)
{
    struct Case { TPoint from, to; std::vector<TPoint> drawn; };
    const Case cases[] = {
        {{0, 0}, {4, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {{2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{1, 1}, {1, 1}, {}},
    };
    for (const Case& k : cases) {
        TBitmap b(5, 5, pf32bit);
        TCanvas* c = b.Canvas();
        c->Pen()->SetColor(clBlack);
        c->MoveTo(k.from.X, k.from.Y);
        c->LineTo(k.to.X, k.to.Y);
        EXPECT_EQ(c->PenPos(), k.to);
        int black = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                black += b.PixelRGB(x, y) == 0;
        EXPECT_EQ(black, static_cast<int>(k.drawn.size()));
        for (TPoint p : k.drawn)
            EXPECT_EQ(b.PixelRGB(p.X, p.Y), 0u) << p.X << "," << p.Y;
    }
}

TEST(Rectangles, OutlineWithPenInsideWithBrushAndFillRectWithoutOutline)
{
    TBitmap b(6, 5, pf32bit);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(b.PixelRGB(1, 1), 0u);
    EXPECT_EQ(b.PixelRGB(4, 3), 0u);
    EXPECT_EQ(b.PixelRGB(2, 2), 0xFF0000u);
    EXPECT_EQ(b.PixelRGB(5, 4), 0xFFFFFFu);

    c->Brush()->SetColor(clBlue);
    c->FillRect({0, 0, 2, 2});
    EXPECT_EQ(b.PixelRGB(1, 1), 0x0000FFu);
    EXPECT_EQ(b.PixelRGB(2, 2), 0xFF0000u);

    // A clear pen leaves no outline: the brush covers the whole rectangle, as a backdrop shape needs.
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(RGB(255, 213, 191));
    c->Rectangle(0, 0, 6, 5);
    EXPECT_EQ(b.PixelRGB(0, 0), 0xFFD5BFu);
    EXPECT_EQ(b.PixelRGB(5, 4), 0xFFD5BFu);
}

TEST(Stretching, PicksOneSourcePixelPerTargetPixelByTruncation)
{
    for (TPixelFormat source : {pf24bit, pf32bit}) {
        TBitmap strip(256, 1, source);
        for (int x = 0; x < 256; ++x)
            strip.SetPixelRGB(x, 0, static_cast<uint32_t>(x * 0x010203));
        for (int width : {7, 100, 255, 256, 300, 1000}) {
            TBitmap target(width, 2, pf32bit);
            target.Canvas()->CopyRect({0, 0, width, 2}, strip.Canvas(), {0, 0, 256, 1});
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(target.PixelRGB(x, 0), static_cast<uint32_t>(x * 256 / width * 0x010203) & 0xFFFFFF)
                    << width << " at " << x;
                ASSERT_EQ(target.PixelRGB(x, 1), target.PixelRGB(x, 0));
            }
        }
    }
}

TEST(Stretching, CopyRectHonoursTheCopyModeAndTheClip)
{
    TBitmap src(2, 2, pf24bit);
    src.Canvas()->Brush()->SetColor(RGB(0x0F, 0xF0, 0x00));
    src.Canvas()->FillRect({0, 0, 2, 2});
    TBitmap dst(4, 4, pf32bit);
    TCanvas clipped(&dst, {1, 1}, {1, 1, 3, 3});  // a control at (1,1), 2x2 pixels
    clipped.SetCopyMode(NOTSRCCOPY);
    clipped.CopyRect({-1, -1, 5, 5}, src.Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(dst.PixelRGB(1, 1), 0xF00FFFu);
    EXPECT_EQ(dst.PixelRGB(2, 2), 0xF00FFFu);
    EXPECT_EQ(dst.PixelRGB(0, 0), 0xFFFFFFu);
    EXPECT_EQ(dst.PixelRGB(3, 3), 0xFFFFFFu);
}

TEST(TransparentDraw, LeavesOutTheTransparentColour)
{
    TBitmap glyph(2, 2, pf32bit);
    glyph.SetPixelRGB(0, 0, 0x112233);
    glyph.SetPixelRGB(1, 0, 0x808000);  // olive, as 0x00RRGGBB
    glyph.SetPixelRGB(0, 1, 0x808000);  // bottom-left: the automatic transparent colour
    glyph.SetPixelRGB(1, 1, 0x445566);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clOlive);

    TBitmap dst(2, 2, pf32bit);
    dst.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(dst.PixelRGB(0, 0), 0x112233u);
    EXPECT_EQ(dst.PixelRGB(1, 0), 0xFFFFFFu);
    EXPECT_EQ(dst.PixelRGB(0, 1), 0xFFFFFFu);
    EXPECT_EQ(dst.PixelRGB(1, 1), 0x445566u);

    glyph.SetTransparentColor(RGB(0x44, 0x55, 0x66) & 0xFFFFFF);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
}

TEST(ScanLines, ByteLayoutsOfTwentyFourAndThirtyTwoBits)
{
    TBitmap b24(3, 2, pf24bit);
    b24.Canvas()->SetPixel(1, 1, RGB(0x10, 0x20, 0x30));
    const uint8_t* row = b24.ScanLine(1);
    EXPECT_EQ(row[3], 0x30);  // blue
    EXPECT_EQ(row[4], 0x20);  // green
    EXPECT_EQ(row[5], 0x10);  // red
    EXPECT_EQ(b24.BytesPerLine(), 12);  // 9 bytes padded to 4
    EXPECT_EQ(b24.ScanLine(2), nullptr);

    TBitmap b32(2, 2, pf32bit);
    b32.Canvas()->SetPixel(1, 0, RGB(0x10, 0x20, 0x30));
    uint32_t v;
    std::memcpy(&v, b32.ScanLine(0) + 4, 4);
    EXPECT_EQ(v, 0x102030u);
    EXPECT_EQ(b32.Canvas()->Pixel(1, 0), RGB(0x10, 0x20, 0x30));
}

TEST(Formats, ConversionsKeepPixelsAndNotifyOncePerChange)
{
    TBitmap b(3, 3, pf24bit);
    b.SetPixelRGB(2, 2, 0xABCDEF);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetHandleType(bmDIB);  // already device-independent: nothing happens
    b.SetPixelFormat(pf32bit);
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.PixelRGB(2, 2), 0xABCDEFu);
    b.SetSize(5, 2);
    EXPECT_EQ(b.PixelRGB(2, 1), 0xFFFFFFu);
    EXPECT_EQ(changes, 2);

    TBitmap copy;
    copy.Assign(&b);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
}
