#pragma once
// What the manager tests share: the engine installed, a main component with the built-in
// skin read as the program's main form reads it, plain top-level windows, and activation.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "support/BuiltinSkin_win.h"
#include "support/Pump_win.h"
#include "support/TestWindow_win.h"
#include "ui/Forms.h"

namespace skintest {

inline const char* PlainClass() { return TestClass("SkinTestPlain"); }

struct TWindow {
  HWND Wnd = nullptr;
  TWindow() = default;
  explicit TWindow(HWND w) : Wnd(w) {}
  ~TWindow() {
    if (Wnd && IsWindow(Wnd)) DestroyWindow(Wnd);
  }
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
};

inline HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, int w = 300, int h = 200, const char* cls = nullptr,
                       HWND parent = nullptr, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls ? cls : PlainClass(), "Skin test", style, 120, 100, w, h, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

inline void Activate(HWND wnd) {
  ShowWindow(wnd, SW_SHOW);
  SetActiveWindow(wnd);
  PumpMessages(30);
}

// A form of the class library, shown as the program shows it.
inline void Activate(TForm& form) {
  form.Show();
  SetActiveWindow(form.Handle());
  PumpMessages(30);
}

inline bool AnswersSkinQuery(HWND wnd) { return SendMessageA(wnd, CM_SKINQUERY, 0, 0) == 1; }

// A component as a form reads it: properties while loading, the stored skin, then Loaded.
inline std::unique_ptr<TSkinData> LoadedComponent(TSkinFormType type = sfMainform, bool active = true,
                                                  TComponent* owner = nullptr) {
  auto d = std::make_unique<TSkinData>(owner);
  LoadBuiltinSkin(*d, type, active);
  return d;
}

// Each test gets a fresh manager; the main component is made by the test (Loaded creates
// the manager, as in the program).
struct EngineTest : ::testing::Test {
  void SetUp() override { InstallSkinEngine(); }
  void TearDown() override {
    Main.reset();
    FreeSkinManager();
    SetSkinManagerFactory({});
    PumpMessages(10);
  }
  TSkinManage& Manager() {
    TSkinManage* m = SkinManage();
    if (!m) throw std::runtime_error("no manager");
    return *m;
  }
  TSkinForm* Handler(HWND wnd) { return dynamic_cast<TSkinForm*>(Manager().FindSkinForm(wnd)); }
  // Shows and activates the window, and answers the form handler that gave it (or null).
  TSkinForm* ActivatedHandler(HWND wnd) {
    Activate(wnd);
    return Handler(wnd);
  }
  // The same for a form of the class library, shown as the program shows it.
  TSkinForm* ActivatedHandler(TForm& form) {
    Activate(form);
    return Handler(form.Handle());
  }
  std::unique_ptr<TSkinData> Main;
};

}  // namespace skintest
