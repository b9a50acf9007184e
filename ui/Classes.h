#pragma once
// Components and published properties (portable).
//
// A TComponent may have an owner; the owner frees what it owns, last created first.
// Every class that publishes properties describes them once in a TClassInfo (name, kind,
// getter, setter), so code can read and write a property of any object by name. Lookups
// by name ignore case; a missing property reads as 0, empty text or none.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

class TObject;

enum class TTypeKind { tkInteger, tkEnumeration, tkString, tkWString, tkClass };

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  // Integer and enumeration (ordinal) properties; Boolean is an enumeration {False, True}.
  std::function<long(const TObject&)> GetOrd;
  std::function<void(TObject&, long)> SetOrd;
  std::vector<std::string> EnumNames;  // identifier of each ordinal value
  // String and wide string properties.
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<std::wstring(const TObject&)> GetWStr;
  std::function<void(TObject&, const std::wstring&)> SetWStr;
  // Object-valued properties (e.g. "Font", "Glyph"). Values need not derive from TObject
  // (fonts and bitmaps do not): GetAny with ObjType serves every value, GetObj only TObjects.
  std::function<void*(const TObject&)> GetAny;
  const std::type_info* ObjType = nullptr;
  std::function<TObject*(const TObject&)> GetObj;
};

class TClassInfo {
 public:
  TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props = {});
  const std::string& Name() const noexcept { return FName; }
  const TClassInfo* Parent() const noexcept { return FParent; }
  // Searches this class, then its ancestors.
  const TPropInfo* FindProp(std::string_view name) const noexcept;
  bool InheritsFrom(const TClassInfo& other) const noexcept;
  const std::vector<TPropInfo>& Props() const noexcept { return FProps; }

 private:
  std::string FName;
  const TClassInfo* FParent;
  std::vector<TPropInfo> FProps;
};

// Property descriptions. Prop<&C::Getter, &C::Setter>("Name") or Prop<&C::Field>("Name")
// (a field is read and written in place) serves a property held by a member; Computed serves
// one whose published value is worked out. The kind follows the value's type: bool is a
// Boolean, an integer or enumeration type an integer, or an enumeration when identifiers are
// given (value i is identifiers[i]), std::string and std::wstring text, a pointer an object.
// Without a setter a property is read-only.
namespace published {
namespace detail {
template <class C, class V>
struct Reads {
  using Class = C;
  using Value = std::remove_cv_t<std::remove_reference_t<V>>;
};
template <class M>
struct Getter;  // a getter method or a field
template <class C, class R>
struct Getter<R (C::*)() const> : Reads<C, R> {};
template <class C, class R>
struct Getter<R (C::*)() const noexcept> : Reads<C, R> {};
template <class C, class R>
struct Getter<R (C::*)()> : Reads<C, R> {};
template <class C, class R>
struct Getter<R (C::*)() noexcept> : Reads<C, R> {};
template <class C, class T>
struct Getter<T C::*> : Reads<C, T> {};

template <class M>
struct Setter;  // a setter method or a field
template <class C, class A>
struct Setter<void (C::*)(A)> : Reads<C, A> {};
template <class C, class A>
struct Setter<void (C::*)(A) noexcept> : Reads<C, A> {};
template <class C, class T>
struct Setter<T C::*> : Reads<C, T> {};

// Each member is reached through its own class: a getter and its setter may be declared on
// different levels of the hierarchy.
template <auto Get>
decltype(auto) Read(const TObject& o) {
  using C = typename Getter<decltype(Get)>::Class;
  const C& c = static_cast<const C&>(o);
  if constexpr (std::is_member_object_pointer_v<decltype(Get)>)
    return (c.*Get);
  else if constexpr (std::is_invocable_v<decltype(Get), const C&>)
    return (c.*Get)();
  else
    return (const_cast<C&>(c).*Get)();  // a getter that may make the window first
}

template <auto Set, class V>
void Write(TObject& o, const V& v) {
  using C = typename Setter<std::remove_cv_t<decltype(Set)>>::Class;
  using A = typename Setter<std::remove_cv_t<decltype(Set)>>::Value;
  C& c = static_cast<C&>(o);
  if constexpr (std::is_member_object_pointer_v<std::remove_cv_t<decltype(Set)>>)
    c.*Set = static_cast<A>(v);
  else
    (c.*Set)(static_cast<A>(v));
}

template <class>
inline constexpr bool kUnsupported = false;

// The description of a property of value type V from get(const TObject&) and, unless it is
// nullptr, set(TObject&, V).
template <class V, class GetFn, class SetFn>
TPropInfo Describe(std::string name, std::vector<std::string> identifiers, GetFn get, SetFn set) {
  constexpr bool writable = !std::is_null_pointer_v<SetFn>;
  TPropInfo p;
  p.Name = std::move(name);
  if constexpr (std::is_same_v<V, bool> || std::is_integral_v<V> || std::is_enum_v<V>) {
    p.Kind =
        std::is_same_v<V, bool> || !identifiers.empty() ? TTypeKind::tkEnumeration : TTypeKind::tkInteger;
    p.EnumNames =
        std::is_same_v<V, bool> ? std::vector<std::string>{"False", "True"} : std::move(identifiers);
    p.GetOrd = [get](const TObject& o) { return static_cast<long>(get(o)); };
    if constexpr (writable) {
      p.SetOrd = [set](TObject& o, long v) {
        if constexpr (std::is_same_v<V, bool>)
          set(o, v != 0);
        else
          set(o, static_cast<V>(v));
      };
    }
  } else if constexpr (std::is_same_v<V, std::string>) {
    p.Kind = TTypeKind::tkString;
    p.GetStr = get;
    if constexpr (writable) p.SetStr = set;
  } else if constexpr (std::is_same_v<V, std::wstring>) {
    p.Kind = TTypeKind::tkWString;
    p.GetWStr = get;
    if constexpr (writable) p.SetWStr = set;
  } else if constexpr (std::is_pointer_v<V>) {
    using T = std::remove_cv_t<std::remove_pointer_t<V>>;
    p.Kind = TTypeKind::tkClass;
    p.ObjType = &typeid(T);
    p.GetAny = [get](const TObject& o) -> void* { return const_cast<T*>(get(o)); };
    if constexpr (std::is_base_of_v<TObject, T>)
      p.GetObj = [get](const TObject& o) -> TObject* { return const_cast<T*>(get(o)); };
  } else {
    static_assert(kUnsupported<V>, "no property kind for this type");
  }
  return p;
}
}  // namespace detail

template <auto Get, auto Set = nullptr>
TPropInfo Prop(std::string name, std::vector<std::string> identifiers = {}) {
  using V = typename detail::Getter<decltype(Get)>::Value;
  auto get = [](const TObject& o) -> V { return detail::Read<Get>(o); };
  // A field is its own setter; a getter method without a setter is read-only.
  constexpr auto S = [] {
    if constexpr (std::is_null_pointer_v<decltype(Set)> && std::is_member_object_pointer_v<decltype(Get)>)
      return Get;
    else
      return Set;
  }();
  if constexpr (std::is_null_pointer_v<std::remove_cv_t<decltype(S)>>)
    return detail::Describe<V>(std::move(name), std::move(identifiers), get, nullptr);
  else
    return detail::Describe<V>(std::move(name), std::move(identifiers), get,
                               [](TObject& o, const V& v) { detail::Write<S>(o, v); });
}

// A property worked out by get and set on the publishing class C.
template <class C, class V>
TPropInfo Computed(std::string name, V (*get)(const C&), void (*set)(C&, V)) {
  return detail::Describe<V>(
      std::move(name), {}, [get](const TObject& o) { return get(static_cast<const C&>(o)); },
      [set](TObject& o, const V& v) { set(static_cast<C&>(o), v); });
}
}  // namespace published

// A class's run-time information: `DECLARE_CLASS_INFO;` in the class body, and in its source
// `DEFINE_CLASS_INFO(TFoo, TParent, Prop<...>("Name"), ...)` with the properties it publishes
// (none for a class that only has a name of its own).
#define DECLARE_CLASS_INFO                                               \
  const TClassInfo& ClassType() const override { return StaticClass(); } \
  static const TClassInfo& StaticClass()
#define DEFINE_CLASS_INFO(C, Parent, ...)                                    \
  const TClassInfo& C::StaticClass() {                                       \
    using namespace published;                                               \
    static const TClassInfo info(#C, &Parent::StaticClass(), {__VA_ARGS__}); \
    return info;                                                             \
  }

// A class that gives its ancestor's behaviour a published name of its own (TEdit over
// TCustomEdit): the ancestor's constructor, and `DEFINE_CLASS_INFO(C, Parent)` in its source.
#define DECLARE_NAMED_CLASS(C, Parent)                 \
  class C : public Parent {                            \
   public:                                             \
    explicit C(TComponent* AOwner) : Parent(AOwner) {} \
    DECLARE_CLASS_INFO;                                \
  }

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  static const TClassInfo& StaticClass();
  // Every class with its own name or published properties overrides this.
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassInfo& c) const { return ClassType().InheritsFrom(c); }
};

class TPersistent : public TObject {
 public:
  DECLARE_CLASS_INFO;
};

enum TComponentStateFlag : unsigned { csLoading = 1u, csDestroying = 2u };
using TComponentState = unsigned;
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  DECLARE_CLASS_INFO;

  TComponent* Owner() const noexcept { return FOwner; }
  int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  TComponent* FindComponent(std::string_view name) const noexcept;
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  // Frees the owned components, last first. Windowed owners call this from their own
  // destructor so the children go while the owner is still whole.
  void DestroyComponents();

  std::string Name;
  int Tag = 0;
  TComponentState ComponentState = 0;

  // Loading: a form sets csLoading on itself and its components while it builds them,
  // then calls Loaded on each, which clears the flag.
  void BeginLoading();
  virtual void Loaded();
  // Asks to be told (Notification with opRemove) when c is freed.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  void SetOwnerLink(TComponent* owner, bool insert);
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;  // components told when this one goes
};

// Property access by name. Missing or mismatching properties read as 0, empty or none,
// and writes to them are ignored.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) noexcept;
bool IsPublishedProp(const TObject* obj, std::string_view name) noexcept;
long GetIntProperty(const TObject* obj, std::string_view name);
// Identifier of an enumeration or Boolean property's value (e.g. "True").
std::string GetEnumProperty(const TObject* obj, std::string_view name);
std::string GetStrProperty(const TObject* obj, std::string_view name);
// Wide strings as they are; narrow strings widened with the system code page (Win32 only).
std::wstring GetTextProperty(const TObject* obj, std::string_view name);
// The object, when the property is object-valued and the object is of class c.
TObject* GetObjectProperty(const TObject* obj, std::string_view name, const TClassInfo& c);
// Typed form; also serves values that are not TObjects (fonts, bitmaps), matched by exact type.
template <class T>
T* GetObjectProperty(const TObject* obj, std::string_view name) {
  if constexpr (std::is_base_of_v<TObject, T>) {
    return static_cast<T*>(GetObjectProperty(obj, name, T::StaticClass()));
  } else {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p || p->Kind != TTypeKind::tkClass || !p->GetAny || !p->ObjType || *p->ObjType != typeid(T))
      return nullptr;
    return static_cast<T*>(p->GetAny(*obj));
  }
}
// Enumeration by identifier (case ignored), integer by its decimal text; other kinds ignored.
// Answers whether a value was written.
bool SetPropertyText(TObject* obj, std::string_view name, std::string_view value);
bool SetIntProperty(TObject* obj, std::string_view name, long value);
bool SetStrProperty(TObject* obj, std::string_view name, const std::string& value);
