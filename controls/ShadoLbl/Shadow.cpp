#include "controls/ShadoLbl/Shadow.h"

const TClassInfo& TShadow::StaticClassInfo()
{
    using C = TShadow;
    static const TClassInfo info("TShadow", nullptr, {
        BoolProp("Visible", &C::FVisible, &C::SetShadowVisible, true),
        ColorProp("Color", &C::FColor, &C::SetShadowColor, clSilver),
        IntProp("OffsetLeft", &C::FOffsetLeft, &C::SetShadowLeft, 1),
        IntProp("OffsetTop", &C::FOffsetTop, &C::SetShadowTop, 1),
        EventProp("OnChange", &C::OnChange),
    });
    return info;
}

void TShadow::Assign(TPersistent* source)
{
    const auto* other = dynamic_cast<const TShadow*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FVisible = other->FVisible;
    FColor = other->FColor;
    FOffsetLeft = other->FOffsetLeft;
    FOffsetTop = other->FOffsetTop;
    Changed();
}


void TShadow::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TShadow::SetShadowVisible(bool value)
{
    if (StoreChanged(FVisible, value))
        Changed();
}

void TShadow::SetShadowColor(TColor value)
{
    if (StoreChanged(FColor, value))
        Changed();
}

void TShadow::SetShadowLeft(int32_t value)
{
    if (StoreChanged(FOffsetLeft, value))
        Changed();
}

void TShadow::SetShadowTop(int32_t value)
{
    if (StoreChanged(FOffsetTop, value))
        Changed();
}

