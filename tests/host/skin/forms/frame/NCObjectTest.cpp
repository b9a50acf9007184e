#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/forms/NCObject.h"

namespace {
// Records every face painted, as "name:state".
struct PaintLog {
  std::vector<std::string> Lines;
  std::string Take() {
    std::string s;
    for (const auto& l : Lines) s += (s.empty() ? "" : " ") + l;
    Lines.clear();
    return s;
  }
};

class LoggedObject : public TNCObject {
 public:
  LoggedObject(TNCObjectOwner& owner, PaintLog& log, std::string name)
      : TNCObject(owner), FLog(log), FName(std::move(name)) {}
  void Paint() override { FLog.Lines.push_back(FName + ":" + std::to_string(State)); }

 private:
  PaintLog& FLog;
  std::string FName;
};

class NCObjectTest : public ::testing::Test {
 protected:
  std::unique_ptr<TSkinSysButton> Button(const std::string& name, TSkinRect bounds) {
    auto b = std::make_unique<TSkinSysButton>(Owner, Desc);
    b->BoundsRect = bounds;
    b->OnPaint = [this, name](TSkinSysButton&, int state) {
      Log.Lines.push_back(name + ":" + std::to_string(state));
    };
    return b;
  }
  TNCObjectOwner Owner;
  PaintLog Log;
  TDataSkinSysButton Desc{"BUTTON0", SoftwareSkinPlatform()};
};
}  // namespace

TEST_F(NCObjectTest, EnterDownUpLeave) {
  LoggedObject a(Owner, Log, "a"), b(Owner, Log, "b");
  struct Step {
    const char* name;
    std::function<void()> act;
    const char* painted;
    TNCObject* hot;
  } steps[] = {
      {"enter a", [&] { a.MouseEnter(); }, "a:3", &a},
      {"enter a again: nothing", [&] { a.MouseEnter(); }, "", &a},
      {"enter b: a leaves first", [&] { b.MouseEnter(); }, "a:1 b:3", &b},
      {"press a: b leaves", [&] { a.MouseDown(); }, "b:1 a:2", &a},
      {"release a", [&] { a.MouseUp(); }, "a:3", &a},
      {"leave a", [&] { a.MouseLeave(); }, "a:1", nullptr},
  };
  for (Step& s : steps) {
    s.act();
    EXPECT_EQ(Log.Take(), s.painted) << s.name;
    EXPECT_EQ(Owner.Hot(), s.hot) << s.name;
  }
}

TEST_F(NCObjectTest, InvisibleObjectsKeepTheirFaceButStillMakeTheHotOneLeave) {
  LoggedObject a(Owner, Log, "a"), hidden(Owner, Log, "h");
  hidden.Visible = false;
  a.MouseEnter();
  Log.Take();
  hidden.MouseEnter();
  EXPECT_EQ(Log.Take(), "a:1");
  EXPECT_EQ(Owner.Hot(), nullptr);
  EXPECT_EQ(hidden.State, ncsNormal);

  a.MouseEnter();
  hidden.MouseDown();
  EXPECT_EQ(Log.Take(), "a:3 a:1");
  EXPECT_EQ(Owner.Hot(), nullptr);
  hidden.MouseUp();
  hidden.MouseLeave();
  EXPECT_EQ(Log.Take(), "");
  EXPECT_EQ(hidden.State, ncsNormal);
}

TEST_F(NCObjectTest, PressMoveOffReleaseDoesNothing) {
  auto close = Button("close", {10, 0, 27, 17});
  EXPECT_TRUE(Owner.NcLButtonDown(close.get()));
  EXPECT_EQ(close->State, ncsPressed);
  EXPECT_FALSE(Owner.NcMouseMove(nullptr, true));  // off the button, still held
  EXPECT_EQ(close->State, ncsNormal);
  EXPECT_EQ(Owner.Hot(), nullptr);
  const TNCObjectOwner::TRelease r = Owner.NcLButtonUp(nullptr);
  EXPECT_FALSE(r.Swallow);
  EXPECT_EQ(r.Act, nullptr);
  EXPECT_EQ(Log.Take(), "close:2 close:1");

  // Hovering back afterwards shows it hot, not pressed, and a release there does nothing.
  EXPECT_TRUE(Owner.NcMouseMove(close.get(), false));
  EXPECT_EQ(close->State, ncsHot);
  EXPECT_EQ(Owner.NcLButtonUp(close.get()).Act, nullptr);
}

TEST_F(NCObjectTest, MovingBackBeforeReleasingKeepsItPressedAndClicks) {
  auto close = Button("close", {10, 0, 27, 17});
  Owner.NcLButtonDown(close.get());
  EXPECT_TRUE(Owner.NcMouseMove(close.get(), true));  // moving within it
  EXPECT_EQ(close->State, ncsPressed);
  Owner.NcMouseMove(nullptr, true);
  Owner.NcMouseMove(close.get(), true);  // back on it
  EXPECT_EQ(close->State, ncsPressed);
  const TNCObjectOwner::TRelease r = Owner.NcLButtonUp(close.get());
  EXPECT_TRUE(r.Swallow);
  EXPECT_EQ(r.Act, close.get());
  EXPECT_EQ(close->State, ncsHot);
  EXPECT_EQ(Log.Take(), "close:2 close:1 close:2 close:3");
  EXPECT_EQ(Owner.Pressed(), nullptr);
}

TEST_F(NCObjectTest, PressOnOneButtonReleaseOnAnotherDoesNothing) {
  auto minimize = Button("min", {10, 0, 27, 17});
  auto close = Button("close", {30, 0, 47, 17});
  Owner.NcLButtonDown(minimize.get());
  Owner.NcMouseMove(close.get(), true);
  EXPECT_EQ(close->State, ncsHot);  // hot, not pressed: the press was not on it
  const TNCObjectOwner::TRelease r = Owner.NcLButtonUp(close.get());
  EXPECT_TRUE(r.Swallow);
  EXPECT_EQ(r.Act, nullptr);
  EXPECT_EQ(Log.Take(), "min:2 min:1 close:3");
}

TEST_F(NCObjectTest, ReleaseOutsideTheFrameIsForgottenAtTheNextMove) {
  auto close = Button("close", {10, 0, 27, 17});
  Owner.NcLButtonDown(close.get());
  Owner.NcMouseMove(nullptr, true);
  // The button went up over the client area: no WM_NCLBUTTONUP came.
  Owner.NcMouseMove(close.get(), false);
  EXPECT_EQ(close->State, ncsHot);
  EXPECT_EQ(Owner.NcLButtonUp(close.get()).Act, nullptr);
}

TEST_F(NCObjectTest, ObjectsThatActOnPressAreNotClickedOnRelease) {
  LoggedObject menuButton(Owner, Log, "m");
  EXPECT_TRUE(Owner.NcLButtonDown(&menuButton));
  const TNCObjectOwner::TRelease r = Owner.NcLButtonUp(&menuButton);
  EXPECT_TRUE(r.Swallow);
  EXPECT_EQ(r.Act, nullptr);
  EXPECT_EQ(Log.Take(), "m:2");
}

TEST_F(NCObjectTest, HoverTickLeavesWhenTheCursorIsOutside) {
  auto close = Button("close", {10, 0, 27, 17});
  Owner.NcMouseMove(close.get(), false);
  Owner.HoverTick(26, 16);
  EXPECT_EQ(Owner.Hot(), close.get());
  Owner.HoverTick(27, 5);
  EXPECT_EQ(Owner.Hot(), nullptr);
  EXPECT_EQ(close->State, ncsNormal);
  Owner.HoverTick(0, 0);  // nothing hot: nothing happens
  EXPECT_EQ(Log.Take(), "close:3 close:1");
}

TEST_F(NCObjectTest, FreedAndForgottenObjectsAreNoLongerHot) {
  auto close = Button("close", {10, 0, 27, 17});
  Owner.NcLButtonDown(close.get());
  ASSERT_EQ(Owner.Hot(), close.get());
  close.reset();  // buttons are rebuilt on a skin change
  EXPECT_EQ(Owner.Hot(), nullptr);
  EXPECT_EQ(Owner.Pressed(), nullptr);

  auto other = Button("other", {0, 0, 5, 5});
  Owner.NcMouseMove(other.get(), false);
  Owner.ForgetHot();  // a full frame paint
  Log.Take();
  Owner.NcMouseMove(other.get(), false);
  EXPECT_EQ(Log.Take(), "other:3");  // entered afresh, so repainted
}
