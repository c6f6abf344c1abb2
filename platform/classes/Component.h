#pragma once
// TComponent: a named persistent object with an owner. An owner frees the components it owns
// when it is freed; a component freed on its own leaves its owner's list.
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/TypInfo.h"
#include "platform/core/Exception.h"

// A component name that is not an identifier, or is already taken within the owner.
class EComponentError : public Exception {
    using Exception::Exception;
};

// Component state flags.
using TComponentState = uint32_t;
constexpr TComponentState csLoading = 1u << 0;     // a form description is being loaded; Loaded comes
constexpr TComponentState csReading = 1u << 1;     // its properties are being read
constexpr TComponentState csWriting = 1u << 2;
constexpr TComponentState csDestroying = 1u << 3;
constexpr TComponentState csDesigning = 1u << 4;   // never set: there is no designer

enum TOperation : uint8_t { opInsert, opRemove };

// A form's handlers by name, for binding events while its description is read.
struct TMethodEntry {
    std::string Name;
    std::any Method;  // a std::function of the event's exact type
};
using TMethodTable = std::vector<TMethodEntry>;

// An entry for a handler: Method("Image1DblClick", this, &TMainForm1::Image1DblClick).
template <class T, class... A>
TMethodEntry Method(std::string name, T* object, void (T::*method)(A...))
{
    return {std::move(name),
            std::function<void(A...)>([object, method](A... args) { (object->*method)(std::forward<A>(args)...); })};
}

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    std::string ClassName() const override { return ClassInfo().Name(); }

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    // An identifier, unique among the owner's components (letter case ignored), or empty.
    virtual void SetName(const std::string& name);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t tag) { FTag = tag; }

    // Owned components in the order they were created.
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    // The owned component of that name (letter case ignored), or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    template <class T>
    T* Find(std::string_view name) const { return dynamic_cast<T*>(FindComponent(name)); }
    // Sets field to the owned component of that name; EComponentError when there is none of
    // that class.
    template <class T>
    void BindComponent(T*& field, std::string_view name) const
    {
        field = Find<T>(name);
        if (!field)
            throw EComponentError("Component " + std::string(name) + " not found");
    }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last created first.
    void DestroyComponents();
    // Asks component to be told (Notification with opRemove) when this one is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return FComponentState & csLoading; }
    bool Destroying() const { return FComponentState & csDestroying; }
    // For the form description reader: marks the start of loading.
    void BeginLoading() { FComponentState |= csLoading | csReading; }
    void EndReading() { FComponentState &= ~csReading; }
    // For the reader when a description fails: loading ends without Loaded.
    void AbortLoading() { FComponentState &= ~(csLoading | csReading); }
    // Called once after a form description has been read into this component.
    virtual void Loaded();

    // The handlers a form description read into this component may bind, by name.
    virtual TMethodTable Methods() { return {}; }
    // Which handler a form description bound to an event (path like "OnClick"); for writing.
    void SetEventHandlerName(const std::string& path, const std::string& handler);
    const std::string* EventHandlerName(const std::string& path) const;

    // Form description structure: the children written inside this component's entry (in
    // order), and the entry a component is written into.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    bool HasParent() const { return GetParentComponent() != nullptr; }

protected:
    // Told of components inserted into or removed from the owner, and of freed components that
    // asked for it. Overrides clear their references to a removed component.
    virtual void Notification(TComponent* component, TOperation operation);
    void SetDestroying() { FComponentState |= csDestroying; }

private:
    TComponent* FOwner = nullptr;
    std::string FName;
    int32_t FTag = 0;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::map<std::string, std::string> FEventNames;
};
