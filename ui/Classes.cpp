#include "ui/Classes.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

void Erase(std::vector<TComponent*>& list, TComponent* c) {
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
}
}  // namespace

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props)
    : FName(std::move(name)), FParent(parent), FProps(std::move(props)) {}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const noexcept {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FProps)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const noexcept {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info("TObject", nullptr);
  return info;
}

DEFINE_CLASS_INFO(TPersistent, TObject)

DEFINE_CLASS_INFO(TComponent, TPersistent, Prop<&TComponent::Name>("Name"), Prop<&TComponent::Tag>("Tag"))

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  ComponentState |= csDestroying;
  // Tell everyone who asked, then forget them (and their interest in us).
  std::vector<TComponent*> notify;
  notify.swap(FFreeNotifies);
  for (TComponent* c : notify) {
    Erase(c->FFreeNotifies, this);
    c->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    delete c;
  }
}

void TComponent::InsertComponent(TComponent* c) {
  if (!c || c->FOwner == this) return;
  if (c->FOwner) c->FOwner->RemoveComponent(c);
  FComponents.push_back(c);
  c->FOwner = this;
  if (ComponentState & csLoading) c->ComponentState |= csLoading;
  Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  if (!c || c->FOwner != this) return;
  Notification(c, TOperation::opRemove);
  Erase(FComponents, c);
  c->FOwner = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->Name, name)) return c;
  return nullptr;
}

void TComponent::BeginLoading() {
  ComponentState |= csLoading;
  for (TComponent* c : FComponents) c->ComponentState |= csLoading;
}

void TComponent::Loaded() { ComponentState &= ~static_cast<unsigned>(csLoading); }

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(c);
    c->FFreeNotifies.push_back(this);  // both sides, so whichever goes first unlinks
  }
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  Erase(FFreeNotifies, c);
  Erase(c->FFreeNotifies, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) noexcept {
  return obj ? obj->ClassType().FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::string_view name) noexcept {
  return GetPropInfo(obj, name) != nullptr;
}

long GetIntProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  return (p && p->Kind == TTypeKind::tkInteger && p->GetOrd) ? p->GetOrd(*obj) : 0;
}

std::string GetEnumProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkEnumeration || !p->GetOrd) return {};
  long v = p->GetOrd(*obj);
  if (v < 0 || static_cast<size_t>(v) >= p->EnumNames.size()) return {};
  return p->EnumNames[static_cast<size_t>(v)];
}

std::string GetStrProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  return (p && p->Kind == TTypeKind::tkString && p->GetStr) ? p->GetStr(*obj) : std::string();
}

TObject* GetObjectProperty(const TObject* obj, std::string_view name, const TClassInfo& c) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkClass || !p->GetObj) return nullptr;
  TObject* o = p->GetObj(*obj);
  return (o && o->InheritsFrom(c)) ? o : nullptr;
}

bool SetIntProperty(TObject* obj, std::string_view name, long value) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || !p->SetOrd) return false;
  if (p->Kind == TTypeKind::tkEnumeration && (value < 0 || static_cast<size_t>(value) >= p->EnumNames.size()))
    return false;
  if (p->Kind != TTypeKind::tkInteger && p->Kind != TTypeKind::tkEnumeration) return false;
  p->SetOrd(*obj, value);
  return true;
}

bool SetStrProperty(TObject* obj, std::string_view name, const std::string& value) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkString || !p->SetStr) return false;
  p->SetStr(*obj, value);
  return true;
}

bool SetPropertyText(TObject* obj, std::string_view name, std::string_view value) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || !p->SetOrd) return false;
  if (p->Kind == TTypeKind::tkEnumeration) {
    for (size_t i = 0; i < p->EnumNames.size(); ++i)
      if (SameText(p->EnumNames[i], value)) {
        p->SetOrd(*obj, static_cast<long>(i));
        return true;
      }
    return false;  // an unknown identifier changes nothing
  }
  if (p->Kind == TTypeKind::tkInteger) {
    long v = 0;
    auto first = value.data(), last = value.data() + value.size();
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last) return false;  // not a number: nothing written
    p->SetOrd(*obj, v);
    return true;
  }
  return false;
}
