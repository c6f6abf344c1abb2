#pragma once
// Published properties. A class lists its properties once, in published order, each with its
// kind, getter, setter and declared default (or none); form descriptions are written and read
// through these lists only.
//
//   const TClassInfo& TShadow::StaticClassInfo()
//   {
//       static const TClassInfo info("TShadow", nullptr, {
//           BoolProp("Visible", &TShadow::FVisible, &TShadow::SetShadowVisible, true),
//           ColorProp("Color", &TShadow::FColor, &TShadow::SetShadowColor, clSilver),
//           EventProp("OnChange", &TShadow::FOnChange),
//       });
//       return info;
//   }
//
// Getters and setters are member functions or fields (a field as setter is a direct field
// write). A property without a default is always written.
#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/core/Persistent.h"

class TBitmap;
class TBrush;
class TClassInfo;
class TComponent;
class TFont;
class TPen;

enum class TPropKind : uint8_t {
    Integer,      // 32-bit signed
    Boolean,
    Enumeration,  // written by name
    Set,          // bit flags, written as [name, name]
    Color,        // TColor, written by name where it has one
    String,       // code page 932 text
    Object,       // an owned persistent object, written as its own properties (Font.Name = ...)
    Bitmap,       // a TBitmap's pixels
    Component,    // a reference to another component of the same form, by name
    Event,        // a handler bound by name
    Inherited,    // a placeholder: publish an ancestor's declared property here
};

// Integer values that have names (colours, character sets).
struct TIdentMapEntry {
    int64_t Value;
    const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;

using TPersistentGetter = std::function<TPersistent*(TPersistent*)>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    bool Published = true;

    // Integer, Boolean, Enumeration, Set, Color.
    std::function<int64_t(TPersistent*)> GetOrd;
    std::function<void(TPersistent*, int64_t)> SetOrd;
    std::optional<int64_t> OrdDefault;
    const std::vector<std::string>* Names = nullptr;  // enumeration values or set bits, in order
    const TIdentMap* Idents = nullptr;                // Integer, Color: values written by name

    // String.
    std::function<std::string(TPersistent*)> GetStr;
    std::function<void(TPersistent*, const std::string&)> SetStr;
    std::optional<std::string> StrDefault;

    // Object, Bitmap, Component: the held object; SetObj may be empty (Object: values then go
    // straight into the held object; Bitmap: the value is assigned to it).
    TPersistentGetter GetObj;
    std::function<void(TPersistent*, TPersistent*)> SetObj;
    const TClassInfo& (*ObjectClass)() = nullptr;  // Object: the nested object's property list

    // Event: binds a handler (a std::function of the event's exact type, held in a std::any);
    // false when the handler's type does not fit. HasMethod tells whether one is bound.
    std::function<bool(TPersistent*, const std::any&)> SetMethod;
    std::function<bool(TPersistent*)> HasMethod;

    // Whether the value is written at all (for example Font only while ParentFont is false).
    std::function<bool(TPersistent*)> IsStored;

    // Modifiers, used in the property lists.
    TPropInfo& StoredIf(std::function<bool(TPersistent*)> stored) { IsStored = std::move(stored); return *this; }
    template <class T>
    TPropInfo& StoredIf(bool (T::*stored)() const)
    {
        IsStored = [stored](TPersistent* o) { return (static_cast<T*>(o)->*stored)(); };
        return *this;
    }
    // Declared for descendants to publish (with Inherited) but not published by this class.
    TPropInfo& Unpublished() { Published = false; return *this; }
    // Integer values written by name where the map has one.
    TPropInfo& WithIdents(const TIdentMap& idents) { Idents = &idents; return *this; }
};

class TClassInfo {
public:
    using TFactory = TComponent* (*)(TComponent* owner);
    // Whether the ancestors' published properties come before or after this class's own.
    enum TOrder { InheritedFirst, OwnFirst };

    TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props, TFactory create = nullptr,
               TOrder order = InheritedFirst);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    // Creates an instance owned by owner; nullptr for classes that cannot be created by name.
    TFactory Factory() const { return FCreate; }
    bool InheritsFrom(const TClassInfo& ancestor) const;

    // The published properties in published order.
    const std::vector<const TPropInfo*>& Properties() const { return FPublished; }
    const TPropInfo* FindProperty(std::string_view name) const;

private:
    const TPropInfo* FindDeclared(std::string_view name) const;

    std::string FName;
    const TClassInfo* FParent;
    TFactory FCreate;
    std::vector<TPropInfo> FOwn;
    std::vector<const TPropInfo*> FPublished;
};

template <class T>
TComponent* Creates(TComponent* owner) { return new T(owner); }

// The class registry: component classes that a form description may name.
void RegisterClass(const TClassInfo& info);
template <class... T>
void RegisterClasses() { (RegisterClass(T::StaticClassInfo()), ...); }
const TClassInfo* FindClassInfo(std::string_view name);

// The property list of a nested object's class: T::StaticClassInfo(), or the lists the class
// library keeps for the graphics objects.
template <class T>
const TClassInfo& ClassInfoOf() { return T::StaticClassInfo(); }
template <>
const TClassInfo& ClassInfoOf<TFont>();
template <>
const TClassInfo& ClassInfoOf<TPen>();
template <>
const TClassInfo& ClassInfoOf<TBrush>();

// The names of colours (clWhite, clBtnFace, ...) and of character sets (SHIFTJIS_CHARSET, ...).
const TIdentMap& ColorIdents();
const TIdentMap& CharsetIdents();

namespace typinfo_detail {

template <class M>
struct Member;
template <class T, class R>
struct Member<R (T::*)() const> { using Class = T; using Value = std::remove_cvref_t<R>; };
template <class T, class R>
struct Member<R (T::*)()> { using Class = T; using Value = std::remove_cvref_t<R>; };
template <class T, class A>
struct Member<void (T::*)(A)> { using Class = T; using Value = std::remove_cvref_t<A>; };
template <class T, class F>
struct Member<F T::*> { using Class = T; using Value = F; };

template <class M>
using ClassOf = typename Member<M>::Class;
template <class M>
using ValueOf = typename Member<M>::Value;

template <class G>
decltype(auto) Read(TPersistent* o, G g)
{
    auto* obj = static_cast<ClassOf<G>*>(o);
    if constexpr (std::is_member_function_pointer_v<G>)
        return (obj->*g)();
    else
        return (obj->*g);
}

template <class S, class V>
void Write(TPersistent* o, S s, V&& v)
{
    auto* obj = static_cast<ClassOf<S>*>(o);
    if constexpr (std::is_member_function_pointer_v<S>)
        (obj->*s)(std::forward<V>(v));
    else
        obj->*s = std::forward<V>(v);
}

// An object held as a pointer, a std::unique_ptr or a member.
template <class V>
struct Held { using Type = V; static V* Ptr(V& v) { return &v; } };
template <class V>
struct Held<V*> { using Type = V; static V* Ptr(V* v) { return v; } };
template <class V>
struct Held<std::unique_ptr<V>> { using Type = V; static V* Ptr(const std::unique_ptr<V>& v) { return v.get(); } };

template <class G>
using HeldType = typename Held<ValueOf<G>>::Type;

template <class G>
TPersistentGetter ObjectGetter(G get)
{
    return [get](TPersistent* o) -> TPersistent* {
        decltype(auto) v = Read(o, get);
        return Held<ValueOf<G>>::Ptr(v);
    };
}

template <class G, class S>
TPropInfo Ordinal(TPropKind kind, std::string name, G get, S set, std::optional<int64_t> def)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    p.GetOrd = [get](TPersistent* o) { return static_cast<int64_t>(Read(o, get)); };
    p.SetOrd = [set](TPersistent* o, int64_t v) { Write(o, set, static_cast<ValueOf<S>>(v)); };
    p.OrdDefault = def;
    return p;
}

}  // namespace typinfo_detail

// A declared default that is not there: the property is always written.
inline constexpr std::nullopt_t NoDefault = std::nullopt;

template <class G, class S>
TPropInfo IntProp(std::string name, G get, S set, std::optional<int64_t> def = NoDefault)
{
    return typinfo_detail::Ordinal(TPropKind::Integer, std::move(name), get, set, def);
}
template <class G, class S>
TPropInfo BoolProp(std::string name, G get, S set, std::optional<int64_t> def = NoDefault)
{
    return typinfo_detail::Ordinal(TPropKind::Boolean, std::move(name), get, set, def);
}
template <class G, class S>
TPropInfo ColorProp(std::string name, G get, S set, std::optional<int64_t> def = NoDefault)
{
    return typinfo_detail::Ordinal(TPropKind::Color, std::move(name), get, set, def).WithIdents(ColorIdents());
}
// names: the values' names in ordinal order, kept alive by the caller (a static).
template <class G, class S>
TPropInfo EnumProp(std::string name, G get, S set, const std::vector<std::string>& names,
                   std::optional<int64_t> def = NoDefault)
{
    TPropInfo p = typinfo_detail::Ordinal(TPropKind::Enumeration, std::move(name), get, set, def);
    p.Names = &names;
    return p;
}
// bits: the names of bit 0, bit 1, ...
template <class G, class S>
TPropInfo SetProp(std::string name, G get, S set, const std::vector<std::string>& bits,
                  std::optional<int64_t> def = NoDefault)
{
    TPropInfo p = typinfo_detail::Ordinal(TPropKind::Set, std::move(name), get, set, def);
    p.Names = &bits;
    return p;
}

// Strings default to the empty text, which is not written.
template <class G, class S>
TPropInfo StrProp(std::string name, G get, S set, std::optional<std::string> def = std::string())
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::String;
    p.GetStr = [get](TPersistent* o) { return std::string(typinfo_detail::Read(o, get)); };
    p.SetStr = [set](TPersistent* o, const std::string& v) { typinfo_detail::Write(o, set, v); };
    p.StrDefault = std::move(def);
    return p;
}

// A nested persistent object (Font, Pen, Brush, Highlight, Colors); get returns it. The form
// description holds its properties as Name.Property; reading applies them through the nested
// object's own setters. set (the owner's setter, taking a pointer) is used by Assign-style code,
// not by the reader.
template <class G>
TPropInfo ObjProp(std::string name, G get)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Object;
    p.GetObj = typinfo_detail::ObjectGetter(get);
    p.ObjectClass = &ClassInfoOf<typinfo_detail::HeldType<G>>;
    return p;
}
template <class G, class S>
TPropInfo ObjProp(std::string name, G get, S set)
{
    TPropInfo p = ObjProp(std::move(name), get);
    p.SetObj = [set](TPersistent* o, TPersistent* v) {
        typinfo_detail::Write(o, set, static_cast<typinfo_detail::ValueOf<S>>(v));
    };
    return p;
}
template <class G>
TPropInfo FontProp(std::string name, G get) { return ObjProp(std::move(name), get); }
template <class G, class S>
TPropInfo FontProp(std::string name, G get, S set) { return ObjProp(std::move(name), get, set); }

// A bitmap: written when it is not empty; reading builds a bitmap and hands it to set.
template <class G, class S>
TPropInfo BitmapProp(std::string name, G get, S set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Bitmap;
    p.GetObj = typinfo_detail::ObjectGetter(get);
    p.SetObj = [set](TPersistent* o, TPersistent* v) {
        typinfo_detail::Write(o, set, static_cast<typinfo_detail::ValueOf<S>>(v));
    };
    return p;
}

// A reference to another component (PopupMenu = PopupMenu1); nil is the default.
template <class G, class S>
TPropInfo ComponentProp(std::string name, G get, S set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Component;
    p.GetObj = typinfo_detail::ObjectGetter(get);
    p.SetObj = [set](TPersistent* o, TPersistent* v) {
        using Target = typinfo_detail::ValueOf<S>;
        auto* typed = dynamic_cast<Target>(v);
        if (v && !typed)
            throw std::bad_cast();
        typinfo_detail::Write(o, set, typed);
    };
    return p;
}

// An event held in a std::function field (or read and written through a getter and setter).
template <class G, class S>
TPropInfo EventProp(std::string name, G get, S set)
{
    using Fn = typinfo_detail::ValueOf<G>;
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Event;
    p.SetMethod = [set](TPersistent* o, const std::any& m) {
        const Fn* fn = std::any_cast<Fn>(&m);
        if (!fn)
            return false;
        typinfo_detail::Write(o, set, *fn);
        return true;
    };
    p.HasMethod = [get](TPersistent* o) { return static_cast<bool>(typinfo_detail::Read(o, get)); };
    return p;
}
template <class F>
TPropInfo EventProp(std::string name, F field) { return EventProp(std::move(name), field, field); }

// Publishes a property that an ancestor declared, at this place.
inline TPropInfo Inherited(std::string name)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Inherited;
    return p;
}
