#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/ShadoLbl/Shadow.h"
#include "platform/core/Exception.h"

namespace {

// Records every notification of a TShadow.
struct ChangeLog {
    std::vector<TObject*> senders;
    void Watch(TShadow& shadow) { shadow.OnChange = [this](TObject* s) { senders.push_back(s); }; }
};

}  // namespace

TEST(Shadow, StartsAsASilverCopyOnePixelRightAndDown)
{
    TShadow shadow;
    EXPECT_TRUE(shadow.Visible());
    EXPECT_EQ(shadow.Color(), clSilver);
    EXPECT_EQ(shadow.OffsetLeft(), 1);
    EXPECT_EQ(shadow.OffsetTop(), 1);
    EXPECT_FALSE(shadow.OnChange);
}

TEST(Shadow, EachSetterNotifiesOnceForANewValueAndNeverForAnEqualOne)
{
    struct Case {
        const char* name;
        std::function<void(TShadow&)> setSame, setNew;
        std::function<bool(const TShadow&)> stored;
    };
    const Case cases[] = {
        {"Visible", [](TShadow& s) { s.SetShadowVisible(true); }, [](TShadow& s) { s.SetShadowVisible(false); },
         [](const TShadow& s) { return !s.Visible(); }},
        {"Color", [](TShadow& s) { s.SetShadowColor(clSilver); }, [](TShadow& s) { s.SetShadowColor(clRed); },
         [](const TShadow& s) { return s.Color() == clRed; }},
        {"OffsetLeft", [](TShadow& s) { s.SetShadowLeft(1); }, [](TShadow& s) { s.SetShadowLeft(-3); },
         [](const TShadow& s) { return s.OffsetLeft() == -3; }},
        {"OffsetTop", [](TShadow& s) { s.SetShadowTop(1); }, [](TShadow& s) { s.SetShadowTop(7); },
         [](const TShadow& s) { return s.OffsetTop() == 7; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TShadow shadow;
        ChangeLog log;
        log.Watch(shadow);
        c.setSame(shadow);
        EXPECT_TRUE(log.senders.empty());
        c.setNew(shadow);
        EXPECT_TRUE(c.stored(shadow));
        ASSERT_EQ(log.senders.size(), 1u);
        EXPECT_EQ(log.senders[0], &shadow);
        c.setNew(shadow);
        EXPECT_EQ(log.senders.size(), 1u);
    }
}

TEST(Shadow, AssignCopiesTheValuesButNotTheHandlerAndAlwaysNotifiesOnce)
{
    TShadow source;
    source.SetShadowVisible(false);
    source.SetShadowColor(clWhite);
    source.SetShadowLeft(-1);
    source.SetShadowTop(-2);
    bool sourceNotified = false;
    source.OnChange = [&](TObject*) { sourceNotified = true; };

    TShadow target;
    ChangeLog log;
    log.Watch(target);
    target.Assign(&source);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(target.Color(), clWhite);
    EXPECT_EQ(target.OffsetLeft(), -1);
    EXPECT_EQ(target.OffsetTop(), -2);
    ASSERT_EQ(log.senders.size(), 1u);
    EXPECT_EQ(log.senders[0], &target);

    target.Assign(&source);  // nothing differs, still one notification
    EXPECT_EQ(log.senders.size(), 2u);
    target.SetShadowTop(5);  // the target kept its own handler
    EXPECT_EQ(log.senders.size(), 3u);
    EXPECT_FALSE(sourceNotified);
}

TEST(Shadow, AssignFromAnotherClassRaisesTheAssignmentErrorAndKeepsTheValues)
{
    TShadow target;
    target.SetShadowColor(clRed);
    ChangeLog log;
    log.Watch(target);
    TPersistent stranger;
    try {
        target.Assign(&stranger);
        FAIL() << "no assignment error";
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message.find("TPersistent"), std::string::npos);
        EXPECT_NE(e.Message.find("TShadow"), std::string::npos);
    }
    EXPECT_THROW(target.Assign(nullptr), EConvertError);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_TRUE(log.senders.empty());
}
