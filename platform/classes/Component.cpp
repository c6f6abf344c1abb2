#include "platform/classes/Component.h"

#include <algorithm>

#include "platform/core/Cp932.h"
#include "platform/core/Files.h"

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info("TComponent", nullptr, {
        IntProp("Tag", &TComponent::Tag, &TComponent::SetTag, 0),
    });
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    DestroyComponents();
    std::vector<TComponent*> notifies = std::move(FFreeNotifies);
    FFreeNotifies.clear();
    for (TComponent* c : notifies) {
        c->RemoveFreeNotification(this);
        c->Notification(this, opRemove);
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

namespace {

bool IsIdent(std::string_view name)
{
    if (name.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

}  // namespace

void TComponent::SetName(const std::string& name)
{
    if (name == FName)
        return;
    if (!name.empty() && !IsIdent(name))
        throw EComponentError(Format(Sjis("'%s' は有効なコンポーネント名ではありません"), {name}));
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(Format(Sjis("%s という名前のコンポーネントは既に存在します"), {name}));
    }
    FName = name;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->FOwner == this)
        return;
    if (!component->FName.empty()) {
        TComponent* other = FindComponent(component->FName);
        if (other)
            throw EComponentError(Format(Sjis("%s という名前のコンポーネントは既に存在します"), {component->FName}));
    }
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end())
        return;
    FComponents.erase(it);
    component->FOwner = nullptr;
    Notification(component, opRemove);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
        component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    std::erase(FFreeNotifies, component);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove)
        RemoveFreeNotification(component);
    // Owned components hear of each other, so that references within a form are cleared.
    for (size_t i = 0; i < FComponents.size(); ++i)
        if (FComponents[i] != component)
            FComponents[i]->Notification(component, operation);
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::SetEventHandlerName(const std::string& path, const std::string& handler)
{
    if (handler.empty())
        FEventNames.erase(path);
    else
        FEventNames[path] = handler;
}

const std::string* TComponent::EventHandlerName(const std::string& path) const
{
    auto it = FEventNames.find(path);
    return it == FEventNames.end() ? nullptr : &it->second;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}
