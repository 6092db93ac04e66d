#pragma once
// Published properties and methods: each class describes the properties a form
// description may set and code may look up by name. Free of windows.h.

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
class TStringList;
struct ClassInfo;

enum class TPropKind {
    Integer,    // signed 32-bit
    Boolean,    // False / True
    String,     // quoted text
    Color,      // TColor: a number or a colour name (clBtnFace)
    Enum,       // stored by name
    Set,        // [name, name]: a bit set over an enumeration
    Object,     // nested object: Font.Name = 'Tahoma'
    Collection, // < item ... end >
    Strings,    // ( 'line' 'line' )
    Component,  // reference by name, resolved after loading
    Binary,     // { hex } picture data, or a resource name as text
    Event,      // handler name bound to a published method of the root
};

struct TEnumInfo {
    std::vector<std::string> Names;             // ordinal = position
    int ValueOf(const std::string& name) const; // -1 when unknown
};

struct TPropertyInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr; // Enum, Set
    // Component: the class the referent must be (a function, so a class may refer to itself).
    const ClassInfo& (*RefClass)() = nullptr;
    std::function<int64_t(TObject*)> GetOrd; // Integer, Boolean, Color, Enum, Set (bit mask)
    std::function<void(TObject*, int64_t)> SetOrd;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TPersistent*(TObject*)> GetObj; // Object, Collection, Strings
    std::function<TComponent*(TObject*)> GetRef;
    std::function<void(TObject*, TComponent*)> SetRef;
    std::function<void(TObject*, const std::vector<uint8_t>&)> SetBinary;
    std::function<void(TObject*, const std::string&)> SetBinaryResource;
    // Event: binds a published method (an std::function of the event's type held in
    // std::any); returns false when the method's type does not fit the event.
    std::function<bool(TObject*, const std::any&)> SetEvent;
};

// A published method: a handler the form description can bind by name. Its value
// is an std::function of the handler's event type, bound to the root object.
struct TMethodInfo {
    std::string Name;
    std::function<std::any(TObject* self)> Bind;
};

// A published field: the form object's pointer to one of its components.
struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject* self, TComponent* component)> Assign; // false: wrong class
};

struct ClassInfo {
    std::string Name;
    const ClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create; // empty for abstract classes
    std::vector<TPropertyInfo> Properties;                // in published order
    std::vector<TMethodInfo> Methods;
    std::vector<TFieldInfo> Fields;

    // Searches this class and then its ancestors (case-insensitively).
    const TPropertyInfo* FindProperty(const std::string& name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;
    const TFieldInfo* FindField(const std::string& name) const;
    bool InheritsFrom(const ClassInfo& other) const;
};

// Classes the form reader may create, by name. Each layer has one function
// that registers all of its classes (RegisterFrameworkClasses and the like);
// the program calls them before it reads its forms.
void RegisterPublishedClass(const ClassInfo& info);
template <class... C> void RegisterClasses() {
    (RegisterPublishedClass(C::StaticClassInfo()), ...);
}
const ClassInfo* FindClass(const std::string& name);

// Property access by name, through the published-property mechanism, so the
// class's own setters run. Each raises EPropertyError when the name is unknown
// or of another kind.
const TPropertyInfo* GetPropInfo(const TObject* object, const std::string& name);
int64_t GetOrdProp(TObject* object, const std::string& name);
void SetOrdProp(TObject* object, const std::string& name, int64_t value);
std::string GetStrProp(TObject* object, const std::string& name);
void SetStrProp(TObject* object, const std::string& name, const std::string& value);
TComponent* GetComponentProp(TObject* object, const std::string& name);
void SetComponentProp(TObject* object, const std::string& name, TComponent* value);
TPersistent* GetObjectProp(TObject* object, const std::string& name);

// The published class an object class is described by: itself when it
// declares its own description, else the nearest ancestor that does. GCC can
// list a class's direct bases, which lets the builder check at compile time
// that the base a class names is its real published base.
#if defined(__GNUC__) && !defined(__clang__)
#include <tr2/type_traits>
#define TYPEINFO_CHECKS_BASES 1
namespace published_detail {
template <class... B> struct FirstObjectClass { using type = void; };
template <class H, class... R> struct FirstObjectClass<H, R...> {
    using type =
        std::conditional_t<std::is_base_of_v<TObject, H>, H, typename FirstObjectClass<R...>::type>;
};
template <class List> struct ObjectBaseOf;
template <class... B> struct ObjectBaseOf<std::tr2::__reflection_typelist<B...>> {
    using type = typename FirstObjectClass<B...>::type;
};
// The direct base on the TObject side (others are interfaces).
template <class T>
using ObjectBase = typename ObjectBaseOf<typename std::tr2::direct_bases<T>::type>::type;
template <class T, bool Own = std::is_same_v<typename T::PublishedSelf, T>> struct Nearest {
    using type = T;
};
template <class T> struct Nearest<T, false> { using type = typename Nearest<ObjectBase<T>>::type; };
template <class C> using PublishedBase = typename Nearest<ObjectBase<C>>::type;
} // namespace published_detail
#endif

// Builds a class description with member-pointer shortcuts; the name and the
// base come from the class's DECLARE_PUBLISHED:
//   static const ClassInfo info = ClassBuilder<TskCheckBox>()
//       .Bool("Checked", &TskCheckBox::Checked, &TskCheckBox::SetChecked)
//       .Build();
template <class C> class ClassBuilder {
  public:
    using Base = typename C::Inherited;
    static_assert(std::is_base_of_v<Base, C>, "a published class derives from its base");
    static_assert(std::is_same_v<typename Base::PublishedSelf, Base>,
                  "the base of a published class is a published class");
#ifdef TYPEINFO_CHECKS_BASES
    static_assert(std::is_same_v<published_detail::PublishedBase<C>, Base>,
                  "DECLARE_PUBLISHED names the nearest published base of the class");
#endif

    ClassBuilder() {
        info_.Name = C::PublishedName;
        info_.Parent = &Base::StaticClassInfo();
        if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>)
            info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    template <class G, class S> ClassBuilder& Int(const char* name, G get, S set) {
        return Ord(name, TPropKind::Integer, get, set);
    }
    template <class G, class S> ClassBuilder& Bool(const char* name, G get, S set) {
        return Ord(name, TPropKind::Boolean, get, set);
    }
    template <class G, class S> ClassBuilder& Color(const char* name, G get, S set) {
        return Ord(name, TPropKind::Color, get, set);
    }
    template <class G, class S>
    ClassBuilder& Enum(const char* name, const TEnumInfo& names, G get, S set) {
        Ord(name, TPropKind::Enum, get, set);
        info_.Properties.back().Enum = &names;
        return *this;
    }
    // A set stored as a bit mask over the enumeration's ordinals.
    template <class G, class S>
    ClassBuilder& Set(const char* name, const TEnumInfo& names, G get, S set) {
        Ord(name, TPropKind::Set, get, set);
        info_.Properties.back().Enum = &names;
        return *this;
    }
    template <class G, class S> ClassBuilder& Str(const char* name, G get, S set) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = TPropKind::String;
        p.GetStr = [get](TObject* o) { return std::string((static_cast<C*>(o)->*get)()); };
        p.SetStr = [set](TObject* o, const std::string& v) { (static_cast<C*>(o)->*set)(v); };
        return Add(std::move(p));
    }
    // Nested object (Font, Options), collection or string list, read by getter.
    template <class G> ClassBuilder& Object(const char* name, TPropKind kind, G get) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = kind;
        p.GetObj = [get](TObject* o) -> TPersistent* { return (static_cast<C*>(o)->*get)(); };
        return Add(std::move(p));
    }
    template <class Ref, class G, class S> ClassBuilder& Reference(const char* name, G get, S set) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = TPropKind::Component;
        p.RefClass = &Ref::StaticClassInfo;
        p.GetRef = [get](TObject* o) -> TComponent* { return (static_cast<C*>(o)->*get)(); };
        p.SetRef = [set](TObject* o, TComponent* v) {
            (static_cast<C*>(o)->*set)(dynamic_cast<Ref*>(v));
        };
        return Add(std::move(p));
    }
    // Picture data: a bitmap or icon file image, or the name of a resource.
    template <class SB, class SR>
    ClassBuilder& Binary(const char* name, SB setBytes, SR setResource) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = TPropKind::Binary;
        p.SetBinary = [setBytes](TObject* o, const std::vector<uint8_t>& v) {
            (static_cast<C*>(o)->*setBytes)(v);
        };
        p.SetBinaryResource = [setResource](TObject* o, const std::string& v) {
            (static_cast<C*>(o)->*setResource)(v);
        };
        return Add(std::move(p));
    }
    // An event: a public std::function member of the event's type.
    template <class F> ClassBuilder& Event(const char* name, F C::*member) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = TPropKind::Event;
        p.SetEvent = [member](TObject* o, const std::any& method) {
            const F* handler = std::any_cast<F>(&method);
            if (!handler) return false;
            static_cast<C*>(o)->*member = *handler;
            return true;
        };
        return Add(std::move(p));
    }
    // A published method of the root class: void C::Handler(Args...).
    template <class... A> ClassBuilder& Method(const char* name, void (C::*method)(A...)) {
        TMethodInfo m;
        m.Name = name;
        m.Bind = [method](TObject* self) -> std::any {
            C* target = static_cast<C*>(self);
            return std::function<void(A...)>(
                [target, method](A... args) { (target->*method)(std::forward<A>(args)...); });
        };
        info_.Methods.push_back(std::move(m));
        return *this;
    }
    // A published field of the root class that the reader fills by component name.
    template <class T> ClassBuilder& Field(const char* name, T* C::*field) {
        TFieldInfo f;
        f.Name = name;
        f.Assign = [field](TObject* self, TComponent* component) {
            T* typed = dynamic_cast<T*>(component);
            if (!typed) return false;
            static_cast<C*>(self)->*field = typed;
            return true;
        };
        info_.Fields.push_back(std::move(f));
        return *this;
    }

    ClassInfo Build() {
        return std::move(info_);
    }

  private:
    template <class G, class S> ClassBuilder& Ord(const char* name, TPropKind kind, G get, S set) {
        TPropertyInfo p;
        p.Name = name;
        p.Kind = kind;
        p.GetOrd = [get](TObject* o) { return static_cast<int64_t>((static_cast<C*>(o)->*get)()); };
        p.SetOrd = [set](TObject* o, int64_t v) {
            using Arg = typename ArgOf<S>::type;
            (static_cast<C*>(o)->*set)(static_cast<Arg>(v));
        };
        return Add(std::move(p));
    }
    ClassBuilder& Add(TPropertyInfo p) {
        info_.Properties.push_back(std::move(p));
        return *this;
    }
    template <class S> struct ArgOf;
    template <class R, class K, class A> struct ArgOf<R (K::*)(A)> {
        using type = std::decay_t<A>;
    };
    ClassInfo info_;
};

// Declares the class description of a published class and names its base
// (the nearest published ancestor); the class's name is written only here.
#define DECLARE_PUBLISHED(ClassName, BaseName)                                                     \
  public:                                                                                          \
    using Inherited = BaseName;                                                                    \
    using PublishedSelf = ClassName;                                                               \
    static constexpr const char* PublishedName = #ClassName;                                       \
    static const ClassInfo& StaticClassInfo();                                                     \
    const ClassInfo& ClassType() const override {                                                  \
        return StaticClassInfo();                                                                  \
    }
