#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ShadoLbl/ShadowLabel.h"
#include "platform/controls/Form.h"
#include "platform/core/Cp932.h"
#include "platform/text/DrawText.h"

namespace {

constexpr uint32_t Yellow = 0xFFFF00, White = 0xFFFFFF, Black = 0x000000;
constexpr uint32_t Red = 0xFF0000, Lime = 0x00FF00, Blue = 0x0000FF, Silver = 0xC0C0C0, Gray = 0x808080;

// A yellow form holding one shadow label with a large bold font, so that every glyph has pixels
// fully covered by its colour. The shadow and highlight are hidden unless a test shows them.
class ShadowLabelPaint : public ::testing::Test {
protected:
    ShadowLabelPaint() : Form(nullptr)
    {
        Form.SetBounds(0, 0, 320, 120);
        Form.SetColor(clYellow);
        Label = new TShadowLabel(&Form);
        Label->SetParent(&Form);
        Label->Font()->SetName(Sjis("ＭＳ Ｐゴシック"));
        Label->Font()->SetHeight(-40);
        Label->Font()->SetStyle(fsBold);
        Label->Font()->SetColor(clBlack);
        Label->SetColor(clWhite);
        Label->Shadow()->SetShadowVisible(false);
        Label->Highlight()->SetShadowVisible(false);
    }

    void Paint() { Form.Repaint(); }
    uint32_t Px(int x, int y) { return Form.BackBuffer()->PixelRGB(x, y); }
    TBitmap& Buffer() { return *Form.BackBuffer(); }

    // Pixels of exactly this colour within area (form coordinates).
    int Count(uint32_t rgb, TRect area)
    {
        int n = 0;
        for (int y = std::max(0, area.Top); y < std::min(area.Bottom, Form.BackBuffer()->Height()); ++y)
            for (int x = std::max(0, area.Left); x < std::min(area.Right, Form.BackBuffer()->Width()); ++x)
                n += Px(x, y) == rgb;
        return n;
    }
    // Pixels within area that are neither of the two given colours.
    int Other(TRect area, uint32_t a, uint32_t b)
    {
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                n += Px(x, y) != a && Px(x, y) != b;
        return n;
    }

    // Where each character of text lies when drawn one by one from x = 0 in the label's font.
    std::vector<TRect> CharacterCells(const std::string& text)
    {
        TBitmap scratch(1, 1);
        TCanvas& c = *scratch.Canvas();
        c.SetFont(Label->Font());
        TTextMetric tm{};
        GetTextMetricsA(&c, &tm);
        std::vector<TRect> cells;
        int32_t x = 0;
        for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
            const int32_t w = TextWidth(c, text.substr(i, CharLength(text, i))) - tm.tmOverhang;
            cells.push_back({Label->Left() + x, Label->Top(), Label->Left() + x + w, Label->Top() + Label->Height()});
            x += w;
        }
        return cells;
    }

    // Each character's cell holds fully covered pixels of its own colour and of none of the others.
    void ExpectCharacterColours(const std::string& text, const std::vector<uint32_t>& colours,
                                const std::vector<uint32_t>& palette)
    {
        const std::vector<TRect> cells = CharacterCells(text);
        ASSERT_EQ(cells.size(), colours.size());
        for (size_t i = 0; i < cells.size(); ++i)
            for (uint32_t c : palette) {
                if (c == colours[i])
                    EXPECT_GT(Count(c, cells[i]), 10) << "character " << i << " colour " << std::hex << c;
                else
                    EXPECT_EQ(Count(c, cells[i]), 0) << "character " << i << " colour " << std::hex << c;
            }
    }

    TForm Form;
    TShadowLabel* Label;
};

uint32_t Grey(int level) { return static_cast<uint32_t>(level * 0x010101); }

}  // namespace

TEST_F(ShadowLabelPaint, TwoColourGradientStepsByTruncationInBothDirections)
{
    struct Case {
        TColor from, to;
        std::vector<int> levels;
    };
    const Case cases[] = {
        {clBlack, clWhite, {0, 63, 127, 191, 255}},
        {clWhite, clBlack, {255, 191, 127, 63, 0}},
    };
    Label->SetColor(clRed);  // no grey comes from blending a grey glyph with red
    Label->SetCaption("HHHHH");
    Label->SetTextGradation(tg2Colors);
    for (const Case& c : cases) {
        Label->Font()->SetColor(c.from);
        Label->SetTextGradationColor(c.to);
        Paint();
        std::vector<uint32_t> colours, palette;
        for (int level : c.levels)
            colours.push_back(Grey(level));
        ExpectCharacterColours("HHHHH", colours, colours);
    }
}

// Three colours split the bytes in half without cutting a character; a one-character remainder
// takes the end colour alone.
TEST_F(ShadowLabelPaint, ThreeColourGradientSplitsTheCaption)
{
    struct Case {
        const char* caption;
        std::vector<uint32_t> colours;
    };
    const Case cases[] = {
        {"ab", {Red, Blue}},
        {"abc", {Red, Lime, Blue}},
        {"abcd", {Red, Lime, Lime, Blue}},
        {"10月", {Red, Lime, Blue}},
        // Byte 4 is the trail byte of the second 月 (0x8E, a value that also starts characters).
        {"月月月月", {Red, Lime, Lime, Blue}},
    };
    Label->Font()->SetColor(clRed);
    Label->SetTextMidColor(clLime);
    Label->SetTextGradationColor(clBlue);
    Label->SetTextGradation(tg3Colors);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const std::string text = Sjis(c.caption);
        Label->SetCaption(text);
        Paint();
        ExpectCharacterColours(text, c.colours, {Red, Lime, Blue});
    }
}

TEST_F(ShadowLabelPaint, MonthCharacterFollowsTheSecondDigit)
{
    const std::string text = Sjis("10月");
    Label->SetCaption(text);
    Label->SetAutoSize(false);
    Label->SetWidth(300);
    Label->Font()->SetColor(clRed);
    Label->SetTextMidColor(clLime);
    Label->SetTextGradationColor(clBlue);
    Label->SetTextGradation(tg3Colors);
    Paint();
    const std::vector<TRect> cells = CharacterCells(text);
    TRect month = cells[2];
    // All of the blue ink lies in the cell right after the digits, none of it further right.
    const int inCell = Count(Blue, month);
    EXPECT_GT(inCell, 10);
    EXPECT_EQ(Count(Blue, {0, 0, 320, 120}), inCell);
}

// Graded characters are laid one after another from the left edge; the alignment still places
// the shadow, which is drawn as a whole.
TEST_F(ShadowLabelPaint, GradedTextStartsAtTheLeftWhileTheShadowIsCentred)
{
    Label->SetCaption("HH");
    Label->SetAutoSize(false);
    Label->SetBounds(0, 0, 300, 60);
    Label->SetAlignment(taCenter);
    Label->Font()->SetColor(clRed);
    Label->SetTextGradationColor(clBlue);
    Label->SetTextGradation(tg2Colors);
    Label->Shadow()->SetShadowVisible(true);
    Label->Shadow()->SetShadowColor(clLime);
    Paint();
    const std::vector<TRect> cells = CharacterCells("HH");
    const TRect graded{0, 0, cells[1].Right, 60}, middle{100, 0, 200, 60};
    EXPECT_GT(Count(Red, graded), 10);
    EXPECT_GT(Count(Blue, graded), 10);
    EXPECT_EQ(Count(Lime, graded), 0);
    EXPECT_GT(Count(Lime, middle), 10);
    EXPECT_EQ(Count(Red, middle) + Count(Blue, middle), 0);
}

TEST_F(ShadowLabelPaint, OneCharacterCaptionIsPlainTextEvenWhenGraded)
{
    Label->SetCaption("H");
    Label->Font()->SetColor(clRed);
    Label->SetTextGradationColor(clBlue);
    for (TTextGradation g : {tg2Colors, tg3Colors}) {
        Label->SetTextGradation(g);
        Label->SetEnabled(true);
        Paint();
        EXPECT_GT(Count(Red, Label->BoundsRect()), 10);
        EXPECT_EQ(Count(Blue, Label->BoundsRect()), 0);
        Label->SetEnabled(false);  // plain text takes the disabled colour
        Paint();
        EXPECT_EQ(Count(Red, Label->BoundsRect()), 0);
        EXPECT_GT(Count(Gray, Label->BoundsRect()), 10);
    }
}

// The shadow, highlight and main passes side by side, each in the colour of the enabled state.
TEST_F(ShadowLabelPaint, PassColoursFollowTheEnabledState)
{
    struct Case {
        bool enabled, shadowVisible;
        uint32_t shadow, highlight, text;
    };
    const Case cases[] = {
        {true, true, Red, Blue, Lime},
        {false, true, Gray, White, Gray},
        {false, false, Black, White, Gray},  // hidden shadow: its place keeps the background
    };
    Label->SetCaption("H");
    Label->SetAutoSize(false);
    Label->SetBounds(0, 0, 300, 60);
    Label->SetColor(clBlack);
    Label->Font()->SetColor(clLime);
    Label->Shadow()->SetShadowColor(clRed);
    Label->Shadow()->SetShadowLeft(100);
    Label->Shadow()->SetShadowTop(0);
    Label->Highlight()->SetShadowVisible(true);
    Label->Highlight()->SetShadowColor(clBlue);
    Label->Highlight()->SetShadowLeft(200);
    Label->Highlight()->SetShadowTop(0);
    for (const Case& c : cases) {
        Label->SetEnabled(c.enabled);
        Label->Shadow()->SetShadowVisible(c.shadowVisible);
        Paint();
        const TRect text{0, 0, 100, 60}, shadow{100, 0, 200, 60}, highlight{200, 0, 300, 60};
        EXPECT_GT(Count(c.text, text), 10);
        EXPECT_GT(Count(c.highlight, highlight), 10);
        if (c.shadowVisible)
            EXPECT_GT(Count(c.shadow, shadow), 10);
        else
            EXPECT_EQ(Count(Black, shadow), 100 * 60);
    }
}

TEST_F(ShadowLabelPaint, VerticalBackgroundGradientIsTheSameBufferedOrNot)
{
    Label->SetCaption("");
    Label->SetAutoSize(false);
    Label->SetBounds(10, 20, 8, 5);
    Label->SetGradation(true);
    Label->SetGradateVert(true);
    Label->SetGradationColor(clBlue);
    Label->SetColor(clWhite);
    const int levels[] = {0, 63, 127, 191, 255};
    for (bool flickerless : {true, false}) {
        SCOPED_TRACE(flickerless);
        Label->SetFlickerless(flickerless);
        Paint();
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(Px(10 + x, 20 + y), static_cast<uint32_t>(levels[y] << 16 | levels[y] << 8 | 0xFF));
        EXPECT_EQ(Px(9, 20), Yellow);
        EXPECT_EQ(Px(10, 25), Yellow);
    }
}

// The buffer is only a way of getting the same picture to the screen at once.
TEST_F(ShadowLabelPaint, BufferedAndDirectPaintingGiveTheSamePixels)
{
    Label->SetCaption(Sjis("影の10月"));
    Label->SetAutoSize(false);
    Label->SetBounds(5, 7, 230, 70);
    Label->SetLayout(tlCenter);
    Label->SetAlignment(taCenter);
    Label->Shadow()->SetShadowVisible(true);
    Label->Highlight()->SetShadowVisible(true);
    Label->SetTextGradation(tg3Colors);
    Label->SetGradation(true);
    Label->SetColor(clTeal);
    for (bool vertical : {false, true}) {
        Label->SetGradateVert(vertical);
        std::vector<uint32_t> pictures[2];
        for (bool flickerless : {false, true}) {
            Label->SetFlickerless(flickerless);
            Paint();
            for (int y = 0; y < 120; ++y)
                for (int x = 0; x < 320; ++x)
                    pictures[flickerless].push_back(Px(x, y));
        }
        EXPECT_TRUE(pictures[0] == pictures[1]) << "vertical " << vertical;
    }
}

TEST_F(ShadowLabelPaint, TransparentLabelDrawsOnlyItsTextOverTheParent)
{
    Label->SetCaption("H");
    Label->SetColor(clRed);
    Label->SetFlickerless(true);
    Label->SetTransparent(true);
    Paint();
    const TRect area = Label->BoundsRect();
    EXPECT_EQ(Count(Red, area), 0);
    EXPECT_GT(Count(Yellow, area), area.Width() * area.Height() / 2);
    EXPECT_GT(Count(Black, area), 10);

    Label->SetTransparent(false);
    Paint();
    EXPECT_EQ(Count(Yellow, area), 0);
    EXPECT_GT(Count(Red, area), area.Width() * area.Height() / 2);
}

// An empty caption still takes a line of height and draws nothing; a lone "&" is drawn as "& ",
// which underlines the space.
TEST_F(ShadowLabelPaint, EmptyCaptionAndLoneAmpersand)
{
    Label->SetAutoSize(false);
    Label->SetBounds(0, 0, 100, 60);
    Label->SetCaption("");
    Paint();
    EXPECT_EQ(Count(White, Label->BoundsRect()), 100 * 60);

    Label->SetCaption("&");
    Paint();
    EXPECT_GT(Other(Label->BoundsRect(), White, White), 0) << "the underline of the appended space";
    TRect glyphs{0, 0, 100, 60};
    const int withPrefix = Count(Black, glyphs);
    Label->SetShowAccelChar(false);  // "&" is then an ordinary character
    Paint();
    EXPECT_GT(Count(Black, glyphs), withPrefix);
}

// Offsets read from a form description can be anything; a copy moved that far lies outside the
// label and is not drawn at all, rather than wrapping around to somewhere inside it.
TEST_F(ShadowLabelPaint, ExtremeOffsetsMoveTheCopiesOutOfSight)
{
    Label->SetCaption("H");
    Label->SetLayout(tlBottom);
    Paint();
    std::vector<uint32_t> plain;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 320; ++x)
            plain.push_back(Px(x, y));

    Label->Shadow()->SetShadowVisible(true);
    Label->Shadow()->SetShadowLeft(INT32_MAX);
    Label->Shadow()->SetShadowTop(INT32_MAX);
    Label->Highlight()->SetShadowVisible(true);
    Label->Highlight()->SetShadowLeft(INT32_MIN);
    Label->Highlight()->SetShadowTop(INT32_MIN);
    Paint();
    std::vector<uint32_t> moved;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 320; ++x)
            moved.push_back(Px(x, y));
    EXPECT_TRUE(moved == plain);
}

// A label with no area, or on no form at all, has nowhere to draw; painting it changes nothing.
TEST_F(ShadowLabelPaint, LabelWithoutAreaDrawsNothing)
{
    Label->SetCaption("H");
    Label->SetAutoSize(false);
    Label->SetGradation(true);
    Label->Shadow()->SetShadowVisible(true);
    for (TRect bounds : {TRect{10, 10, 10, 50}, TRect{10, 10, 50, 10}}) {
        Label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        for (bool flickerless : {true, false}) {
            Label->SetFlickerless(flickerless);
            Paint();
            EXPECT_EQ(Count(Yellow, {0, 0, 320, 120}), 320 * 120);
        }
    }
    TShadowLabel loose(nullptr);
    loose.SetCaption("H");
    loose.Paint();
    loose.SetTransparent(true);
    loose.Paint();
}

namespace {

// The label's area of the back buffer next to a reference drawn straight with DrawTextA.
class ShadowLabelReference : public ShadowLabelPaint {
protected:
    ShadowLabelReference() : Reference(1, 1, pf24bit)
    {
        Label->SetAutoSize(false);
        Label->SetBounds(3, 4, 120, 60);
        Label->Font()->SetHeight(-16);
        Label->Font()->SetStyle(0);
    }

    // A background of the label's size.
    void StartReference(TColor background)
    {
        Reference.SetSize(Label->Width(), Label->Height());
        TCanvas& c = *Reference.Canvas();
        c.Brush()->SetColor(background);
        c.FillRect(Label->ClientRect());
        c.Brush()->SetStyle(bsClear);
        c.SetFont(Label->Font());
    }
    void DrawReference(const std::string& text, TColor color, int dx, int dy, uint32_t flags)
    {
        Reference.Canvas()->Font()->SetColor(color);
        TRect r = Label->ClientRect();
        OffsetRect(&r, dx, dy);
        DrawTextA(Reference.Canvas(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    // Pixels of the label that differ from the reference.
    int Differences()
    {
        int n = 0;
        for (int y = 0; y < Label->Height(); ++y)
            for (int x = 0; x < Label->Width(); ++x)
                n += Px(Label->Left() + x, Label->Top() + y) != Reference.PixelRGB(x, y);
        return n;
    }

    TBitmap Reference;
};

}  // namespace

// Every setting that shapes the text reaches DrawText as its flag.
TEST_F(ShadowLabelReference, SettingsBecomeTheTextFormatFlags)
{
    struct Case {
        const char* name;
        const char* caption;
        std::function<void(TShadowLabel&)> set;
        uint32_t flags;
    };
    const Case cases[] = {
        {"plain", "a\tb &Save", [](TShadowLabel&) {}, 0},
        {"right", "right", [](TShadowLabel& l) { l.SetAlignment(taRightJustify); }, DT_RIGHT},
        {"centre", "centre", [](TShadowLabel& l) { l.SetAlignment(taCenter); }, DT_CENTER},
        {"word wrap", "several words to wrap here", [](TShadowLabel& l) { l.SetWordWrap(true); }, DT_WORDBREAK},
        {"no prefix", "&Save && go", [](TShadowLabel& l) { l.SetShowAccelChar(false); }, DT_NOPREFIX},
        {"end ellipsis", "a caption far too long to fit", [](TShadowLabel& l) { l.SetEllipsis(elEnd); }, DT_END_ELLIPSIS},
        {"path ellipsis", "C:\\Pictures\\Holidays\\beach.jpg", [](TShadowLabel& l) { l.SetEllipsis(elPath); },
         DT_PATH_ELLIPSIS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Label->SetAlignment(taLeftJustify);
        Label->SetWordWrap(false);
        Label->SetShowAccelChar(true);
        Label->SetEllipsis(elNone);
        Label->SetCaption(c.caption);
        c.set(*Label);
        Paint();
        StartReference(clWhite);
        DrawReference(c.caption, clBlack, 0, 0, DT_EXPANDTABS | c.flags);
        EXPECT_EQ(Differences(), 0);
        if (c.flags) {  // and the flag makes a difference here
            StartReference(clWhite);
            DrawReference(c.caption, clBlack, 0, 0, DT_EXPANDTABS);
            EXPECT_GT(Differences(), 0);
        }
    }
}

// What the board shows: a transparent caption over its tile with the default silver shadow.
TEST_F(ShadowLabelReference, BoardCaptionIsTheTextOverASilverCopyOnePixelRightAndDown)
{
    Label->Font()->SetStyle(fsBold);
    Label->SetTransparent(true);
    Label->Shadow()->SetShadowVisible(true);
    Label->SetCaption("10:00");
    Paint();
    StartReference(clYellow);
    DrawReference("10:00", clSilver, 1, 1, DT_EXPANDTABS);
    DrawReference("10:00", clBlack, 0, 0, DT_EXPANDTABS);
    EXPECT_EQ(Differences(), 0);
    EXPECT_GT(Count(Silver, Label->BoundsRect()), 0);
}

// The text moves by (Height - text height) / 2 or by the whole difference, cut toward zero, also
// upward when the text is taller than the label.
TEST_F(ShadowLabelReference, LayoutMovesTheTextByTheTruncatedRoom)
{
    Label->SetCaption("H");
    Paint();
    StartReference(clWhite);
    TRect measured{0, 0, 120, 0};
    DrawTextExA(Reference.Canvas(), "H", 1, &measured, DT_EXPANDTABS | DT_CALCRECT, nullptr);
    const int lineHeight = measured.Height();

    struct Case {
        TTextLayout layout;
        int room, offset;
    };
    const Case cases[] = {{tlTop, 9, 0}, {tlCenter, 9, 4}, {tlBottom, 9, 9}, {tlCenter, -7, -3}, {tlBottom, -7, -7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << " room " << c.room);
        Label->SetLayout(c.layout);
        Label->SetHeight(lineHeight + c.room);
        Paint();
        StartReference(clWhite);
        DrawReference("H", clBlack, 0, c.offset, DT_EXPANDTABS);
        EXPECT_EQ(Differences(), 0);
    }
}
