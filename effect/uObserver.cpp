#include "effect/uObserver.h"

#include <algorithm>

void TObserverList::Detach(ICursorObserver* observer) {
  const auto it = std::find(FItems.begin(), FItems.end(), observer);
  if (it != FItems.end()) FItems.erase(it);
}

void TObserverList::Notify(const TPoint& point) const {
  const std::size_t count = FItems.size();
  // Index, not iterator: an observer may attach or detach while being notified.
  for (std::size_t i = 0; i < count && i < FItems.size(); ++i) FItems[i]->CursorMoved(point);
}
