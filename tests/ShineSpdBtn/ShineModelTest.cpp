#include <gtest/gtest.h>

#include <functional>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/classes/FormDescription.h"
#include "platform/controls/WinApi.h"
#include "tests/ShineSpdBtn/ShineFixture.h"
#include "tests/ShineSpdBtn/PixelMap.h"

namespace {

TEST(ShineModel, NewButtonStartsUpAndEmpty)
{
    THeadlessHost host;
    TShineSpeedButton b(nullptr);
    EXPECT_EQ(b.Width(), 25);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_EQ(b.State(), sbUp);
    EXPECT_FALSE(b.MouseInControl());
    EXPECT_FALSE(b.Dragging());
    EXPECT_EQ(b.Caption(), "");
    EXPECT_TRUE(b.Glyph()->Empty());
    EXPECT_EQ(b.Glyph()->PixelFormat(), pf32bit);
    EXPECT_EQ(b.Glyph()->TransparentColor(), clOlive);
    EXPECT_FALSE(b.ActiveButtonTimer()->Enabled());
    EXPECT_EQ(b.ActiveButtonTimer()->Interval(), 200u);
    EXPECT_EQ(host.RunningTimers(), 0);
    EXPECT_EQ(b.ControlStyle(), csCaptureMouse | csOpaque | csDoubleClicks);
    EXPECT_EQ(b.Colors()->Color(), clBtnFace);
    EXPECT_EQ(b.PressedColors()->Color(), clBtnHighlight);
    EXPECT_EQ(b.Font()->Color(), clBtnText);
    EXPECT_EQ(b.ActiveFont()->Color(), clHighlight);
}

TEST(ShineModel, GlyphIsKeptAs32BitDeviceIndependent)
{
    TShineSpeedButton b(nullptr);
    const Palette p{{'.', 0x008080}, {'a', 0x123456}};
    auto source = MakeGlyph({"a.", ".a", ".."}, p, pf24bit);
    b.SetGlyph(source.get());
    EXPECT_EQ(b.Glyph()->PixelFormat(), pf32bit);
    EXPECT_EQ(b.Glyph()->HandleType(), bmDIB);
    EXPECT_EQ(ReadRows(*b.Glyph(), p), (Rows{"a.", ".a", ".."}));
    // Drawn into directly, as a device-dependent bitmap: converted back.
    b.Glyph()->SetHandleType(bmDDB);
    EXPECT_EQ(b.Glyph()->HandleType(), bmDIB);
    EXPECT_EQ(b.Glyph()->PixelFormat(), pf32bit);
    // The button holds a copy.
    source->SetPixelRGB(1, 0, 0x123456);
    EXPECT_EQ(b.Glyph()->PixelRGB(1, 0), 0x008080u);
    b.SetGlyph(nullptr);
    EXPECT_TRUE(b.Glyph()->Empty());
    EXPECT_EQ(b.Glyph()->Width(), 0);
}

TEST(ShineModel, ShiftStateComesFromTheKeyState)
{
    THeadlessHost host;
    EXPECT_TRUE(GetShiftState().Empty());
    host.SetKeyDown(VK_LBUTTON, true);
    host.SetKeyDown(VK_SHIFT, true);
    host.SetKeyDown(VK_MENU, true);
    EXPECT_EQ(GetShiftState(), (TShiftState{ssLeft, ssShift, ssAlt}));
    host.SetKeyDown(VK_LBUTTON, false);
    host.SetKeyDown(VK_SHIFT, false);
    host.SetKeyDown(VK_MENU, false);
    host.SetKeyDown(VK_RBUTTON, true);
    host.SetKeyDown(VK_MBUTTON, true);
    host.SetKeyDown(VK_CONTROL, true);
    EXPECT_EQ(GetShiftState(), (TShiftState{ssRight, ssMiddle, ssCtrl}));
}

TEST(ShineModel, TransparentTogglesOpaqueStyle)
{
    TShineSpeedButton b(nullptr);
    b.SetTransparent(true);
    EXPECT_EQ(b.ControlStyle(), csCaptureMouse | csDoubleClicks);
    b.SetTransparent(false);
    EXPECT_EQ(b.ControlStyle(), csCaptureMouse | csOpaque | csDoubleClicks);
}

TEST(ShineModel, FontsAreCopiedNotShared)
{
    TShineSpeedButton b(nullptr);
    TFont given;
    given.SetColor(clRed);
    b.SetFont(&given);
    b.SetActiveFont(&given);
    given.SetColor(clLime);
    EXPECT_EQ(b.Font()->Color(), clRed);
    EXPECT_EQ(b.ActiveFont()->Color(), clRed);
    b.SetFont(nullptr);
    EXPECT_EQ(b.Font()->Color(), clRed);
}

class ShineRepaint : public ShineFormTest {};

TEST_F(ShineRepaint, PropertiesRequestAPaintOnlyWhenTheyChange)
{
    TShineSpeedButton* b = AddButton(10, 10, "A");
    using Change = std::function<void(TShineSpeedButton&)>;
    struct Case {
        const char* name;
        Change same;
        Change other;
    };
    const std::vector<Case> cases{
        {"FrameType", [](auto& x) { x.SetFrameType(ftNormalFrame); }, [](auto& x) { x.SetFrameType(ftFlatFrame); }},
        {"ShineColor", [](auto& x) { x.SetShineColor(clYellow); }, [](auto& x) { x.SetShineColor(clRed); }},
        {"ClickDownHook", [](auto& x) { x.SetClickDownHook(false); }, [](auto& x) { x.SetClickDownHook(true); }},
        {"ActiveImage", [](auto& x) { x.SetActiveImage(aiFrameLight); }, [](auto& x) { x.SetActiveImage(aiMaskLight); }},
        {"DisabledImage", [](auto& x) { x.SetDisabledImage(diDefault); }, [](auto& x) { x.SetDisabledImage(diMaskTrans); }},
        {"DisabledShadow", [](auto& x) { x.SetDisabledShadow(clBtnShadow); }, [](auto& x) { x.SetDisabledShadow(clRed); }},
        {"FontShadow", [](auto& x) { x.SetFontShadow(clNone); }, [](auto& x) { x.SetFontShadow(clRed); }},
        {"Layout", [](auto& x) { x.SetLayout(blGlyphLeft); }, [](auto& x) { x.SetLayout(blGlyphTop); }},
        {"Margin", [](auto& x) { x.SetMargin(-1); }, [](auto& x) { x.SetMargin(2); }},
        {"Spacing", [](auto& x) { x.SetSpacing(4); }, [](auto& x) { x.SetSpacing(0); }},
        {"UpFrame", [](auto& x) { x.SetUpFrame(true); }, [](auto& x) { x.SetUpFrame(false); }},
        {"Colors", [](auto& x) { x.Colors()->SetShadow(clBtnShadow); }, [](auto& x) { x.Colors()->SetShadow(clRed); }},
        {"Font", [](auto& x) { x.Font()->SetColor(clBtnText); }, [](auto& x) { x.Font()->SetColor(clRed); }},
        {"Caption", [](auto& x) { x.SetCaption(""); }, [](auto& x) { x.SetCaption("OK"); }},
        {"system colours", [](auto&) {}, [](auto& x) { x.Perform(CM_SYSCOLORCHANGE); }},
    };
    for (const Case& c : cases) {
        host.ProcessPaints();
        c.same(*b);
        EXPECT_TRUE(form->InvalidRect().IsEmpty()) << c.name;
        c.other(*b);
        EXPECT_EQ(form->InvalidRect(), b->BoundsRect()) << c.name;
    }
}

TEST_F(ShineRepaint, DefaultColoursAreWrittenAsTheirFaceColourOnly)
{
    AddButton(10, 10, "A");
    const std::string text = WriteFormDescription(form);
    EXPECT_NE(text.find("Colors.Color = clBtnFace"), std::string::npos) << text;
    EXPECT_NE(text.find("PressedColors.Color = clBtnHighlight"), std::string::npos) << text;
    for (const char* other : {"Highlight =", "Shadow =", "GradColor", "GradVertical", "Gradation"})
        EXPECT_EQ(text.find(other), std::string::npos) << other << "\n" << text;
}

TEST_F(ShineRepaint, PropertiesRoundTripInPublishedOrder)
{
    TShineSpeedButton* b = AddButton(10, 10, "A");
    b->SetGroupIndex(2);
    b->SetAllowAllUp(true);
    b->SetDown(true);
    b->SetFrameType(ftEnclosedFrame);
    b->SetActiveImage(aiXorLight);
    b->Colors()->SetHighlight(clWhite);
    b->Colors()->SetShadow(clGray);
    b->Colors()->SetDarkShadow(clBlack);
    b->Colors()->SetGradColor(clYellow);
    b->Colors()->SetGradVertical(true);
    b->Colors()->SetGradation(true);
    b->PressedColors()->SetDarkShadow(clNavy);
    b->SetFontShadow(clGray);
    b->SetMargin(3);
    b->SetCaption("&Go");
    const Palette p{{'.', 0x008080}, {'a', 0x123456}};
    b->SetGlyph(MakeGlyph({"a.", ".a"}, p).get());
    const std::string text = WriteFormDescription(form);
    // GroupIndex before Down, the button's own properties before the inherited ones.
    const size_t group = text.find("GroupIndex = 2"), down = text.find("Down = true"),
                 frame = text.find("FrameType = ftEnclosedFrame"), caption = text.find("Caption");
    ASSERT_NE(group, std::string::npos) << text;
    EXPECT_LT(group, down);
    EXPECT_LT(down, frame);
    EXPECT_LT(frame, caption);
    // The colour set's own order, Color last.
    size_t at = 0;
    for (const char* line : {"Colors.Highlight = clWhite", "Colors.Shadow = clGray", "Colors.DarkShadow = clBlack",
                             "Colors.GradColor = clYellow", "Colors.GradVertical = true", "Colors.Gradation = true",
                             "Colors.Color = clBtnFace", "PressedColors.DarkShadow = clNavy"}) {
        const size_t next = text.find(line);
        ASSERT_NE(next, std::string::npos) << line << "\n" << text;
        EXPECT_GT(next, at) << line;
        at = next;
    }

    auto* copy = static_cast<TForm*>(CreateFromDescription(text, Application));
    auto* c = copy->Find<TShineSpeedButton>("A");
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->Down());
    EXPECT_TRUE(c->AllowAllUp());
    EXPECT_EQ(c->FrameType(), ftEnclosedFrame);
    EXPECT_EQ(c->ActiveImage(), aiXorLight);
    EXPECT_TRUE(c->Colors()->Gradation());
    EXPECT_TRUE(c->Colors()->GradVertical());
    EXPECT_EQ(c->Colors()->GradColor(), clYellow);
    EXPECT_EQ(c->PressedColors()->DarkShadow(), clNavy);
    EXPECT_EQ(c->FontShadow(), clGray);
    EXPECT_EQ(c->Margin(), 3);
    EXPECT_EQ(c->Caption(), "&Go");
    EXPECT_EQ(ReadRows(*c->Glyph(), p), (Rows{"a.", ".a"}));
    EXPECT_EQ(c->Glyph()->PixelFormat(), pf32bit);
}

} // namespace
