#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/ShineSpdBtn/ShineBtnColors.h"
#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/graphics/GraphicsObjects.h"

namespace {

// Counts OnChange calls and remembers their senders.
struct ChangeLog {
    std::vector<TObject*> senders;
    void Watch(TShineBtnColors& c)
    {
        c.OnChange = [this](TObject* s) { senders.push_back(s); };
    }
};

} // namespace

TEST(ColorToPixel, SwapsRedAndBlueAndResolvesSystemColours)
{
    EXPECT_EQ(ColorToPixel(clBlue), 0x000000FFu);
    EXPECT_EQ(ColorToPixel(clOlive), 0x00808000u);
    EXPECT_EQ(ColorToPixel(clNone), 0x00FFFFFFu);
    EXPECT_EQ(ColorToPixel(clBtnFace), 0x00C0C0C0u);
    SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(ColorToPixel(clBtnFace), 0x00010203u);
    ResetSysColors();
}

TEST(ShineBtnColors, StartsWithTheSystemLook)
{
    TShineBtnColors c;
    EXPECT_EQ(c.Color(), clBtnFace);
    EXPECT_EQ(c.Highlight(), clBtnHighlight);
    EXPECT_EQ(c.Shadow(), clBtnShadow);
    EXPECT_EQ(c.DarkShadow(), clWindowFrame);
    EXPECT_EQ(c.GradColor(), clBlue);
    EXPECT_FALSE(c.GradVertical());
    EXPECT_FALSE(c.Gradation());
}

TEST(ShineBtnColors, SettersNotifyOnlyOnChange)
{
    using Setter = std::function<void(TShineBtnColors&)>;
    const std::vector<std::pair<Setter, Setter>> setters{
        {[](auto& c) { c.SetColor(clBtnFace); }, [](auto& c) { c.SetColor(clRed); }},
        {[](auto& c) { c.SetHighlight(clBtnHighlight); }, [](auto& c) { c.SetHighlight(clRed); }},
        {[](auto& c) { c.SetShadow(clBtnShadow); }, [](auto& c) { c.SetShadow(clRed); }},
        {[](auto& c) { c.SetDarkShadow(clWindowFrame); }, [](auto& c) { c.SetDarkShadow(clRed); }},
        {[](auto& c) { c.SetGradColor(clBlue); }, [](auto& c) { c.SetGradColor(clRed); }},
        {[](auto& c) { c.SetGradVertical(false); }, [](auto& c) { c.SetGradVertical(true); }},
        {[](auto& c) { c.SetGradation(false); }, [](auto& c) { c.SetGradation(true); }},
    };
    for (size_t i = 0; i < setters.size(); ++i) {
        TShineBtnColors c;
        ChangeLog log;
        log.Watch(c);
        setters[i].first(c);
        EXPECT_TRUE(log.senders.empty()) << "setter " << i;
        setters[i].second(c);
        EXPECT_EQ(log.senders, std::vector<TObject*>{&c}) << "setter " << i;
    }
    TShineBtnColors quiet;  // no OnChange: the value is simply stored
    quiet.SetGradation(true);
    EXPECT_TRUE(quiet.Gradation());
}

TEST(ShineBtnColors, AssignCopiesEverythingAndNotifiesTwice)
{
    TShineBtnColors source, dest;
    source.SetColor(clRed);
    source.SetHighlight(clLime);
    source.SetShadow(clNavy);
    source.SetDarkShadow(clGray);
    source.SetGradColor(clYellow);
    source.SetGradVertical(true);
    source.SetGradation(true);
    ChangeLog sourceLog, destLog;
    sourceLog.Watch(source);
    destLog.Watch(dest);
    dest.Assign(&source);
    EXPECT_EQ(dest.Color(), clRed);
    EXPECT_EQ(dest.Highlight(), clLime);
    EXPECT_EQ(dest.Shadow(), clNavy);
    EXPECT_EQ(dest.DarkShadow(), clGray);
    EXPECT_EQ(dest.GradColor(), clYellow);
    EXPECT_TRUE(dest.GradVertical());
    EXPECT_TRUE(dest.Gradation());
    EXPECT_EQ(destLog.senders, (std::vector<TObject*>{&dest, &dest}));
    EXPECT_TRUE(sourceLog.senders.empty());

    // Equal values still notify twice.
    destLog.senders.clear();
    dest.Assign(&source);
    EXPECT_EQ(destLog.senders.size(), 2u);
}

TEST(ShineBtnColors, AssignFromAnotherClassIsRefusedUntouched)
{
    TShineBtnColors c;
    ChangeLog log;
    log.Watch(c);
    TFont font;
    try {
        c.Assign(&font);
        FAIL() << "no assignment error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, Sjis("TFont を TShineBtnColors に代入することはできません"));
    }
    try {
        c.Assign(nullptr);
        FAIL() << "no assignment error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, Sjis("nil を TShineBtnColors に代入することはできません"));
    }
    // Giving the values to another class is refused the same way, the font untouched.
    const TColor fontColor = font.Color();
    EXPECT_THROW(font.Assign(&c), EConvertError);
    EXPECT_EQ(font.Color(), fontColor);
    EXPECT_EQ(c.Color(), clBtnFace);
    EXPECT_TRUE(log.senders.empty());
}
