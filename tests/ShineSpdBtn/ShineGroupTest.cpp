#include <gtest/gtest.h>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/classes/FormDescription.h"
#include "platform/controls/Buttons.h"
#include "tests/ShineSpdBtn/ShineFixture.h"

namespace {

class ShineGroup : public ShineFormTest {
protected:
    // A, B and C side by side at x = 10, 40, 70; A and B in group 1, C in group 2.
    void SetUp() override
    {
        ShineFormTest::SetUp();
        a = AddButton(10, 10, "A");
        b = AddButton(40, 10, "B");
        c = AddButton(70, 10, "C");
        a->SetGroupIndex(1);
        b->SetGroupIndex(1);
        c->SetGroupIndex(2);
        TakeEvents();
    }
    TShineSpeedButton* a = nullptr;
    TShineSpeedButton* b = nullptr;
    TShineSpeedButton* c = nullptr;
};

TEST_F(ShineGroup, AtMostOneButtonOfAGroupIsDown)
{
    host.Click(20, 20);
    host.Click(80, 20);
    EXPECT_TRUE(a->Down());
    EXPECT_TRUE(c->Down());  // another group
    host.Click(50, 20);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), sbUp);
    EXPECT_TRUE(c->Down());
    EXPECT_EQ(TakeEvents(), "A enter, A click, A enter, A leave, C enter, C click, C enter, C leave, B enter, B click, B enter");
}

TEST_F(ShineGroup, SettingDownInCodeFollowsTheGroupRules)
{
    a->SetDown(true);
    EXPECT_EQ(a->State(), sbDown);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    b->SetDown(false);  // without AllowAllUp the down button stays down
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    b->SetDown(false);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), sbUp);

    auto* loose = AddButton(100, 10, "D");
    loose->SetDown(true);  // no group: ignored
    EXPECT_FALSE(loose->Down());
    EXPECT_EQ(loose->State(), sbUp);
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ShineGroup, AllowAllUpSpreadsThroughTheGroup)
{
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    EXPECT_FALSE(c->AllowAllUp());
    b->SetAllowAllUp(false);
    EXPECT_FALSE(a->AllowAllUp());
    // Joining a group takes over the joiner's setting.
    c->SetAllowAllUp(true);
    c->SetGroupIndex(1);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_TRUE(b->AllowAllUp());
    // Nothing is left behind in the parent by the announcements.
    EXPECT_EQ(form->ControlCount(), 3);
}

TEST_F(ShineGroup, LeavingAGroupKeepsDownUntilTheNextRelease)
{
    host.Click(20, 20);
    a->SetGroupIndex(0);
    EXPECT_TRUE(a->Down());
    b->SetDown(true);  // group 1 no longer includes A
    EXPECT_TRUE(a->Down());
    host.Click(20, 20);
    EXPECT_FALSE(a->Down());
}

TEST_F(ShineGroup, PlatformSpeedButtonsOfTheGroupFollow)
{
    auto* s = new TSpeedButton(form);
    s->SetBounds(100, 10, 23, 22);
    s->SetParent(form);
    s->SetGroupIndex(1);
    host.Click(20, 20);
    EXPECT_TRUE(a->Down());
    s->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), sbUp);
    a->SetAllowAllUp(true);
    EXPECT_TRUE(s->AllowAllUp());
    host.Click(50, 20);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(s->Down());
}

TEST(ShineGroupLoose, WithoutAParentValuesAreStored)
{
    TShineSpeedButton b(nullptr);
    b.SetGroupIndex(3);
    b.SetAllowAllUp(true);
    b.SetDown(true);
    EXPECT_EQ(b.GroupIndex(), 3);
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(b.State(), sbDown);
}

TEST(ShineGroupLoading, GroupedButtonsLoadFromAFormDescription)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->LoadDescription(R"(Form1: TForm {
    Left = 100
    Top = 100
    ClientWidth = 120
    ClientHeight = 40
    Bold: TShineSpeedButton {
        GroupIndex = 1
        Left = 5
        Top = 5
    }
    Italic: TShineSpeedButton {
        GroupIndex = 1
        Down = true
        Left = 35
        Top = 5
    }
    Under: TShineSpeedButton {
        GroupIndex = 1
        AllowAllUp = true
        Left = 65
        Top = 5
    }
})");
    form->Show();
    host.ProcessPaints();
    auto* bold = form->Find<TShineSpeedButton>("Bold");
    auto* italic = form->Find<TShineSpeedButton>("Italic");
    auto* under = form->Find<TShineSpeedButton>("Under");
    ASSERT_TRUE(bold && italic && under);
    EXPECT_FALSE(bold->Down());
    EXPECT_TRUE(italic->Down());
    EXPECT_EQ(italic->State(), sbDown);
    // The last one loaded spread AllowAllUp to the group.
    EXPECT_TRUE(bold->AllowAllUp());
    EXPECT_TRUE(italic->AllowAllUp());

    host.Click(10, 10);
    EXPECT_TRUE(bold->Down());
    EXPECT_FALSE(italic->Down());
    host.Click(10, 10);
    EXPECT_FALSE(bold->Down());
    // A shown down button's face is the pressed colour set's (button highlight: white).
    host.Click(40, 10);
    host.MoveTo(100, 35);
    EXPECT_EQ(host.Pixel(36 + 5, 6 + 5), 0xFFFFFFu);
    EXPECT_EQ(host.Pixel(6 + 5, 6 + 5), 0xC0C0C0u);
}

} // namespace
