#pragma once
// The settings of one offset copy of a label's caption: the shadow, or the highlight.
#include <cstdint>

#include "platform/classes/TypInfo.h"
#include "platform/core/Color.h"
#include "platform/core/Persistent.h"

class TShadow : public TPersistent {
public:
    TShadow() = default;

    // Published: Visible, Color, OffsetLeft, OffsetTop, OnChange.
    static const TClassInfo& StaticClassInfo();

    std::string ClassName() const override { return "TShadow"; }
    // Copies the four values of another TShadow and notifies once, changed or not. Any other
    // source raises the assignment error and leaves the values alone.
    void Assign(TPersistent* source) override;

    bool Visible() const { return FVisible; }
    void SetShadowVisible(bool value);
    TColor Color() const { return FColor; }
    void SetShadowColor(TColor value);
    int32_t OffsetLeft() const { return FOffsetLeft; }
    void SetShadowLeft(int32_t value);
    int32_t OffsetTop() const { return FOffsetTop; }
    void SetShadowTop(int32_t value);

    // Called with this object after a value changed; the owning label binds it.
    TNotifyEvent OnChange;

private:
    void Changed();

    bool FVisible = true;
    TColor FColor = clSilver;
    int32_t FOffsetLeft = 1;
    int32_t FOffsetTop = 1;
};
