#include <gtest/gtest.h>

#include <vector>

#include "Fakes.h"
#include "effect/uObserver.h"
#include "effect/ufrmMagicParticle.h"

namespace {

struct TCounter final : ICursorObserver {
  void CursorMoved(const TPoint& p) override { Seen.push_back(p); }
  std::vector<TPoint> Seen;
};

}  // namespace

TEST(ObserverList, DeliversEveryPointInAttachOrderDuplicatesIncluded) {
  TObserverList list;
  list.Notify({1, 1});  // empty: nothing to call

  std::vector<int> order;
  struct TTagged final : ICursorObserver {
    TTagged(std::vector<int>& o, int t) : Order(o), Tag(t) {}
    void CursorMoved(const TPoint&) override { Order.push_back(Tag); }
    std::vector<int>& Order;
    int Tag;
  } a(order, 1), b(order, 2);
  list.Attach(&a);
  list.Attach(&b);
  list.Attach(&a);
  list.Notify({5, -7});
  EXPECT_EQ(order, (std::vector<int>{1, 2, 1}));

  // Detach takes only the first entry of a twice-attached observer.
  list.Detach(&a);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Items(0), &b);
  EXPECT_EQ(list.Items(1), &a);
  list.Detach(&a);
  list.Detach(&a);  // absent now: no change
  EXPECT_EQ(list.Count(), 1u);
  list.DetachAll();
  order.clear();
  list.Notify({0, 0});
  EXPECT_TRUE(order.empty());
}

TEST(ObserverList, ObserverAttachedDuringNotifyWaitsForTheNextPoint) {
  TObserverList list;
  TCounter late;
  struct TAttacher final : ICursorObserver {
    TAttacher(TObserverList& l, ICursorObserver& o) : List(l), Other(o) {}
    void CursorMoved(const TPoint&) override { List.Attach(&Other); }
    TObserverList& List;
    ICursorObserver& Other;
  } attacher(list, late);
  list.Attach(&attacher);
  list.Notify({3, 4});
  EXPECT_TRUE(late.Seen.empty());
  list.Detach(&attacher);
  list.Notify({8, 9});
  ASSERT_EQ(late.Seen.size(), 1u);
  EXPECT_EQ(late.Seen[0], (TPoint{8, 9}));
}

TEST(ParticleObserver, StoresEveryPointAsTargetAndNeverDraws) {
  TRecordingViews views;
  TFakeSubject subject;
  auto* p = new TfrmMagicParticle(std::make_unique<TFakeImage>(20, 20), {10, 20}, 200, 0.5L, 0);
  p->AttachTo(&subject);
  EXPECT_EQ(p->Target, (TPoint{10, 20}));
  for (TPoint pt : {TPoint{1, 2}, TPoint{-300, 4000}, TPoint{77, 78}}) {
    subject.CursorPos = pt;
    subject.NotifyObservers();
    EXPECT_EQ(p->Target, pt);
  }
  EXPECT_TRUE(views.Log.Presented.empty());
  EXPECT_EQ(p->Position, (TPoint{0, 0}));
  // Even a particle whose timer is stopped keeps taking targets.
  p->View()->SetTimerEnabled(false);
  subject.CursorPos = {9, 9};
  subject.NotifyObservers();
  EXPECT_EQ(p->Target, (TPoint{9, 9}));

  // Closing the window frees the particle and takes it off the list, so the next cursor
  // message does not reach freed memory.
  std::unique_ptr<IParticleView> window(p->View());  // a real window frees itself
  p->WindowClosed();
  EXPECT_EQ(subject.List.Count(), 0u);
  subject.NotifyObservers();
}
