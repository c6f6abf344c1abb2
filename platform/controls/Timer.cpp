#include "platform/controls/Timer.h"

#include "platform/controls/Application.h"

const TClassInfo& TTimer::StaticClassInfo()
{
    static const TClassInfo info("TTimer", &TComponent::StaticClassInfo(), {
        BoolProp("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true),
        IntProp("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000),
        EventProp("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer),
    }, Creates<TTimer>);
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms)
{
    if (ms == FInterval)
        return;
    FInterval = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    FOnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    THost* host = THost::Current();
    if (FTimerId != 0) {
        if (host)
            host->KillTimer(FTimerId);
        FTimerId = 0;
    }
    // A timer with nothing to call, or no interval, does not run.
    if (!host || !FEnabled || FInterval == 0 || !FOnTimer)
        return;
    FTimerId = host->StartTimer(static_cast<int>(std::min(FInterval, 0x7FFFFFFFu)), [this] {
        Application->Protect([this] { Timer(); }, this);
    });
}

void TTimer::Timer()
{
    if (FOnTimer)
        FOnTimer(this);
}
