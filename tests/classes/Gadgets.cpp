#include "tests/classes/Gadgets.h"

namespace {
const std::vector<std::string> ModeNames = {"gmSmall", "gmMedium", "gmLarge"};
const std::vector<std::string> OptionNames = {"goRed", "goGreen", "goBlue"};
}  // namespace

const TClassInfo& TGadgetSettings::StaticClassInfo()
{
    static const TClassInfo info("TGadgetSettings", nullptr, {
        IntProp("Offset", &TGadgetSettings::Offset, &TGadgetSettings::SetOffset, 1),
        ColorProp("Tint", &TGadgetSettings::Tint, &TGadgetSettings::SetTint, clSilver),
    });
    return info;
}

void TGadgetSettings::SetOffset(int32_t v)
{
    if (Log)
        Log->push_back("Settings.Offset");
    FOffset = v;
}

void TGadgetSettings::SetTint(TColor v)
{
    if (Log)
        Log->push_back("Settings.Tint");
    FTint = v;
}

void TGadgetSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TGadgetSettings*>(source);
    if (!s)
        return TPersistent::Assign(source);
    FOffset = s->FOffset;
    FTint = s->FTint;
}

const TClassInfo& TGadget::StaticClassInfo()
{
    static const TClassInfo info("TGadget", &TComponent::StaticClassInfo(), {
        IntProp("Count", &TGadget::Count, &TGadget::SetCount, 0),
        BoolProp("Active", &TGadget::Active, &TGadget::SetActive),
        EnumProp("Mode", &TGadget::Mode, &TGadget::SetMode, ModeNames, gmMedium),
        SetProp("Options", &TGadget::Options, &TGadget::SetOptions, OptionNames, 0),
        ColorProp("Color", &TGadget::Color, &TGadget::SetColor, clSilver),
        StrProp("Text", &TGadget::Text, &TGadget::SetText),
        ObjProp("Settings", &TGadget::Settings, &TGadget::SetSettings),
        BitmapProp("Picture", &TGadget::Picture, &TGadget::SetPicture),
        ComponentProp("Buddy", &TGadget::Buddy, &TGadget::SetBuddy),
        EventProp("OnPing", &TGadget::OnPing),
    }, Creates<TGadget>);
    return info;
}

TGadget::TGadget(TComponent* owner)
    : TComponent(owner), FSettings(std::make_unique<TGadgetSettings>()), FPicture(std::make_unique<TBitmap>())
{
}

TGadget::~TGadget() = default;

void TGadget::SetBuddy(TGadget* v)
{
    Note("Buddy");
    FBuddy = v;
    if (v)
        v->FreeNotification(this);
}

void TGadget::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBuddy)
        FBuddy = nullptr;
}

void TGadget::Loaded()
{
    TComponent::Loaded();
    Note("Loaded");
    BuddyAtLoaded = FBuddy ? FBuddy->Name() : "";
}

void TGadget::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    if (root != this)
        return;
    for (int i = 0; i < ComponentCount(); ++i)
        proc(Components(i));
}

const TClassInfo& TBigGadget::StaticClassInfo()
{
    static const TClassInfo info("TBigGadget", &TGadget::StaticClassInfo(), {
        IntProp("Weight", &TBigGadget::Weight, &TBigGadget::SetWeight, 5),
        ColorProp("Color", &TGadget::Color, &TGadget::SetColor, clNavy),  // a new default
    }, Creates<TBigGadget>, TClassInfo::OwnFirst);
    return info;
}

const TClassInfo& TGadgetBox::StaticClassInfo()
{
    static const TClassInfo info("TGadgetBox", &TGadget::StaticClassInfo(), {}, Creates<TGadgetBox>);
    return info;
}
