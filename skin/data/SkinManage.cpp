#include "skin/data/SkinManage.h"

#include <algorithm>

namespace {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

}  // namespace

bool PopupMenuAllowed(TPopupMenuKind kind, TSkinControlTypes controls) {
  switch (kind) {
    case pmkPopup:
      return (controls & SkinBit(xcPopupMenu)) != 0;
    case pmkMenuBar:
      return (controls & (SkinBit(xcMainMenu) | SkinBit(xcMenuItem))) != 0;
    case pmkSystem:
      return (controls & SkinBit(xcSystemMenu)) != 0;
    default:
      return false;
  }
}

TSkinWindowVerdict DecideSkinWindow(ISkinWindowProbe& p) {
  using V = TSkinWindowVerdict;
  if (!p.SkinningOn()) return V::SkinningOff;
  p.PurgeClosed();
  if (p.AnswersSkinQuery() || p.HasFormHandler()) return V::AlreadySkinned;
  const bool isForm = p.LookUpForm();
  if (!p.Scanning() && p.IsChildWindow() && Lower(p.ParentClassName()) != "mdiclient") return V::ChildWindow;
  if (p.WindowWidth() == 0 || p.WindowHeight() == 0) return V::ZeroSize;
  if (isForm && p.FormTag() == NeverSkinFormTag) return V::Tag99;
  const std::string cls = p.ClassName();
  if (cls == "TApplication" || cls == "TQRStandardPreview") return V::ExcludedClass;
  if (TSkinData* main = p.MainSkinData()) {
    bool doSkin = true;
    main->MayBeSkinned(cls, doSkin);
    if (!doSkin) return V::Refused;
  }
  TSkinData* data = p.FindSkinData();
  if (!data || data->NoSkin) return V::NoSkinData;
  return p.Attach(data) ? V::Attached : V::NotAttached;
}

TSkinData* ChooseSkinData(const std::vector<TSkinData*>& components,
                          const std::function<bool(const TSkinData&)>& ownsWindow,
                          std::string_view className) {
  auto lastOf = [&](auto pred) -> TSkinData* {
    for (auto it = components.rbegin(); it != components.rend(); ++it)
      if (pred(**it)) return *it;
    return nullptr;
  };
  if (TSkinData* d =
          lastOf([&](const TSkinData& s) { return s.SkinFormtype == sfOnlyThisForm && ownsWindow(s); }))
    return d;
  const std::string cls = Lower(className);
  if (cls == "tmessageform" || cls == "#32770")
    if (TSkinData* d = lastOf([](const TSkinData& s) { return s.SkinFormtype == sfDialog; })) return d;
  if (TSkinData* d = lastOf([](const TSkinData& s) { return s.SkinFormtype == sfMainform; })) return d;
  return components.empty() ? nullptr : components.front();
}

TCommandPlan PlanCommand(int command, TSkinFormType targetType) {
  const bool only = targetType == sfOnlyThisForm;
  TCommandPlan p;
  switch (command) {
    case scmActivate:
      p.Skinning = TCommandPlan::On;
      p.Scan = true;
      p.PurgeFirst = !only;
      p.Step = only ? TCommandPlan::SkinOwnerForm : TCommandPlan::SkinAllForms;
      break;
    case scmDeactivate:
      p.Skinning = TCommandPlan::Off;
      p.PurgeFirst = true;
      p.Step = only ? TCommandPlan::DetachLast : TCommandPlan::DetachAll;
      break;
    case scmRefresh:
      p.PurgeFirst = true;
      p.Step = only ? TCommandPlan::RefreshFirst : TCommandPlan::RefreshAll;
      break;
    case scmPurge:
      p.PurgeFirst = true;
      break;
    default:
      break;
  }
  return p;
}

void TSkinManageState::AddSkinData(TSkinData* data) {
  if (!data || std::find(FComponents.begin(), FComponents.end(), data) != FComponents.end()) return;
  FComponents.push_back(data);
  if (!FMain && data->SkinFormtype == sfMainform) FMain = data;
}

void TSkinManageState::RemoveSkinData(TSkinData* data) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), data), FComponents.end());
  if (FMain == data) FMain = nullptr;
  if (Target == data) Target = nullptr;
}

bool TSkinManageState::PostCommand(int command, int intervalMs) {
  Command = command;
  Interval = intervalMs;
  if (StartState != StartStateWaiting) return true;
  if (command == scmActivate) SkinningOn = true;
  if (command == scmDeactivate) SkinningOn = false;
  return false;
}

void TSkinManageState::Activated() {
  if (StartState == StartStateWaiting) StartState = StartStateRunning;
}
