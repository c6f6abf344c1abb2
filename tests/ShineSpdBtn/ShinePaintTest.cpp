#include <gtest/gtest.h>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "tests/ShineSpdBtn/PixelMap.h"
#include "tests/ShineSpdBtn/ShineFixture.h"

namespace {

constexpr uint32_t Face = 0xC0C0C0;     // clBtnFace
constexpr uint32_t Pressed = 0xFFFFFF;  // clBtnHighlight, the pressed set's face
constexpr uint32_t Key = 0x008080;
constexpr uint32_t Ink = 0x2040A0;

class ShinePaint : public ShineFormTest {
protected:
    // Button A at (10, 10), 25 x 25, with a 4 x 4 glyph: a 2 x 2 block on the key colour.
    void SetUp() override
    {
        ShineFormTest::SetUp();
        a = AddButton(10, 10, "A");
        a->SetGlyph(MakeGlyph({"....", ".aa.", ".aa.", "...."}, {{'.', Key}, {'a', Ink}}).get());
        host.MoveTo(150, 80);
    }
    // Part of the button as painted on the form.
    Rows Painted(const Palette& p, int x, int y, int w, int h) { return ReadRows(*form->BackBuffer(), p, 10 + x, 10 + y, w, h); }

    TShineSpeedButton* a = nullptr;
};

TEST_F(ShinePaint, GlyphIsCentredAndShiftedWhenDown)
{
    const Palette p{{'.', Face}, {',', Pressed}, {'a', Ink}, {'k', Key}};
    // The key colour is left out; the glyph sits at (10, 10) of the button.
    EXPECT_EQ(Painted(p, 9, 9, 6, 6), (Rows{"......", "......", "..aa..", "..aa..", "......", "......"}));
    a->SetGroupIndex(1);
    a->SetDown(true);
    host.ProcessPaints();
    EXPECT_EQ(Painted(p, 9, 9, 6, 6), (Rows{",,,,,,", ",,,,,,", ",,,,,,", ",,,aa,", ",,,aa,", ",,,,,,"}));
}

TEST_F(ShinePaint, HoverDrawsTheLitGlyph)
{
    host.MoveTo(15, 15);
    const Palette p{{'.', Face}, {'a', Ink}, {'S', 0xFFFF00}};
    EXPECT_EQ(Painted(p, 10, 10, 4, 4), (Rows{".SS.", "SaaS", "SaaS", ".SS."}));
}

TEST_F(ShinePaint, DisabledGlyphIsAnEtchedStencilNeverShifted)
{
    a->SetGroupIndex(1);
    a->SetEnabled(false);
    a->SetDown(true);  // latched while disabled: still drawn in place
    host.ProcessPaints();
    EXPECT_EQ(a->State(), sbDisabled);
    const Palette p{{'.', Face}, {'S', 0x808080}, {'H', 0xFFFFFF}};
    EXPECT_EQ(Painted(p, 10, 10, 5, 5), (Rows{"SSS..", "SHSH.", "SSSH.", ".HHH.", "....."}));

    a->SetDisabledImage(diGrayscale);  // other renderings: the processed glyph, drawn transparently
    host.ProcessPaints();
    const Palette g{{'.', Face}, {'g', 0x555555}};
    EXPECT_EQ(Painted(g, 10, 10, 4, 4), (Rows{"....", ".gg.", ".gg.", "...."}));
}

TEST_F(ShinePaint, DisabledCaptionUsesOnlyTheDisabledColours)
{
    a->SetGlyph(nullptr);
    a->SetCaption("W");
    a->Font()->SetHeight(-14);
    a->SetDisabledHighlight(clRed);
    a->SetDisabledShadow(clBlue);
    a->SetFontShadow(clLime);  // ignored while disabled
    a->SetEnabled(false);
    host.ProcessPaints();
    int red = 0, blue = 0, other = 0;
    for (int y = 2; y < 23; ++y)
        for (int x = 2; x < 23; ++x) {
            const uint32_t px = host.Pixel(10 + x, 10 + y);
            red += px == 0xFF0000;
            blue += px == 0x0000FF;
            other += px == 0x000000 || px == 0x00FF00;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, 0);
    EXPECT_EQ(other, 0);
}

TEST_F(ShinePaint, FrameFollowsStateAndFlags)
{
    // Flat frame shown only on hover (raised) and while pressed inside (sunken).
    a->SetFrameType(ftFlatFrame);
    a->SetUpFrame(false);
    const Palette p{{'.', Face}, {',', Pressed}, {'H', 0xFFFFFF}, {'S', 0x808080}};
    auto topLeft = [&] { return Painted(p, 0, 0, 2, 2); };
    host.ProcessPaints();
    EXPECT_EQ(topLeft(), (Rows{"..", ".."}));
    host.MoveTo(15, 15);
    EXPECT_EQ(Painted({{'.', Face}, {'H', 0xFFFFFF}}, 0, 0, 2, 2), (Rows{"HH", "H."}));
    host.Press(15, 15);
    EXPECT_EQ(Painted({{',', Pressed}, {'S', 0x808080}}, 0, 0, 2, 2), (Rows{"SS", "S,"}));
    host.Release(15, 15);
    host.MoveTo(150, 80);
    EXPECT_EQ(topLeft(), (Rows{"..", ".."}));
}

TEST_F(ShinePaint, TransparentButtonLetsTheParentShowThrough)
{
    a->SetTransparent(true);
    a->SetFrameType(ftFlatFrame);
    host.ProcessPaints();
    const Palette p{{'w', 0xFFFFFF}, {'S', 0x808080}, {'a', Ink}};
    // White form inside, the raised flat frame's shadow on the right, the glyph drawn over it.
    EXPECT_EQ(Painted(p, 10, 10, 4, 4), (Rows{"wwww", "waaw", "waaw", "wwww"}));
    EXPECT_EQ(Painted(p, 22, 12, 3, 1), (Rows{"wwS"}));
}

TEST_F(ShinePaint, ClickDownHookShowsThePressedLookDuringTheClick)
{
    a->SetClickDownHook(true);
    std::vector<TShineButtonState> seen;
    std::vector<uint32_t> faces;
    a->OnClick = [&](TObject*) {
        seen.push_back(a->State());
        faces.push_back(host.Pixel(10 + 3, 10 + 3));
    };
    host.Click(15, 15);
    host.Char('x');
    EXPECT_EQ(seen, (std::vector<TShineButtonState>{sbActiveDown}));
    EXPECT_EQ(faces, (std::vector<uint32_t>{Pressed}));
    EXPECT_EQ(a->State(), sbActiveUp);
    EXPECT_EQ(host.Pixel(10 + 3, 10 + 3), Face);

    // Through the accelerator, away from the pointer: the look before the click comes back.
    a->SetCaption("&x");
    host.MoveTo(150, 80);
    host.Char('x');
    EXPECT_EQ(seen.back(), sbActiveDown);
    EXPECT_EQ(faces.back(), Pressed);
    EXPECT_EQ(a->State(), sbUp);
    EXPECT_EQ(host.Pixel(10 + 3, 10 + 3), Face);
}

} // namespace
