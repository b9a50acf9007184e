#pragma once
// The skin manager's decisions (portable): which windows get a form handler and with which
// component, what a queued command does, and which menu windows get a popup handler. The
// platform half (SkinManage_win.h) gathers the facts from windows and carries the results out.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinData.h"

// Which kind of menu the next menu window shows (set before a menu opens).
enum TPopupMenuKind : int { pmkPopup = 0, pmkMenuBar = 1, pmkSystem = 2 };

// Whether a menu window of this kind is skinned with these SkinControls.
bool PopupMenuAllowed(TPopupMenuKind kind, TSkinControlTypes controls);

// Where SkinWindow stopped; Attached when a handler was made.
enum class TSkinWindowVerdict {
  Attached,
  SkinningOff,     // 1
  AlreadySkinned,  // 3: answers the skin query or has a handler
  ChildWindow,     // 5: a child of anything but an MDI client
  ZeroSize,        // 6
  Tag99,           // 7
  ExcludedClass,   // 8
  Refused,         // 9: the main component's MayBeSkinned said no
  NoSkinData,      // 10: no component, or one without a skin
  NotAttached,     // 11: the window refused the handler's subclass and was left as it was
};

// The facts SkinWindow reads, asked in the order of its tests (each only when the tests
// before it passed), and the actions it takes.
class ISkinWindowProbe {
 public:
  virtual ~ISkinWindowProbe() = default;
  virtual bool SkinningOn() = 0;
  virtual void PurgeClosed() = 0;
  virtual bool AnswersSkinQuery() = 0;
  virtual bool HasFormHandler() = 0;
  // Looks up the class-library form of the window; true when there is one.
  virtual bool LookUpForm() = 0;
  virtual bool Scanning() = 0;
  virtual bool IsChildWindow() = 0;
  virtual std::string ParentClassName() = 0;
  virtual int WindowWidth() = 0;
  virtual int WindowHeight() = 0;
  virtual int FormTag() = 0;
  virtual std::string ClassName() = 0;
  virtual TSkinData* MainSkinData() = 0;
  virtual TSkinData* FindSkinData() = 0;
  // Makes the form handler, attaches it with data, lists it and posts the start message;
  // false (and nothing listed) when the window could not be taken over.
  virtual bool Attach(TSkinData* data) = 0;
};

// The form Tag that is never skinned, whatever DisableTag says.
constexpr int NeverSkinFormTag = 99;

TSkinWindowVerdict DecideSkinWindow(ISkinWindowProbe& probe);

// The component for a window: the last sfOnlyThisForm one whose owner's window it is; for a
// message dialog class ("tmessageform", "#32770", any case) the last sfDialog one; else the
// last sfMainform one; else the first; none for an empty list.
TSkinData* ChooseSkinData(const std::vector<TSkinData*>& components,
                          const std::function<bool(const TSkinData&)>& ownsWindow,
                          std::string_view className);

// What ExecuteCommand does for a command and the form type of its target.
struct TCommandPlan {
  enum TSkinning { Keep, On, Off };
  enum TStep {
    NoStep,
    SkinOwnerForm,  // the target's owner form, searched from the last
    SkinAllForms,   // every form of the screen, last first
    DetachLast,     // the last handler attached with the target
    DetachAll,      // every handler, last first
    RefreshFirst,   // the first handler attached with the target
    RefreshAll,     // every handler attached with the target
  };
  TSkinning Skinning = Keep;
  bool Scan = false;        // scanning is on during the step
  bool PurgeFirst = false;  // PurgeClosed before the step
  TStep Step = NoStep;
  bool operator==(const TCommandPlan&) const = default;
};
TCommandPlan PlanCommand(int command, TSkinFormType targetType);

// The manager's state that does not need the platform: the registered components, the
// switches, the start state and the queued command.
class TSkinManageState {
 public:
  bool SkinningOn = false;
  bool Scanning = false;
  TStartState StartState = StartStateWaiting;
  TPopupMenuKind PopupKind = pmkPopup;
  int Command = 0;
  int Interval = 250;
  TSkinData* Target = nullptr;

  void AddSkinData(TSkinData* data);
  // Also clears MainSkinData and the command target when they are data.
  void RemoveSkinData(TSkinData* data);
  const std::vector<TSkinData*>& Components() const { return FComponents; }
  TSkinData* MainSkinData() const { return FMain; }

  // Stores the command. Answers true when the timer has to run it; before the first
  // activation only activate and deactivate act, at once, on SkinningOn.
  bool PostCommand(int command, int intervalMs);
  // A window of the thread was activated: the start state leaves 0.
  void Activated();

 private:
  std::vector<TSkinData*> FComponents;
  TSkinData* FMain = nullptr;
};

// Stage of a form handler's life.
enum TSkinFormStage : int {
  stCreated = 0,
  stReady = 1,
  stReskinning = 3,
  stDestroying = 4,
  stSizing = 5,
  stDestroyed = 6,
};
