#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/classes/FormDescription.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/WinApi.h"
#include "tests/ShineSpdBtn/ShineFixture.h"

namespace {

// Button A lies at (10, 10)-(35, 35) of the form; In is a point on it, Out one beside it.
constexpr TPoint In{20, 20};
constexpr TPoint Out{60, 60};

struct Setup {
    int32_t groupIndex = 0;
    bool allowAllUp = false;
    bool down = false;
    bool accelCharDown = false;
    TDragMode dragMode = dmManual;
};

// One thing that happens, and what the button looks like afterwards.
struct Step {
    enum Kind { Move, Press, Release, DoubleClick, RightClick, Advance, PointerAway, Char, Enable, Disable, Hide } kind;
    TPoint at{};  // Move, Press, Release, DoubleClick, RightClick; Advance: at.X milliseconds; Char: at.X
    TShineButtonState state;
    bool down;
    bool mouseInControl;
    const char* events;  // raised during the step, in order
};

struct Sequence {
    const char* name;
    Setup setup;
    std::vector<Step> steps;
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

Step MoveTo(TPoint p, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::Move, p, s, down, in, ev}; }
Step PressAt(TPoint p, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::Press, p, s, down, in, ev}; }
Step ReleaseAt(TPoint p, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::Release, p, s, down, in, ev}; }
Step DoubleClickAt(TPoint p, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::DoubleClick, p, s, down, in, ev}; }
Step RightClickAt(TPoint p, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::RightClick, p, s, down, in, ev}; }
Step Wait(int ms, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::Advance, {ms, 0}, s, down, in, ev}; }
Step Type(char c, TShineButtonState s, bool down, bool in, const char* ev) { return {Step::Char, {c, 0}, s, down, in, ev}; }
Step Do(Step::Kind k, TShineButtonState s, bool down, bool in, const char* ev) { return {k, {}, s, down, in, ev}; }

const Step HoverIn = MoveTo(In, sbActiveUp, false, true, "A enter, A enter");

class ButtonSequence : public ShineFormTest, public testing::WithParamInterface<Sequence> {};

TEST_P(ButtonSequence, FollowsThePointerAndTheKeys)
{
    const Sequence& seq = GetParam();
    TShineSpeedButton* a = AddButton(10, 10, "A");
    a->SetCaption("&A");
    a->SetGroupIndex(seq.setup.groupIndex);
    a->SetAllowAllUp(seq.setup.allowAllUp);
    a->SetDown(seq.setup.down);
    a->SetAccelCharDown(seq.setup.accelCharDown);
    a->SetDragMode(seq.setup.dragMode);
    host.ProcessPaints();
    TakeEvents();
    for (size_t i = 0; i < seq.steps.size(); ++i) {
        const Step& s = seq.steps[i];
        switch (s.kind) {
        case Step::Move: host.MoveTo(s.at.X, s.at.Y); break;
        case Step::Press: host.Press(s.at.X, s.at.Y); break;
        case Step::Release: host.Release(s.at.X, s.at.Y); break;
        case Step::DoubleClick: host.DoubleClick(s.at.X, s.at.Y); break;
        case Step::RightClick: host.RightClick(s.at.X, s.at.Y); break;
        case Step::Advance: host.Advance(s.at.X); break;
        case Step::PointerAway: host.SetCursorPos(form->ClientToScreen(Out)); break;  // no notice at all
        case Step::Char: host.Char(static_cast<char>(s.at.X)); break;
        case Step::Enable: a->SetEnabled(true); host.ProcessPaints(); break;
        case Step::Disable: a->SetEnabled(false); host.ProcessPaints(); break;
        case Step::Hide: a->SetVisible(false); host.ProcessPaints(); break;
        }
        const std::string where = std::string(seq.name) + ", step " + std::to_string(i + 1);
        EXPECT_EQ(a->State(), s.state) << where;
        EXPECT_EQ(a->Down(), s.down) << where;
        EXPECT_EQ(a->MouseInControl(), s.mouseInControl) << where;
        EXPECT_EQ(TakeEvents(), s.events) << where;
        // Without the active look the hover check stops itself by its next tick.
        if (s.kind == Step::Advance && s.at.X >= 200 && !a->MouseInControl()) {
            EXPECT_FALSE(a->ActiveButtonTimer()->Enabled()) << where;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShineInput, ButtonSequence,
    testing::Values(
        Sequence{"hover in and out", {}, {HoverIn, MoveTo(Out, sbUp, false, false, "A leave"), Wait(200, sbUp, false, false, "")}},
        Sequence{"missing leave notice ends within 200 ms", {},
                 {HoverIn, Do(Step::PointerAway, sbActiveUp, false, true, ""), Wait(199, sbActiveUp, false, true, ""),
                  Wait(1, sbUp, false, false, "A leave")}},
        Sequence{"pointer still over: the check keeps the look", {},
                 {HoverIn, Wait(1000, sbActiveUp, false, true, "")}},
        Sequence{"click", {},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""),
                  ReleaseAt(In, sbActiveUp, false, true, "A click, A enter")}},
        Sequence{"press, drag out and back, release inside", {},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""), MoveTo(Out, sbUp, false, true, "A leave"),
                  MoveTo(In, sbActiveDown, false, true, "A enter"), ReleaseAt(In, sbActiveUp, false, true, "A click, A enter")}},
        Sequence{"the right button does not press", {},
                 {HoverIn, RightClickAt(In, sbActiveUp, false, true, "")}},
        // Any release ends a press: the right button's, while the left is still held.
        Sequence{"a right release ends a left press", {},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""),
                  // The left button still holds the capture: no active look yet.
                  RightClickAt(In, sbUp, false, false, "A click, A enter"), Wait(200, sbUp, false, false, ""),
                  ReleaseAt(In, sbUp, false, false, ""), MoveTo(In, sbActiveUp, false, true, "A enter")}},
        Sequence{"release outside does not click", {},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""), MoveTo(Out, sbUp, false, true, "A leave"),
                  ReleaseAt(Out, sbUp, false, false, "A leave")}},
        Sequence{"grouped release outside leaves it up", {1},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""), MoveTo(Out, sbUp, false, true, "A leave"),
                  ReleaseAt(Out, sbUp, false, false, "A leave")}},
        Sequence{"grouped click latches; a second click keeps it down", {1},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""), ReleaseAt(In, sbActiveDown, true, true, "A click, A enter"),
                  MoveTo(Out, sbDown, true, false, "A leave"), MoveTo(In, sbActiveDown, true, true, "A enter, A enter"),
                  PressAt(In, sbActiveDown, true, true, ""), ReleaseAt(In, sbActiveDown, true, true, "A click, A enter")}},
        Sequence{"AllowAllUp: a second click raises it", {1, true},
                 {HoverIn, PressAt(In, sbActiveDown, false, true, ""), ReleaseAt(In, sbActiveDown, true, true, "A click, A enter"),
                  PressAt(In, sbActiveDown, true, true, ""), ReleaseAt(In, sbActiveUp, false, true, "A click, A enter")}},
        Sequence{"double click on an up button", {},
                 {DoubleClickAt(In, sbActiveUp, false, true, "A enter, A click, A enter, A click, A enter")}},
        Sequence{"double click on a down button", {1, false, true},
                 {DoubleClickAt(In, sbActiveDown, true, true, "A enter, A click, A enter, A dblclick, A click, A enter")}},
        Sequence{"double click: raised by the first click, no double click", {1, true, true},
                 {DoubleClickAt(In, sbActiveDown, true, true, "A enter, A click, A enter, A click, A enter")}},
        Sequence{"double click: latched by the first click", {1, true},
                 {DoubleClickAt(In, sbActiveUp, false, true, "A enter, A click, A enter, A dblclick, A click, A enter")}},
        Sequence{"automatic drag mode shows no active look", {0, false, false, false, dmAutomatic},
                 {MoveTo(In, sbUp, false, false, "A enter, A enter"), MoveTo(Out, sbUp, false, false, "A leave")}},
        Sequence{"disabling a down button brings it up for good", {1, false, true},
                 {Do(Step::Disable, sbDisabled, false, false, ""), Do(Step::Enable, sbUp, false, false, "A leave")}},
        Sequence{"disabled under the pointer: the check stops", {},
                 {HoverIn, Do(Step::Disable, sbDisabled, false, true, ""), Wait(200, sbDisabled, false, true, ""),
                  MoveTo(Out, sbDisabled, false, true, "A leave"), Do(Step::Enable, sbUp, false, false, "A leave")}},
        Sequence{"accelerator clicks", {}, {Type('a', sbUp, false, false, "A click"), Type('b', sbUp, false, false, "")}},
        Sequence{"accelerator toggles with AccelCharDown in an all-up group", {1, true, false, true},
                 {Type('a', sbDown, true, false, "A click"), Type('A', sbUp, false, false, "A click")}},
        Sequence{"AccelCharDown without a group only clicks", {0, false, false, true},
                 {Type('a', sbUp, false, false, "A click")}},
        Sequence{"accelerator of a disabled button does nothing", {}, {Do(Step::Disable, sbDisabled, false, false, ""), Type('a', sbDisabled, false, false, "")}},
        Sequence{"accelerator of a hidden button does nothing", {}, {Do(Step::Hide, sbUp, false, false, ""), Type('a', sbUp, false, false, "")}}),
    [](const testing::TestParamInfo<Sequence>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

class HoverCheck : public ShineFormTest {};

TEST_F(HoverCheck, StopsItselfWhenDisabledOrPressed)
{
    TShineSpeedButton* a = AddButton(10, 10, "A");
    host.MoveTo(In.X, In.Y);
    EXPECT_TRUE(a->ActiveButtonTimer()->Enabled());
    host.Press(In.X, In.Y);
    host.Advance(200);
    EXPECT_FALSE(a->ActiveButtonTimer()->Enabled());
    EXPECT_TRUE(a->MouseInControl());
    host.Release(In.X, In.Y);
    EXPECT_TRUE(a->ActiveButtonTimer()->Enabled());
    a->SetEnabled(false);
    host.Advance(200);
    EXPECT_FALSE(a->ActiveButtonTimer()->Enabled());
    EXPECT_EQ(host.RunningTimers(), 0);
}

} // namespace
