#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, on the host's timers. A tick's
// exception is reported by the application and the timer goes on.
#include "platform/classes/Component.h"
#include "platform/controls/Host.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned ms);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

    // Whether a host timer is running for it.
    bool Running() const { return FTimerId != 0; }

protected:
    // One tick: raises OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    THostTimerId FTimerId = 0;
};
