#include "restart/RestartPlan.h"

#include <gtest/gtest.h>

TEST(RestartPlan, PicksOneMainWindowPerRunningLumetta) {
  const std::vector<TTopWindow> windows = {
      {1, 10, "TApplication", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},     // application window
      {2, 10, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},         // the one to close
      {3, 10, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},         // same process again
      {4, 11, "TfrmMain", "Lumetta", "c:/other/LUMETTA.EXE"},                   // another copy, any case
      {5, 12, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\NotLumetta.exe"},      // another program
      {6, 13, "TfrmMain", "Lumetta", ""},                                        // unknown program file
      {7, 14, "TfrmMain", "Option", "C:\\Apps\\Lumetta\\Lumetta.exe"},          // a dialog
      {8, 15, "TfrmParticle", "", "C:\\Apps\\Lumetta\\Lumetta.exe"},            // a particle
      {9, 16, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe.bak"},
  };
  const std::vector<TTopWindow> found = FindMainWindows(windows);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].Handle, 2u);
  EXPECT_EQ(found[1].Handle, 4u);
  EXPECT_TRUE(FindMainWindows({}).empty());
}

TEST(RestartPlan, SplitsProgramPaths) {
  struct Case {
    const char* path;
    const char* folder;
    const char* base;
  };
  const Case cases[] = {
      {"C:\\Apps\\Lumetta\\Corvane.exe", "C:\\Apps\\Lumetta\\", "Corvane.exe"},
      {"/tmp/dist/Corvane.exe", "/tmp/dist/", "Corvane.exe"},
      {"C:\\mixed/sep\\Corvane.exe", "C:\\mixed/sep\\", "Corvane.exe"},
      {"Corvane.exe", "", "Corvane.exe"},
      {"C:\\", "C:\\", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(BaseNameOf(c.path), c.base) << c.path;
  }
}
