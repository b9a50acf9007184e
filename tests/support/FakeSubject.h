#pragma once
// A subject like the main window's: a point and the observer list, moved by hand.
#include "effect/uObserver.h"

class TFakeSubject final : public ICursorSubject {
 public:
  void Attach(ICursorObserver* o) override { List.Attach(o); }
  void Detach(ICursorObserver* o) override { List.Detach(o); }
  void DetachAll() override { List.DetachAll(); }
  void NotifyObservers() override { List.Notify(CursorPos); }
  TPoint CursorPos;
  TObserverList List;
};
