// The skin library's decisions: who may call what, the result of each load failure, the
// windows a start skins at once, and the packed version.
#include <gtest/gtest.h>

#include "skin/library/SkinLibrary.h"

namespace {

using R = TLibraryResult;
using C = TLibraryCall;

TEST(SkinLibraryCalls, OnlyTheStartingThreadMayCallAndOnlyOneStartAtATime) {
  struct Case {
    C call;
    uint32_t engine, caller;
    R expected;
    const char* inReason;
  };
  const Case cases[] = {
      {C::Start, 0, 7, R::Ok, ""},
      {C::Start, 7, 7, R::AlreadyStarted, "already running, on thread 7 (this one)"},
      {C::Start, 7, 9, R::AlreadyStarted, "already running, on thread 7:"},
      {C::Load, 0, 7, R::NotStarted, "not running"},
      {C::SetEnabled, 0, 7, R::NotStarted, "not running"},
      {C::Stop, 0, 7, R::NotStarted, "not running"},
      {C::Load, 7, 7, R::Ok, ""},
      {C::SetEnabled, 7, 7, R::Ok, ""},
      {C::Stop, 7, 7, R::Ok, ""},
      {C::Load, 7, 9, R::WrongThread, "runs on thread 7, and this call came from thread 9"},
      {C::SetEnabled, 7, 9, R::WrongThread, "thread 9"},
      {C::Stop, 7, 9, R::WrongThread, "thread 9"},
  };
  for (const Case& c : cases) {
    const TLibraryVerdict v = CheckLibraryCall(c.call, c.engine, c.caller);
    EXPECT_EQ(v.Result, c.expected) << static_cast<int>(c.call) << " " << c.engine << " " << c.caller;
    EXPECT_EQ(v.Ok(), v.Reason.empty());
    EXPECT_NE(v.Reason.find(c.inReason), std::string::npos) << v.Reason;
  }
}

TEST(SkinLibraryCalls, EachLoadFailureHasItsOwnResult) {
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::Loaded), R::Ok);
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::NoSuchFile), R::NoSuchFile);
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::NotAFile), R::NotAFile);
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::Unreadable), R::Unreadable);
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::NotASkin), R::NotASkin);
  EXPECT_EQ(LibraryResultOf(TSkinLoadStatus::ImagesRefused), R::ImagesRefused);
}

TEST(SkinLibraryStart, SkinsWhatTheUserSeesAndLeavesTheRestToActivation) {
  struct Case {
    TThreadWindow w;
    bool skinned;
  };
  const Case cases[] = {
      {{"Frame", true, false, 300, 200}, true},   {{"#32770", true, false, 200, 100}, true},
      {{"Frame", false, false, 300, 200}, false},  // hidden
      {{"Frame", true, true, 300, 200}, false},    // a child
      {{"Frame", true, false, 0, 200}, false},     // no width
      {{"Frame", true, false, 300, 0}, false},     // no height
      {{"#32768", true, false, 120, 80}, false},   // an open menu: its popup handler
  };
  for (const Case& c : cases) EXPECT_EQ(SkinnedAtStart(c.w), c.skinned) << c.w.ClassName << c.w.Visible;
}

TEST(SkinLibraryVersion, PacksMajorAndMinorOrRefuses) {
  static_assert(PackedVersion("2.20") == 0x00020014u);
  EXPECT_EQ(PackedVersion("2.20"), 0x00020014u);
  EXPECT_EQ(PackedVersion("10.0"), 0x000A0000u);
  EXPECT_EQ(PackedVersion("65535.65535"), 0xFFFFFFFFu);
  for (const char* bad : {"", "2", "2.", ".2", "2.20.1", "2.x", "65536.0", "1.99999999999", "v2.20"})
    EXPECT_EQ(PackedVersion(bad), 0u) << bad;
}

}  // namespace
