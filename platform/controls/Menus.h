#pragma once
// Popup menus and their items. A menu's shortcuts work while it is closed: the form offers
// every key press to its popup menu (IsShortCut) before handling the key itself.
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/controls/Control.h"

// A shortcut: the virtual-key code in the low byte, plus these for the modifiers.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Ctrl+S", "Shift+Ctrl+F1", "Ins", "Del"; empty for none.
std::string ShortCutToText(TShortCut shortCut);
// The accelerator character of a caption: the one after a single "&" ("&&" is a plain "&"),
// or 0.
char AccelChar(const std::string& caption);
// Whether the caption's accelerator is the character (letter case ignored).
bool IsAccel(char ch, const std::string& caption);

enum TMenuAutoFlag : uint8_t { maAutomatic, maManual, maParent };

class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees its subitems too.
    ~TMenuItem() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // "-" makes a separator; "&" marks the access key.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v) { FChecked = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v) { FShortCut = v; }
    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t v) { FGroupIndex = v; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }

    // Subitems (a submenu when there are any).
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return FParent; }
    // The popup menu the item belongs to, or nullptr.
    TPopupMenu* GetParentMenu() const;
    // The item with this shortcut, here or in any submenu (depth first), or nullptr.
    TMenuItem* FindShortCut(TShortCut shortCut);

    // Raises OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    friend class TPopupMenu;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    TShortCut FShortCut = 0;
    int32_t FGroupIndex = 0;
    bool FRadioItem = false;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TPopupMenu* FMenu = nullptr;  // set on a menu's root item
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The root item; the menu's entries are its subitems.
    TMenuItem* Items() const { return FItems.get(); }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag v) { FAutoHotkeys = v; }
    // The control the menu was last opened for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c)
    {
        FPopupComponent = c;
        if (c)
            c->FreeNotification(this);
    }
    TPoint PopupPoint() const { return FPopupPoint; }

    // Opens the menu at a screen position through the host and clicks the chosen item.
    virtual void Popup(int X, int Y);
    // Finds the item with this shortcut and clicks it, after clicking each of its parent items
    // (a disabled one stops it). true when an item has the shortcut, enabled or not.
    bool IsShortCut(TShortCut shortCut);

    TNotifyEvent OnPopup;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TMenuItem> FItems;
    bool FAutoPopup = true;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
};
