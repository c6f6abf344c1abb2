// Formatting: what DrawText measures, where it puts the text and what it leaves alone.
#include "tests/text/TextFixture.h"

namespace {

class DrawText : public TextFixture {};

// The rectangle DT_CALCRECT gives, as widths of plain texts and a number of lines.
TEST_F(DrawText, CalcRectMeasuresLinesAndWidths)
{
    const int32_t h = LineH();
    const int32_t tab = [&] {
        TTextMetric tm{};
        GetTextMetricsA(&C(), &tm);
        return 8 * tm.tmAveCharWidth;
    }();
    struct Case {
        std::string Text;
        uint32_t Format;
        int32_t Width;
        int Lines;
    } cases[] = {
        {Sjis("10月"), 0, W("10") + W(Sjis("月")), 1},
        {Sjis("みずがめ"), 0, W(Sjis("みず")) + W(Sjis("がめ")), 1},
        {"ab\r\ncdef", 0, W("cdef"), 2},
        {"abcd\rx", 0, W("abcd"), 2},
        {"ab\ncd\n\nx", 0, W("ab"), 4},
        {"ab\n", 0, W("ab"), 1},  // a break that ends the text opens no line
        {"", 0, 0, 0},
        {"ab\r\ncd", DT_SINGLELINE, W("abcd"), 1},  // no line breaks: CR and LF take no room
        {"a very long line that is wider than the rectangle", 0, W("a very long line that is wider than the rectangle"), 1},
        {"&File", 0, W("File"), 1},
        {"&File", DT_NOPREFIX, W("&File"), 1},
        {"a&&b", 0, W("a&b"), 1},
        {"ab&", 0, W("ab"), 1},  // a final lone "&" shows nothing
        {"& ", 0, W(" "), 1},    // the caption of a lone "&", as the label measures it
        {"a\tb", DT_EXPANDTABS, tab + W("b"), 1},
        {"abcdefghijklmnop\tb", DT_EXPANDTABS, (W("abcdefghijklmnop") / tab + 1) * tab + W("b"), 1},
        {"a\tb", 0, W("ab"), 1},  // a tab is no character of its own without DT_EXPANDTABS
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Cp932ToUtf8(c.Text) + " format " + std::to_string(c.Format));
        const TRect r = Calc(c.Text, c.Format);
        EXPECT_EQ(r.Left, 10);
        EXPECT_EQ(r.Top, 20);
        EXPECT_EQ(r.Width(), c.Width);
        EXPECT_EQ(r.Height(), c.Lines * h);
        TRect again{10, 20, 110, 20};
        EXPECT_EQ(DrawTextA(&C(), c.Text.c_str(), static_cast<int>(c.Text.size()), &again, c.Format | DT_CALCRECT),
                  c.Lines * h);
    }
    EXPECT_EQ(Ink(), TRect{}) << "DT_CALCRECT draws nothing";
}

TEST_F(DrawText, WordBreakWrapsAtBlanksAndBetweenDoubleByteCharacters)
{
    auto widest = [&](std::initializer_list<std::string> parts) {
        int32_t w = 0;
        for (const std::string& p : parts)
            w = std::max(w, W(p));
        return w;
    };
    struct Case {
        std::string Text;
        int32_t RectWidth;
        int32_t Width;
        int Lines;
    } cases[] = {
        {"aaa bbb", W("aaa b"), widest({"aaa", "bbb"}), 2},  // the blank at the break is dropped
        {"aaa bbb", W("aaa bbb"), W("aaa bbb"), 1},
        {"aaa    bbb ccc", W("aaa"), widest({"aaa", "bbb", "ccc"}), 3},
        {"abcdefghij", 10, W("abcdefghij"), 1},  // a word wider than the line stays whole
        {Sjis("みずがめ"), widest({Sjis("みず"), Sjis("がめ")}), widest({Sjis("みず"), Sjis("がめ")}), 2},
        // One character a line, never half of one.
        {Sjis("みずがめ"), 1, widest({Sjis("み"), Sjis("ず"), Sjis("が"), Sjis("め")}), 4},
        // Breaks fall around double-byte characters, not between the digits.
        {Sjis("10月10日"), W("10"), widest({"10", Sjis("月"), Sjis("日")}), 4},
        {"ab\ncd ef", W("cd"), widest({"ab", "cd", "ef"}), 3},
        {"aaa bbb", 0, widest({"aaa", "bbb"}), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Cp932ToUtf8(c.Text) + " in " + std::to_string(c.RectWidth));
        const TRect r = Calc(c.Text, DT_WORDBREAK, {0, 0, c.RectWidth, 0});
        EXPECT_EQ(r.Height(), c.Lines * LineH());
        EXPECT_EQ(r.Width(), c.Width);
    }
    // DT_SINGLELINE outranks DT_WORDBREAK.
    EXPECT_EQ(Calc("aaa bbb", DT_WORDBREAK | DT_SINGLELINE, {0, 0, 5, 0}).Height(), LineH());
}

TEST_F(DrawText, WrappedLinesAreDrawnWhereTheyWereMeasured)
{
    const std::string text = Sjis("みずがめ座");
    const int32_t width = std::max(W(Sjis("みず")), W(Sjis("がめ")));
    const TRect r = Calc(text, DT_WORDBREAK, {5, 5, 5 + width, 5});
    Draw(text, {5, 5, 5 + width, 100}, DT_WORDBREAK);
    EXPECT_EQ(r.Height(), 3 * LineH());
    const TRect ink = Ink();
    EXPECT_TRUE(Inside(ink, r)) << ink << " not inside " << r;
    EXPECT_GT(InkCount({r.Left, r.Top + 2 * LineH(), r.Right, r.Bottom}), 0) << "the third line is drawn";
}

// Placement by the alignment flags: the ink of a single line moves with the rectangle's edges.
TEST_F(DrawText, AlignmentFlagsPlaceTheLine)
{
    const std::string text = "Hg";
    const int32_t w = W(text), h = LineH();
    Draw(text, {0, 0, 200, 100}, DT_LEFT);
    const TRect base = Ink();  // ink of the line drawn at (0, 0)
    ASSERT_FALSE(base.IsEmpty());
    const TRect rect{20, 10, 220, 110};
    struct Case {
        uint32_t Format;
        int32_t X, Y;
        int Returned;
    } cases[] = {
        {DT_LEFT, 20, 10, h},
        {DT_CENTER, (20 + 220 - w) / 2, 10, h},
        {DT_RIGHT, 220 - w, 10, h},
        {DT_VCENTER, 20, 10, h},  // needs DT_SINGLELINE
        {DT_BOTTOM, 20, 10, h},
        {DT_SINGLELINE | DT_VCENTER, 20, (10 + 110 - h) / 2, (10 + 110 - h) / 2 - 10 + h},
        {DT_SINGLELINE | DT_BOTTOM, 20, 110 - h, 100},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, (20 + 220 - w) / 2, (10 + 110 - h) / 2, (10 + 110 - h) / 2 - 10 + h},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 220 - w, 110 - h, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("format " + std::to_string(c.Format));
        Reset();
        EXPECT_EQ(Draw(text, rect, c.Format), c.Returned);
        const TRect ink = Ink();
        EXPECT_EQ(ink.Left - base.Left, c.X);
        EXPECT_EQ(ink.Top - base.Top, c.Y);
        EXPECT_EQ(ink.Width(), base.Width());
    }
}

TEST_F(DrawText, ClipsToTheRectangleUnlessNoClip)
{
    const std::string text = "WWWWWWWW";
    const TRect small{10, 10, 10 + W("WW"), 10 + LineH() / 2};
    Draw(text, small, DT_LEFT);
    EXPECT_FALSE(Ink().IsEmpty());
    EXPECT_TRUE(Inside(Ink(), small)) << Ink();

    Reset();
    Draw(text, small, DT_LEFT | DT_NOCLIP);
    EXPECT_GT(Ink().Right, small.Right + W("WWWW"));
    EXPECT_GT(Ink().Bottom, small.Bottom);

    // The canvas's own clip holds even with DT_NOCLIP.
    Reset();
    TCanvas part(&Bmp, {50, 40}, {50, 40, 80, 50});
    part.Font()->Assign(&Font());
    part.Brush()->SetStyle(bsClear);
    TRect r{-20, -5, 200, 100};
    DrawTextA(&part, text.c_str(), -1, &r, DT_NOCLIP);
    EXPECT_FALSE(Ink().IsEmpty());
    EXPECT_TRUE(Inside(Ink(), {50, 40, 80, 50})) << Ink();
}

TEST_F(DrawText, PrefixUnderlinesTheNextCharacter)
{
    const int32_t h = LineH();
    const TRect rect{10, 10, 200, 10 + h};
    // "&&" is one "&", drawn exactly as without prefix handling.
    EXPECT_EQ(Drawing("a&&b", rect, 0), Drawing("a&b", rect, DT_NOPREFIX));
    EXPECT_EQ(Drawing("ab&", rect, 0), Drawing("ab", rect, 0));

    // "&x": the same glyphs as without the "&", plus a line under the whole of x (a double-byte
    // character too) and nothing else; the prefix takes no room.
    struct Case {
        std::string Marked, Plain, Before, Underlined;
    } cases[] = {
        {"a&b", "ab", "a", "b"},
        {Sjis("1&月"), Sjis("1月"), "1", Sjis("月")},
        {Sjis("&みず"), Sjis("みず"), "", Sjis("み")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Cp932ToUtf8(c.Marked));
        EXPECT_EQ(Calc(c.Marked, 0).Width(), W(c.Plain));
        const auto plain = Drawing(c.Plain, rect, 0);
        const auto marked = Drawing(c.Marked, rect, 0);
        TRect changed{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (size_t i = 0; i < plain.size(); ++i)
            if (plain[i] != marked[i]) {
                const int32_t x = static_cast<int32_t>(i % Bmp.Width()), y = static_cast<int32_t>(i / Bmp.Width());
                changed = {std::min(changed.Left, x), std::min(changed.Top, y), std::max(changed.Right, x + 1),
                           std::max(changed.Bottom, y + 1)};
                EXPECT_EQ(marked[i], 0u) << "solid underline";
            }
        EXPECT_EQ(changed.Left, 10 + W(c.Before));
        EXPECT_EQ(changed.Right, 10 + W(c.Before) + W(c.Underlined));
        EXPECT_GT(changed.Top, 10 + h / 2) << "under the character, inside the cell";
        EXPECT_LE(changed.Bottom, 10 + h);
    }

    // The label's caption for a lone "&": "& " draws an underlined blank.
    Reset();
    Draw("& ", rect, 0);
    const TRect ink = Ink();
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Height(), 2) << "only the underline";
    EXPECT_EQ(ink.Left, 10);
    EXPECT_LE(ink.Right, 10 + W(" "));
}

// Ellipses: the result is the same drawing as the shortened text written out.
TEST_F(DrawText, EllipsesShortenLinesThatDoNotFit)
{
    struct Case {
        std::string Text;
        uint32_t Format;
        std::string Shown;  // what fits, written out
    } cases[] = {
        {"abcdefghij", DT_END_ELLIPSIS, "abcd..."},
        {"abcdefghij", DT_END_ELLIPSIS, "abcdefghij"},  // fits: unchanged (rect = its own width)
        {Sjis("みずがめ座の星"), DT_END_ELLIPSIS, Sjis("みずが...")},
        {"C:\\Program Files\\Board\\tirora.exe", DT_PATH_ELLIPSIS, "C:\\Progr...\\tirora.exe"},
        {"C:\\a\\verylongfilename.jpg", DT_PATH_ELLIPSIS, "...\\verylongfilename.jpg"},
        // 0x5C in the trail byte of a double-byte character is no "\".
        {Sjis("D:\\表示\\ソフト\\ab.bmp"), DT_PATH_ELLIPSIS, Sjis("D:\\表...\\ab.bmp")},
        // Without a "\" the middle gives way.
        {"abcdefghijkl", DT_PATH_ELLIPSIS, "abc...jkl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Cp932ToUtf8(c.Text) + " -> " + Cp932ToUtf8(c.Shown));
        const TRect rect{5, 5, 5 + W(c.Shown), 5 + LineH()};
        EXPECT_EQ(Calc(c.Text, c.Format, {5, 5, rect.Right, 5}).Width(), W(c.Shown));
        EXPECT_EQ(Drawing(c.Text, rect, c.Format), Drawing(c.Shown, rect, DT_NOPREFIX));
    }
    // When not even "..." fits, "..." is what is left (clipped).
    EXPECT_EQ(Calc("abcdefghij", DT_END_ELLIPSIS, {0, 0, 2, 0}).Width(), W("..."));
    // With DT_WORDBREAK, only the word that cannot fit a line is shortened.
    const TRect wrapped = Calc("ab abcdefghij", DT_WORDBREAK | DT_END_ELLIPSIS, {0, 0, W("abcd..."), 0});
    EXPECT_EQ(wrapped.Height(), 2 * LineH());
    EXPECT_EQ(wrapped.Width(), W("abcd..."));
}

TEST_F(DrawText, FontColourChangesOnlyTheTextPixels)
{
    const TRect rect{10, 10, 200, 60};
    const std::string text = Sjis("10月 みずがめ");
    const auto black = Drawing(text, rect, DT_CENTER);
    Reset();
    Font().SetColor(clRed);
    Draw(text, rect, DT_CENTER);
    const auto red = Pixels();
    int inked = 0;
    for (size_t i = 0; i < black.size(); ++i) {
        // Where black left the background, red does too; where black inked, red inks.
        EXPECT_EQ(black[i] == 0xFFFFFF, red[i] == 0xFFFFFF) << i;
        if (black[i] != 0xFFFFFF) {
            ++inked;
            const uint32_t g = black[i] & 0xFF;  // grey level of the black drawing: the coverage
            EXPECT_EQ((red[i] >> 16) & 0xFF, 0xFFu) << i;
            EXPECT_EQ(red[i] & 0xFF, g) << i;
        }
    }
    EXPECT_GT(inked, 50);
}

TEST_F(DrawText, BrushDecidesTheBackground)
{
    const std::string text = "Ab";
    // Clear brush: only glyph pixels change.
    TextOut(C(), 10, 10, text);
    EXPECT_LT(InkCount({10, 10, 10 + W(text), 10 + LineH()}), W(text) * LineH() / 2);
    EXPECT_EQ(C().PenPos(), (TPoint{10 + W(text), 10}));

    // Solid brush: the whole text cell takes the brush colour, text on top, nothing beyond.
    Reset();
    C().Brush()->SetColor(clYellow);
    TextOut(C(), 10, 10, text);
    const TRect cell{10, 10, 10 + W(text), 10 + LineH()};
    EXPECT_EQ(Ink(), cell);
    EXPECT_EQ(Bmp.PixelRGB(cell.Left, cell.Top), 0xFFFF00u);
    EXPECT_EQ(Bmp.PixelRGB(cell.Right - 1, cell.Bottom - 1), 0xFFFF00u);

    // DrawText with a solid brush fills each line's cell, inside the formatting rectangle.
    Reset();
    C().Brush()->SetColor(clYellow);
    Draw("ab\nabc", {10, 10, 200, 100}, DT_RIGHT);
    EXPECT_EQ(Ink(), (TRect{200 - W("abc"), 10, 200, 10 + 2 * LineH()}));
    EXPECT_EQ(Bmp.PixelRGB(200 - W("abc"), 10), 0xFFFFFFu) << "the first line is shorter";
}

TEST_F(DrawText, BadArgumentsDrawNothing)
{
    TRect r{0, 0, 100, 100};
    EXPECT_EQ(DrawTextA(nullptr, "a", -1, &r, 0), 0);
    EXPECT_EQ(DrawTextA(&C(), "a", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(&C(), nullptr, 5, &r, 0), 0);
    EXPECT_EQ(DrawTextA(&C(), "a", -7, &r, 0), 0);
    EXPECT_EQ(DrawTextA(&C(), "abc", 0, &r, 0), 0);
    EXPECT_EQ(r, (TRect{0, 0, 100, 100}));
    TTextMetric tm{};
    EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));
    EXPECT_FALSE(GetTextMetricsA(&C(), nullptr));
    EXPECT_EQ(Ink(), TRect{});

    // A lead byte cut off at the end is one character; an explicit length stops before the NUL.
    const char cut[] = {'a', static_cast<char>(0x8C), 0};
    EXPECT_EQ(DrawTextA(&C(), cut, 2, &r, 0), LineH());
    const char withNul[] = {'a', 0, 'b'};
    EXPECT_EQ(Calc(std::string(withNul, 3), 0).Width(), W("ab"));

    // Far-away rectangles and extreme sizes neither crash nor draw.
    Reset();
    TRect far{INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, INT32_MAX};
    Draw("far away", far, DT_NOCLIP | DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect calc = far;
    DrawTextA(&C(), "far away", -1, &calc, DT_CALCRECT);
    EXPECT_EQ(calc.Right, INT32_MAX);
    TRect neg{INT32_MIN, INT32_MIN, INT32_MIN + 5, INT32_MIN + 5};
    Draw("far away", neg, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(Ink(), TRect{});
    for (int32_t height : {INT32_MIN, -1, 0, 1, INT32_MAX}) {
        Font().SetHeight(height);
        EXPECT_TRUE(GetTextMetricsA(&C(), &tm));
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_LE(tm.tmHeight, 4096);
        Draw("x", {0, 0, 10, 10}, 0);
    }
}

} // namespace
