#pragma once
// The observer contract between the shell and the effect engine: the main window is the
// subject and holds the cursor point; every particle is an observer that keeps the point
// as its target. Pointers here never own: observers live until the process ends.
#include <cstddef>
#include <cstdint>
#include <vector>

// A screen point, x then y, laid out like the platform's POINT.
struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

class ICursorObserver {
 public:
  virtual void CursorMoved(const TPoint& point) = 0;

 protected:
  ~ICursorObserver() = default;
};

class ICursorSubject {
 public:
  virtual void Attach(ICursorObserver* observer) = 0;
  virtual void Detach(ICursorObserver* observer) = 0;
  virtual void DetachAll() = 0;
  virtual void NotifyObservers() = 0;

 protected:
  ~ICursorSubject() = default;
};

// The subject's list: attach order kept, duplicates allowed, nothing owned.
class TObserverList {
 public:
  void Attach(ICursorObserver* observer) { FItems.push_back(observer); }
  // Removes the first entry that is this observer; nothing when it is absent.
  void Detach(ICursorObserver* observer);
  void DetachAll() { FItems.clear(); }
  std::size_t Count() const { return FItems.size(); }
  ICursorObserver* Items(std::size_t i) const { return FItems[i]; }
  // Hands the point to every entry in list order. The count is read once, so an observer
  // attached during the pass waits for the next point.
  void Notify(const TPoint& point) const;

 private:
  std::vector<ICursorObserver*> FItems;
};
