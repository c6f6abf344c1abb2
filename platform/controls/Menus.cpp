#include "platform/controls/Menus.h"

#include <algorithm>
#include <cctype>

#include "platform/controls/Form.h"
#include "platform/controls/Host.h"
#include "platform/controls/WinApi.h"
#include "platform/core/Cp932.h"

TShortCut ShortCut(uint16_t key, TShiftState shift)
{
    if (key & 0xFF00)
        return scNone;
    TShortCut s = key;
    if (shift.Contains(ssShift))
        s |= scShift;
    if (shift.Contains(ssCtrl))
        s |= scCtrl;
    if (shift.Contains(ssAlt))
        s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const int key = shortCut & 0xFF;
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        name = std::string(1, static_cast<char>(key));
    else if (key >= VK_F1 && key <= VK_F1 + 23)
        name = "F" + std::to_string(key - VK_F1 + 1);
    else
        switch (key) {
        case VK_BACK: name = "BkSp"; break;
        case VK_TAB: name = "Tab"; break;
        case VK_RETURN: name = "Enter"; break;
        case VK_ESCAPE: name = "Esc"; break;
        case VK_SPACE: name = "Space"; break;
        case VK_PRIOR: name = "PgUp"; break;
        case VK_NEXT: name = "PgDn"; break;
        case VK_END: name = "End"; break;
        case VK_HOME: name = "Home"; break;
        case VK_LEFT: name = "Left"; break;
        case VK_UP: name = "Up"; break;
        case VK_RIGHT: name = "Right"; break;
        case VK_DOWN: name = "Down"; break;
        case VK_INSERT: name = "Ins"; break;
        case VK_DELETE: name = "Del"; break;
        default: return {};
        }
    std::string text;
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scAlt)
        text += "Alt+";
    return text + name;
}

char AccelChar(const std::string& caption)
{
    for (size_t i = 0; i < caption.size();) {
        const size_t n = CharLength(caption, i);
        if (n == 1 && caption[i] == '&') {
            if (i + 1 >= caption.size())
                return 0;
            if (caption[i + 1] != '&')
                return CharLength(caption, i + 1) == 1 ? caption[i + 1] : 0;
            i += 2;  // "&&" is a plain "&"
            continue;
        }
        i += n;
    }
    return 0;
}

bool IsAccel(char ch, const std::string& caption)
{
    const char accel = AccelChar(caption);
    return accel != 0 && std::toupper(static_cast<unsigned char>(accel)) == std::toupper(static_cast<unsigned char>(ch));
}

// ---------------------------------------------------------------- TMenuItem

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo info("TMenuItem", &TComponent::StaticClassInfo(), {
        StrProp("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
        BoolProp("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false),
        BoolProp("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true),
        IntProp("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0),
        BoolProp("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false),
        IntProp("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0),
        BoolProp("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true),
        EventProp("OnClick", &TMenuItem::OnClick),
    }, Creates<TMenuItem>);
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    while (!FItems.empty())
        delete FItems.back();  // each one leaves this item as it goes
    if (FParent)
        FParent->Remove(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    for (TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw Exception(Sjis("メニュー項目を自分の中に入れることはできません"));
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int i = IndexOf(item);
    if (i < 0)
        return;
    FItems.erase(FItems.begin() + i);
    item->FParent = nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
    for (TMenuItem* item : FItems) {
        if (item->FShortCut == shortCut && shortCut != scNone)
            return item;
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    }
    return nullptr;
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (!FParent)
        return nullptr;
    if (FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Owner() == root)
            proc(FItems[i]);
}

// ---------------------------------------------------------------- TPopupMenu

namespace {
const std::vector<std::string> AutoFlagNames = {"maAutomatic", "maManual", "maParent"};
}

const TClassInfo& TPopupMenu::StaticClassInfo()
{
    static const TClassInfo info("TPopupMenu", &TComponent::StaticClassInfo(), {
        EnumProp("AutoHotkeys", &TPopupMenu::AutoHotkeys, &TPopupMenu::SetAutoHotkeys, AutoFlagNames, maAutomatic),
        BoolProp("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true),
        EventProp("OnPopup", &TPopupMenu::OnPopup),
    }, Creates<TPopupMenu>);
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TPopupMenu::~TPopupMenu() = default;

namespace {

bool Holds(const TMenuItem* parent, const TMenuItem* item)
{
    for (const TMenuItem* p = item; p; p = p->Parent())
        if (p == parent)
            return true;
    return false;
}

}  // namespace

void TPopupMenu::Popup(int X, int Y)
{
    FPopupPoint = {X, Y};
    if (OnPopup)
        OnPopup(this);
    TForm* form = GetParentForm(dynamic_cast<TControl*>(FPopupComponent));
    if (!form)
        form = dynamic_cast<TForm*>(Owner());
    THost* host = THost::Current();
    if (!host)
        return;
    const TPoint at = form ? form->ScreenToClient({X, Y}) : TPoint{X, Y};
    TMenuItem* chosen = host->PopupMenu(form, this, at);
    // Only a command of this menu is clicked: not a submenu, a separator or a stranger.
    if (chosen && chosen != FItems.get() && Holds(FItems.get(), chosen) && chosen->Count() == 0 && !chosen->IsLine())
        chosen->Click();
}

bool TPopupMenu::IsShortCut(TShortCut shortCut)
{
    TMenuItem* item = FItems->FindShortCut(shortCut);
    if (!item)
        return false;
    // The parents are clicked first, as when the item is reached through its submenus; a
    // disabled one stops the way.
    std::vector<TMenuItem*> path;
    for (TMenuItem* p = item; p; p = p->Parent())
        path.insert(path.begin(), p);
    for (TMenuItem* p : path) {
        if (!p->Enabled())
            break;
        p->Click();
    }
    return true;
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    FItems->GetChildren(proc, root);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent)
        FPopupComponent = nullptr;
}
