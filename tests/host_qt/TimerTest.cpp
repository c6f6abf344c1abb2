#include <gtest/gtest.h>

#include "platform/controls/Application.h"
#include "platform/core/Exception.h"
#include "platform/host/qt/QtHost.h"
#include "tests/host_qt/DesktopSession.h"

namespace {

void Spin(int ms)
{
    WaitUntil([] { return false; }, ms);
}

} // namespace

TEST(QtHostTimer, TicksUntilKilledEvenFromItsOwnTick)
{
    REQUIRE_DISPLAY();
    int ticks = 0;
    THostTimerId id = 0;
    id = Host().StartTimer(5, [&] {
        if (++ticks == 3)
            Host().KillTimer(id);
    });
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
    Spin(100);
    EXPECT_EQ(ticks, 3);
    Host().KillTimer(id);  // a second kill is harmless
}

TEST(QtHostTimer, ExceptionFromATickIsReportedAndTheTimerGoesOn)
{
    REQUIRE_DISPLAY();
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    int ticks = 0;
    const THostTimerId id = Host().StartTimer(5, [&] {
        if (++ticks == 1)
            throw Exception("tick failed");
    });
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
    Host().KillTimer(id);
    Application->OnException = nullptr;
    EXPECT_EQ(reported, std::vector<std::string>{"tick failed"});
}
