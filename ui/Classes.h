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

// Builders for property descriptions; C is the publishing class.
namespace published {
template <class C>
TPropInfo Int(std::string name, std::function<long(const C&)> get, std::function<void(C&, long)> set = {}) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TTypeKind::tkInteger;
  p.GetOrd = [get](const TObject& o) { return get(static_cast<const C&>(o)); };
  if (set) p.SetOrd = [set](TObject& o, long v) { set(static_cast<C&>(o), v); };
  return p;
}
template <class C>
TPropInfo Enum(std::string name, std::vector<std::string> identifiers, std::function<long(const C&)> get,
               std::function<void(C&, long)> set = {}) {
  TPropInfo p = Int<C>(std::move(name), std::move(get), std::move(set));
  p.Kind = TTypeKind::tkEnumeration;
  p.EnumNames = std::move(identifiers);
  return p;
}
template <class C>
TPropInfo Bool(std::string name, std::function<bool(const C&)> get, std::function<void(C&, bool)> set = {}) {
  std::function<void(C&, long)> s;
  if (set) s = [set](C& c, long v) { set(c, v != 0); };
  return Enum<C>(
      std::move(name), {"False", "True"}, [get](const C& c) -> long { return get(c) ? 1 : 0; }, s);
}
template <class C>
TPropInfo Str(std::string name, std::function<std::string(const C&)> get,
              std::function<void(C&, const std::string&)> set = {}) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TTypeKind::tkString;
  p.GetStr = [get](const TObject& o) { return get(static_cast<const C&>(o)); };
  if (set) p.SetStr = [set](TObject& o, const std::string& v) { set(static_cast<C&>(o), v); };
  return p;
}
template <class C>
TPropInfo WStr(std::string name, std::function<std::wstring(const C&)> get,
               std::function<void(C&, const std::wstring&)> set = {}) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TTypeKind::tkWString;
  p.GetWStr = [get](const TObject& o) { return get(static_cast<const C&>(o)); };
  if (set) p.SetWStr = [set](TObject& o, const std::wstring& v) { set(static_cast<C&>(o), v); };
  return p;
}
template <class C, class T>
TPropInfo Object(std::string name, std::function<T*(const C&)> get) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TTypeKind::tkClass;
  p.ObjType = &typeid(T);
  p.GetAny = [get](const TObject& o) -> void* { return get(static_cast<const C&>(o)); };
  if constexpr (std::is_base_of_v<TObject, T>)
    p.GetObj = [get](const TObject& o) -> TObject* { return get(static_cast<const C&>(o)); };
  return p;
}
}  // namespace published

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
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
};

enum TComponentStateFlag : unsigned { csLoading = 1u, csDestroying = 2u };
using TComponentState = unsigned;
enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

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
