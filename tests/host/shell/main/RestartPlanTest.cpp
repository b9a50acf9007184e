#include <gtest/gtest.h>

#include "restart/RestartPlan.h"

TEST(RestartPlan, PicksOneMainWindowPerRunningLumetta) {
  const std::vector<TTopWindow> windows = {
      {1, 10, "TApplication", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},  // application window
      {2, 10, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},      // the one to close
      {3, 10, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\Lumetta.exe"},      // same process again
      {4, 11, "TfrmMain", "Lumetta", "c:/other/LUMETTA.EXE"},                // another copy, any case
      {5, 12, "TfrmMain", "Lumetta", "C:\\Apps\\Lumetta\\NotLumetta.exe"},   // another program
      {6, 13, "TfrmMain", "Lumetta", ""},                                    // unknown program file
      {7, 14, "TfrmMain", "Option", "C:\\Apps\\Lumetta\\Lumetta.exe"},       // a dialog
      {8, 15, "TfrmParticle", "", "C:\\Apps\\Lumetta\\Lumetta.exe"},         // a particle
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

TEST(RestartPlan, RefusalsSayWhyAndWhatToDo) {
  const std::string one = StillRunningReport({4242}, CloseWaitMs);
  EXPECT_NE(one.find("(process 4242)"), std::string::npos) << one;
  EXPECT_NE(one.find("within 10 seconds"), std::string::npos) << one;
  EXPECT_NE(one.find("not started again"), std::string::npos) << one;
  const std::string two = StillRunningReport({7, 9}, 1500);
  EXPECT_NE(two.find("processes (7, 9)"), std::string::npos) << two;
  EXPECT_NE(two.find("within 2 seconds"), std::string::npos) << two;  // rounded up, never "1" for 1.5 s
  EXPECT_NE(StillRunningReport({1}, 1000).find("within 1 second "), std::string::npos);

  struct Case {
    const char* reason;
    const char* want;
  };
  const Case cases[] = {
      // The system's text keeps its own full stop; its line break goes.
      {"The system cannot find the file specified.\r\n",
       "Lumetta could not be started from \"C:\\A\\Lumetta.exe\":\nThe system cannot find the file "
       "specified."},
      {"Access denied", "Lumetta could not be started from \"C:\\A\\Lumetta.exe\":\nAccess denied."},
      {"", "Lumetta could not be started from \"C:\\A\\Lumetta.exe\"."},
      {" \r\n", "Lumetta could not be started from \"C:\\A\\Lumetta.exe\"."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StartFailedReport("C:\\A\\Lumetta.exe", c.reason), c.want) << c.reason;
}
