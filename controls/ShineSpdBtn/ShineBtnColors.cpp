#include "controls/ShineSpdBtn/ShineBtnColors.h"

const TClassInfo& TShineBtnColors::StaticClassInfo()
{
    using C = TShineBtnColors;
    // Color has no declared default: the button's two sets start with different faces.
    static const TClassInfo info("TShineBtnColors", nullptr, {
        ColorProp("Highlight", &C::FHighlight, &C::SetHighlight, clBtnHighlight),
        ColorProp("Shadow", &C::FShadow, &C::SetShadow, clBtnShadow),
        ColorProp("DarkShadow", &C::FDarkShadow, &C::SetDarkShadow, clWindowFrame),
        ColorProp("GradColor", &C::FGradColor, &C::SetGradColor, clBlue),
        BoolProp("GradVertical", &C::FGradVertical, &C::SetGradVertical, false),
        BoolProp("Gradation", &C::FGradation, &C::SetGradation, false),
        ColorProp("Color", &C::FColor, &C::SetColor, NoDefault),
    });
    return info;
}

TShineBtnColors::TShineBtnColors() = default;

TShineBtnColors::~TShineBtnColors() { OnChange = nullptr; }

template <class T>
void TShineBtnColors::Store(T& field, T value)
{
    if (StoreChanged(field, value) && OnChange)
        OnChange(this);
}

void TShineBtnColors::SetColor(TColor value) { Store(FColor, value); }
void TShineBtnColors::SetHighlight(TColor value) { Store(FHighlight, value); }
void TShineBtnColors::SetShadow(TColor value) { Store(FShadow, value); }
void TShineBtnColors::SetDarkShadow(TColor value) { Store(FDarkShadow, value); }
void TShineBtnColors::SetGradColor(TColor value) { Store(FGradColor, value); }
void TShineBtnColors::SetGradVertical(bool value) { Store(FGradVertical, value); }
void TShineBtnColors::SetGradation(bool value) { Store(FGradation, value); }

void TShineBtnColors::CopyValuesTo(TShineBtnColors& dest) const
{
    dest.FColor = FColor;
    dest.FHighlight = FHighlight;
    dest.FShadow = FShadow;
    dest.FDarkShadow = FDarkShadow;
    dest.FGradColor = FGradColor;
    dest.FGradVertical = FGradVertical;
    dest.FGradation = FGradation;
}

void TShineBtnColors::Assign(TPersistent* source)
{
    auto* colors = dynamic_cast<TShineBtnColors*>(source);
    if (!colors)
        return TPersistent::Assign(source);  // the assignment error; nothing is copied
    colors->CopyValuesTo(*this);
    TPersistent::Assign(source);  // the source's AssignTo copies again and notifies once
    if (OnChange)
        OnChange(this);
}

void TShineBtnColors::AssignTo(TPersistent* dest)
{
    auto* colors = dynamic_cast<TShineBtnColors*>(dest);
    if (!colors)
        return TPersistent::AssignTo(dest);  // the assignment error; dest is left alone
    CopyValuesTo(*colors);
    if (colors->OnChange)
        colors->OnChange(colors);
}

uint32_t ColorToPixel(TColor color)
{
    const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(color));
    return ((rgb & 0xFF) << 16) | (((rgb >> 8) & 0xFF) << 8) | ((rgb >> 16) & 0xFF);
}
