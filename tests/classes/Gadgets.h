#pragma once
// Small classes for the property and form description tests. Every setter logs its call, so a
// test can see which setters a reader used and in which order.
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/core/Color.h"
#include "platform/graphics/Bitmap.h"

using TLog = std::vector<std::string>;

enum TGadgetMode : uint8_t { gmSmall, gmMedium, gmLarge };

class TGadgetSettings : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    std::string ClassName() const override { return "TGadgetSettings"; }
    void Assign(TPersistent* source) override;

    int32_t Offset() const { return FOffset; }
    void SetOffset(int32_t v);
    TColor Tint() const { return FTint; }
    void SetTint(TColor v);

    TLog* Log = nullptr;

private:
    int32_t FOffset = 1;
    TColor FTint = clSilver;
};

class TGadget : public TComponent {
public:
    explicit TGadget(TComponent* owner);
    ~TGadget() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int32_t Count() const { return FCount; }
    void SetCount(int32_t v) { Note("Count"); FCount = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { Note("Active"); FActive = v; }
    TGadgetMode Mode() const { return FMode; }
    void SetMode(TGadgetMode v) { Note("Mode"); FMode = v; }
    uint8_t Options() const { return FOptions; }
    void SetOptions(uint8_t v) { Note("Options"); FOptions = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Note("Color"); FColor = v; }
    const std::string& Text() const { return FText; }
    void SetText(const std::string& v) { Note("Text"); FText = v; }
    TGadgetSettings* Settings() const { return FSettings.get(); }
    void SetSettings(TGadgetSettings* v) { Note("SetSettings"); FSettings->Assign(v); }
    TBitmap* Picture() const { return FPicture.get(); }
    void SetPicture(TBitmap* v) { Note("Picture"); FPicture->Assign(v); }
    TGadget* Buddy() const { return FBuddy; }
    void SetBuddy(TGadget* v);

    TNotifyEvent OnPing;

    void Loaded() override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    TLog* Log = nullptr;
    // What Loaded saw: the buddy's name.
    std::string BuddyAtLoaded = "(not loaded)";

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Note(const std::string& what)
    {
        if (Log)
            Log->push_back(Name() + "." + what);
    }

private:
    int32_t FCount = 0;
    bool FActive = false;
    TGadgetMode FMode = gmMedium;
    uint8_t FOptions = 0;
    TColor FColor = clSilver;
    std::string FText;
    std::unique_ptr<TGadgetSettings> FSettings;
    std::unique_ptr<TBitmap> FPicture;
    TGadget* FBuddy = nullptr;
};

// Publishes its own property first, republishes nothing else.
class TBigGadget : public TGadget {
public:
    using TGadget::TGadget;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int32_t Weight() const { return FWeight; }
    void SetWeight(int32_t v) { Note("Weight"); FWeight = v; }

private:
    int32_t FWeight = 5;
};

// The root of descriptions in the tests: handlers by name, and the gadgets it owns as children.
class TGadgetBox : public TGadget {
public:
    using TGadget::TGadget;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TMethodTable Methods() override
    {
        return {Method("GadgetPing", this, &TGadgetBox::GadgetPing),
                Method("WrongKind", this, &TGadgetBox::WrongKind)};
    }
    void GadgetPing(TObject* sender) { Pinged.push_back(static_cast<TComponent*>(sender)->Name()); }
    void WrongKind(TObject*, int) {}

    std::vector<std::string> Pinged;
};
