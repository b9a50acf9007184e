#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

TEST(Application, AnErrorInAnEventHandlerIsReportedAndTheLoopGoesOn) {
  CapturedBoxes boxes;
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    if (ticks == 1) throw Exception("Unable to write to C:\\x\\Lumetta.ini");
    if (ticks == 2) throw std::runtime_error("plain error");
    timer.SetEnabled(false);
    Application->Terminate();
  };
  Application->Run();  // no main form: runs until Terminate
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(boxes.Texts, (std::vector<std::string>{"Unable to write to C:\\x\\Lumetta.ini", "plain error"}));
}

TEST(Application, AnErrorInsideAWindowProcedureDoesNotCrossIntoTheSystem) {
  CapturedBoxes boxes;
  TForm form(nullptr);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->OnClick = [](TObject*) { throw Exception("clicked badly"); };
  std::vector<std::string> reported;
  Application->OnException = [&](TObject* sender, const std::string& message) {
    EXPECT_NE(sender, nullptr);
    reported.push_back(message);
  };
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, std::vector<std::string>{"clicked badly"});
  EXPECT_TRUE(boxes.Texts.empty());  // OnException replaces the box
  EXPECT_TRUE(IsWindow(button->Handle()));
}

TEST(Application, ScreenListsFormsInCreationOrderAndCloseActionsApply) {
  const int before = Screen->FormCount();
  auto* first = new TForm(nullptr);
  auto* second = new TForm(nullptr);
  ASSERT_EQ(Screen->FormCount(), before + 2);
  EXPECT_EQ(Screen->Forms(before), first);
  EXPECT_EQ(Screen->Forms(before + 1), second);

  // caHide hides; caFree frees once the queue is handled; OnDestroy runs then.
  first->Show();
  first->Close();
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  bool destroyed = false;
  second->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  second->OnDestroy = [&](TObject*) { destroyed = true; };
  SendMessageA(second->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(destroyed);
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_EQ(Screen->FormCount(), before + 1);
  delete first;
  EXPECT_EQ(Screen->FormCount(), before);
}

TEST(Application, MinimiseAndRestoreRaiseTheirEvents) {
  std::vector<std::string> events;
  Application->OnMinimize = [&](TObject*) { events.push_back("minimize"); };
  Application->OnRestore = [&](TObject*) { events.push_back("restore"); };
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Application->Handle()));
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(Application->Handle()));
  Application->OnMinimize = nullptr;
  Application->OnRestore = nullptr;
  EXPECT_EQ(events, (std::vector<std::string>{"minimize", "restore"}));
  EXPECT_NE(Application->Icon()->Handle(), nullptr);
}

TEST(Dialogs, FilterBecomesTheNativeList) {
  const std::string native = FilterToNative("PNG|*.png|All Files|*.*");
  EXPECT_EQ(native, std::string("PNG\0*.png\0All Files\0*.*\0\0", 25));
  CapturedBoxes boxes(IDNO);
  EXPECT_FALSE(ConfirmYesNo("Are you Sure?"));
  EXPECT_EQ(boxes.Texts, std::vector<std::string>{"Are you Sure?"});
}

// What a DLL that carries the class library releases before it is unloaded: every class
// whose windows are all gone (a class with a live window stays: its window still needs it),
// and the hidden application and popup-list windows with their classes. Everything is made
// again when next asked for.
TEST(Application, TheLibrarysWindowsAndClassesCanBeReleased) {
  auto registered = [](const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(ThisModule(), name, &wc) != 0;
  };
  auto* kept = new TForm(nullptr);
  kept->HandleNeeded();
  {
    TPanel gone(nullptr);
    gone.SetParent(kept);
    gone.HandleNeeded();
  }
  ASSERT_TRUE(registered("TPanel") && registered("TForm"));
  UnregisterControlClasses();
  EXPECT_FALSE(registered("TPanel")) << "no window of it is left";
  EXPECT_TRUE(registered("TForm")) << "a form still uses it";
  EXPECT_TRUE(IsWindow(kept->Handle()));
  delete kept;

  const HWND app = Application->Handle();
  const HWND popupList = PopupListWindow();
  ASSERT_TRUE(IsWindow(app) && IsWindow(popupList));
  ASSERT_TRUE(registered("TApplication") && registered("TPopupList"));
  ReleaseClassLibraryWindows();
  EXPECT_FALSE(IsWindow(app));
  EXPECT_FALSE(IsWindow(popupList));
  for (const char* name : {"TApplication", "TPopupList", "TForm"}) EXPECT_FALSE(registered(name)) << name;

  EXPECT_TRUE(IsWindow(Application->Handle()));
  EXPECT_TRUE(IsWindow(PopupListWindow()));
  TForm host(nullptr);
  TPanel again(&host);
  again.SetParent(&host);
  EXPECT_NE(again.Handle(), nullptr);
  EXPECT_TRUE(registered("TPanel") && registered("TForm"));
}
