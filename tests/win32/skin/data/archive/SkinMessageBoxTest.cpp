#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "skin/data/SkinRead.h"
#include "tools/skintool/ArchiveWriter.h"

namespace {

// Waits for the message box titled "Lumetta", reads its text and closes it.
std::string CloseMessageBox(std::atomic<bool>& stop) {
  for (int i = 0; i < 400 && !stop; ++i) {
    if (HWND box = FindWindowA("#32770", "Lumetta")) {
      char text[256] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return text;
    }
    Sleep(25);
  }
  return "(no message box)";
}

TEST(SkinMessageBox, OtherVersionShowsTheMessageInABox) {
  SetSkinMessageHook(nullptr);
  InstallSkinMessageBox();
  std::atomic<bool> stop{false};
  std::string seen;
  std::thread closer([&] { seen = CloseMessageBox(stop); });
  TSkinReader reader;
  TMemoryStream archive(PackArchive({{"a.ini", {'x'}}}, 19999));
  const bool loaded = reader.LoadArchive(archive);  // returns once the box is closed
  stop = true;
  closer.join();
  EXPECT_FALSE(loaded);
  EXPECT_EQ(seen, "This is Older Skin File\rPlease update to new version !");
  SetSkinMessageHook(nullptr);
}

TEST(SkinMessageBox, AHookAlreadySetIsKept) {
  std::string captured;
  SetSkinMessageHook([&](const std::string& text) { captured = text; });
  InstallSkinMessageBox();
  ShowSkinMessage("hello");
  EXPECT_EQ(captured, "hello");
  SetSkinMessageHook(nullptr);
}

}  // namespace
