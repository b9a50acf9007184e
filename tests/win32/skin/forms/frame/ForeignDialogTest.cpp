// Dialogs we did not build, skinned against the same dialogs native: the system's Open
// dialog (plain, with a hook, with a template it adds, sizeable or not) and dialogs that
// size themselves or lay themselves out again when they are resized. Skinned, each keeps its
// native client size and every visible control its native place in the client area.
#include <commdlg.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"

namespace {
using namespace skintest;

// What a user sees of a dialog's layout: its client size and where each visible control lies
// relative to the client origin (controls of child dialogs too), keyed by class, id and the
// order among controls of the same class and id.
struct TDialogLayout {
  int ClientWidth = 0, ClientHeight = 0;
  std::map<std::string, RECT> Controls;
  bool operator==(const TDialogLayout& o) const {
    if (ClientWidth != o.ClientWidth || ClientHeight != o.ClientHeight ||
        Controls.size() != o.Controls.size())
      return false;
    for (const auto& [key, r] : Controls) {
      auto it = o.Controls.find(key);
      if (it == o.Controls.end() || !EqualRect(&r, &it->second)) return false;
    }
    return true;
  }
};

struct TLayoutWalk {
  HWND Dialog;
  TDialogLayout* Out;
  std::map<std::string, int> Seen;
};

BOOL CALLBACK LayoutChild(HWND child, LPARAM p) {
  auto& w = *reinterpret_cast<TLayoutWalk*>(p);
  if (!IsWindowVisible(child)) return TRUE;
  char cls[64] = {};
  GetClassNameA(child, cls, sizeof cls);
  std::string key = std::string(cls) + "#" + std::to_string(GetDlgCtrlID(child));
  key += "#" + std::to_string(w.Seen[key]++);
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, w.Dialog, reinterpret_cast<POINT*>(&r), 2);
  w.Out->Controls[key] = r;
  return TRUE;
}

TDialogLayout LayoutOf(HWND dlg) {
  TDialogLayout l;
  RECT c{};
  GetClientRect(dlg, &c);
  l.ClientWidth = c.right;
  l.ClientHeight = c.bottom;
  TLayoutWalk walk{dlg, &l, {}};
  EnumChildWindows(dlg, LayoutChild, reinterpret_cast<LPARAM>(&walk));
  return l;
}

BOOL CALLBACK VisibleDialog(HWND w, LPARAM p) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (IsWindowVisible(w) && std::string(cls) == "#32770") {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level dialog of this thread.
HWND ThreadDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), VisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Reads a modal dialog's layout from inside its own loop: a thread timer waits until the
// dialog is there and `ready` says so, and its layout has settled (two reads alike), then
// reads it and cancels the dialog.
struct TModalProbe {
  explicit TModalProbe(std::function<bool(HWND)> ready = {}) : Ready(std::move(ready)) {}
  std::function<bool(HWND)> Ready;
  TDialogLayout Layout, Last;
  bool Read = false, Settled = false;
  int Ticks = 0;

  static inline TModalProbe* Current = nullptr;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    TModalProbe& p = *Current;
    HWND dlg = ThreadDialog();
    if (!dlg || p.Read) return;
    ++p.Ticks;
    const bool ready = !p.Ready || p.Ready(dlg);
    const TDialogLayout now = LayoutOf(dlg);
    const bool settled = ready && p.Ticks > 2 && now == p.Last;
    p.Last = now;
    if (!settled && p.Ticks < 60) return;
    KillTimer(nullptr, id);
    p.Layout = now;
    p.Settled = settled;
    p.Read = true;
    PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
  }
  template <typename Show>
  TDialogLayout Run(Show show) {
    Current = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 80, Tick);
    show();
    KillTimer(nullptr, timer);
    Current = nullptr;
    return Layout;
  }
};

std::string Describe(const TDialogLayout& native, const TDialogLayout& skinned) {
  std::ostringstream s;
  s << "client native " << native.ClientWidth << " x " << native.ClientHeight << ", skinned "
    << skinned.ClientWidth << " x " << skinned.ClientHeight << "\n";
  for (const auto& [key, r] : native.Controls) {
    auto it = skinned.Controls.find(key);
    if (it == skinned.Controls.end()) {
      s << "  " << key << " missing skinned\n";
      continue;
    }
    const RECT& k = it->second;
    if (!EqualRect(&r, &k))
      s << "  " << key << " native (" << r.left << "," << r.top << "," << r.right << "," << r.bottom
        << ") skinned (" << k.left << "," << k.top << "," << k.right << "," << k.bottom << ")\n";
  }
  return s.str();
}

// Skinned against native: the client within a pixel, every native control at its place and,
// if it lay inside the client area natively, inside it skinned too.
void ExpectSameLayout(const TDialogLayout& native, const TDialogLayout& skinned, const std::string& name) {
  ASSERT_GT(native.ClientWidth, 0) << name << ": the native dialog was not read";
  EXPECT_NEAR(skinned.ClientWidth, native.ClientWidth, 1) << name << "\n" << Describe(native, skinned);
  EXPECT_NEAR(skinned.ClientHeight, native.ClientHeight, 1) << name << "\n" << Describe(native, skinned);
  int moved = 0;
  for (const auto& [key, r] : native.Controls) {
    auto it = skinned.Controls.find(key);
    if (it == skinned.Controls.end() || !EqualRect(&r, &it->second)) ++moved;
    if (it == skinned.Controls.end()) continue;
    const RECT& k = it->second;
    const bool insideNative =
        r.left >= 0 && r.top >= 0 && r.right <= native.ClientWidth && r.bottom <= native.ClientHeight;
    const bool insideSkinned =
        k.left >= 0 && k.top >= 0 && k.right <= skinned.ClientWidth && k.bottom <= skinned.ClientHeight;
    if (insideNative) {
      EXPECT_TRUE(insideSkinned) << name << ": " << key << " left the client area";
    }
  }
  EXPECT_EQ(moved, 0) << name << "\n" << Describe(native, skinned);
}

// ---- dialogs of our own, from in-memory templates ----

class TTemplate {
 public:
  TTemplate(DWORD style, short cx, short cy, const wchar_t* title) {
    Dword(style | DS_SETFONT);
    Dword(0);
    FCountAt = FWords.size();
    Word(0);
    for (short v : {short(10), short(10), cx, cy}) Word(static_cast<WORD>(v));
    Word(0);  // menu
    Word(0);  // class
    Text(title);
    Word(8);
    Text(L"MS Shell Dlg");
  }
  TTemplate& Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
                  const wchar_t* text) {
    if (FWords.size() % 2) Word(0);  // DWORD-aligned items
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
    ++FWords[FCountAt];
    return *this;
  }
  const DLGTEMPLATE* Get() {
    // The allocation must be DWORD-aligned, which a vector of WORDs does not promise.
    FAligned.assign((FWords.size() + 1) / 2, 0);
    memcpy(FAligned.data(), FWords.data(), FWords.size() * sizeof(WORD));
    return reinterpret_cast<const DLGTEMPLATE*>(FAligned.data());
  }
  size_t Bytes() const { return FWords.size() * sizeof(WORD); }

 private:
  void Word(WORD w) { FWords.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const wchar_t* s) {
    for (; *s; ++s) Word(static_cast<WORD>(*s));
    Word(0);
  }
  std::vector<WORD> FWords;
  std::vector<DWORD> FAligned;
  size_t FCountAt = 0;
};

constexpr WORD kButton = 0x80, kStatic = 0x82;
constexpr WORD IdBottom = 101;

// Grows itself in WM_INITDIALOG and puts its bottom button at the new bottom right.
INT_PTR CALLBACK SizesItselfProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) {
    SetWindowPos(dlg, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT c{};
    GetClientRect(dlg, &c);
    SetWindowPos(GetDlgItem(dlg, IdBottom), nullptr, c.right - 90, c.bottom - 34, 80, 24, SWP_NOZORDER);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
  return FALSE;
}

// Moves its bottom button by the change of its window size, as the Open dialog lays out (on
// every change of the window's size: a client area of the same size sends no WM_SIZE).
INT_PTR CALLBACK FollowsWindowSizeProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  static SIZE last{};
  RECT w{};
  GetWindowRect(dlg, &w);
  if (msg == WM_INITDIALOG) {
    last = {w.right - w.left, w.bottom - w.top};
    return TRUE;
  }
  if (msg == WM_WINDOWPOSCHANGED && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE) && last.cx) {
    const int dx = (w.right - w.left) - last.cx, dy = (w.bottom - w.top) - last.cy;
    last = {w.right - w.left, w.bottom - w.top};
    HWND b = GetDlgItem(dlg, IdBottom);
    RECT r{};
    GetWindowRect(b, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(b, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return FALSE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
  return FALSE;
}

// Anchors its bottom button to the client's bottom right.
INT_PTR CALLBACK FollowsClientSizeProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    SetWindowPos(GetDlgItem(dlg, IdBottom), nullptr, LOWORD(lParam) - 90, HIWORD(lParam) - 34, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    return TRUE;
  }
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
  return FALSE;
}

UINT_PTR CALLBACK OpenHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

struct TOpenCase {
  const char* Name;
  DWORD Flags;
  bool Template;
};

struct TOwnCase {
  const char* Name;
  DWORD Style;
  DLGPROC Proc;
};

using ForeignDialogTest = EngineTest;

TEST_F(ForeignDialogTest, SkinnedDialogsKeepTheirNativeClientAndControls) {
  TTemplate own(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 100, L"Own dialog");
  own.Item(SS_LEFT, 7, 7, 150, 10, 0xFFFF, kStatic, L"A label at the top")
      .Item(BS_PUSHBUTTON, 140, 78, 50, 14, IdBottom, kButton, L"Bottom");
  TTemplate sizeable(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 200, 100, L"Sizeable dialog");
  sizeable.Item(SS_LEFT, 7, 7, 150, 10, 0xFFFF, kStatic, L"A label at the top")
      .Item(BS_PUSHBUTTON, 140, 78, 50, 14, IdBottom, kButton, L"Bottom");
  // The part an application adds below the Open dialog's own controls.
  TTemplate added(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL, 200, 30, L"");
  added.Item(SS_LEFT, 7, 4, 150, 10, 0xFFFF, kStatic, L"Added by the application")
      .Item(BS_AUTOCHECKBOX, 7, 16, 150, 10, 102, kButton, L"An added check box");
  HGLOBAL addedMemory = GlobalAlloc(GMEM_FIXED, added.Bytes() + 4);
  ASSERT_NE(addedMemory, nullptr);
  memcpy(addedMemory, added.Get(), added.Bytes());

  const TOwnCase owns[] = {
      {"sizes itself in WM_INITDIALOG", 0, SizesItselfProc},
      {"resizable, follows its window size", 1, FollowsWindowSizeProc},
      {"resizable, follows its client size", 1, FollowsClientSizeProc},
  };
  const TOpenCase opens[] = {
      {"Open dialog", OFN_EXPLORER, false},
      {"Open dialog, sizeable", OFN_EXPLORER | OFN_ENABLESIZING, false},
      {"Open dialog, sizeable, hook", OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK, false},
      {"Open dialog, sizeable, hook and template", OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK, true},
  };
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  auto showOpen = [&](const TOpenCase& c) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = L"Pictures (*.png)\0*.png\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = dir;
    ofn.Flags = c.Flags | OFN_FILEMUSTEXIST;
    if (c.Flags & OFN_ENABLEHOOK) ofn.lpfnHook = OpenHook;
    if (c.Template) {
      ofn.Flags |= OFN_ENABLETEMPLATEHANDLE;
      ofn.hInstance = static_cast<HINSTANCE>(addedMemory);
    }
    GetOpenFileNameW(&ofn);
  };
  auto showOwn = [&](const TOwnCase& c) {
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), c.Style ? sizeable.Get() : own.Get(), nullptr, c.Proc,
                            0);
  };

  // Native and skinned one after the other, case by case: the Open dialog starts from the
  // size the one before it closed with, which is then its own.
  Main = LoadedComponent();
  auto skinned = [this](HWND dlg) {
    TSkinForm* h = Handler(dlg);
    return h && h->FrameSkinned() && h->Stage() == stReady;
  };
  auto compare = [&](const char* name, const std::function<void()>& show) {
    Manager().SetSkinningOn(false);
    const TDialogLayout native = TModalProbe().Run(show);
    Manager().SetSkinningOn(true);
    TModalProbe probe(skinned);
    const TDialogLayout l = probe.Run(show);
    EXPECT_TRUE(probe.Settled) << name << ": not skinned, or never settled";
    ExpectSameLayout(native, l, name);
  };
  for (const TOwnCase& c : owns) compare(c.Name, [&] { showOwn(c); });
  for (const TOpenCase& c : opens) compare(c.Name, [&] { showOpen(c); });
  GlobalFree(addedMemory);
}

}  // namespace

namespace {
using namespace skintest;
using namespace frametest;

// A foreign window's own background stays (a game's black board); the skin's face goes only
// where the window is a dialog or its class paints the system's face, and the colour
// messages answer what was painted.
TEST_F(ForeignDialogTest, OnlyDialogsAndFaceColouredWindowsTakeTheSkinsFace) {
  Main = LoadedComponent();
  const COLORREF skinFace = ColorToRGB(static_cast<TColor>(Main->ColorButtonFace));
  ASSERT_NE(skinFace, GetSysColor(COLOR_BTNFACE)) << "the test needs a skin face the system does not have";
  TBrushHandle faceBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  struct Case {
    const char* Name;
    const char* Class;
    COLORREF Expected;
    bool AnswersFace;
  } cases[] = {
      {"black class brush",
       TestClass("SkinTestBlack", DefWindowProcA, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))),
       RGB(0, 0, 0), false},
      {"window colour",
       TestClass("SkinTestWindowColour", DefWindowProcA, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
       GetSysColor(COLOR_WINDOW), false},
      {"system face by index",
       TestClass("SkinTestFaceIndex", DefWindowProcA, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), skinFace,
       true},
      {"system face as a brush of its own", TestClass("SkinTestFaceBrush", DefWindowProcA, faceBrush.get()),
       skinFace, true},
      {"dialog", "#32770", skinFace, true},
  };
  for (const Case& c : cases) {
    TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, c.Class));
    SetWindowPos(w.Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Activate(w.Wnd);
    ASSERT_NE(Handler(w.Wnd), nullptr) << c.Name;
    RedrawWindow(w.Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(SettledScreenPixel(InClient(w.Wnd, 40, 40)), c.Expected) << c.Name;

    HWND label = CreateWindowExA(0, "STATIC", "Label", WS_CHILD | WS_VISIBLE, 5, 5, 60, 16, w.Wnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HDC dc = GetDC(label);
    for (UINT msg : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORDLG}) {
      const LRESULT native =
          CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(w.Wnd, GCLP_WNDPROC)), w.Wnd, msg,
                          reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
      const LRESULT answer =
          SendMessageA(w.Wnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
      if (c.AnswersFace) {
        EXPECT_EQ(answer, static_cast<LRESULT>(Main->ButtonFaceBrush)) << c.Name << " " << msg;
      } else {
        EXPECT_EQ(answer, native) << c.Name << " " << msg << ": passed through";
      }
    }
    ReleaseDC(label, dc);
  }
}

}  // namespace

namespace {
using namespace skintest;

// A main window that lays its children out on WM_SIZE, as notepad does: a text area above a
// 20 px status line at the client's bottom.
constexpr int IdText = 1, IdStatus = 2;
LRESULT CALLBACK LaysOutOnSizeProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    MoveWindow(GetDlgItem(wnd, IdText), 0, 0, w, h - 20, TRUE);
    MoveWindow(GetDlgItem(wnd, IdStatus), 0, h - 20, w, 20, TRUE);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

TDialogLayout MainWindowLayout(bool skin) {
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 100, "&File");
  AppendMenuA(menu, MF_STRING, 101, "&Help");
  TWindow w(CreateWindowExA(0, TestClass("SkinTestLaysOut", LaysOutOnSizeProc), "Lays out",
                            WS_OVERLAPPEDWINDOW, 120, 100, 400, 300, nullptr, menu, GetModuleHandleA(nullptr),
                            nullptr));
  for (int id : {IdText, IdStatus})
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, w.Wnd,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  RECT c{};
  GetClientRect(w.Wnd, &c);
  SendMessageA(w.Wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
  Activate(w.Wnd);
  if (skin) {
    EXPECT_TRUE(PumpUntil([&] {
      auto* h = dynamic_cast<TSkinForm*>(SkinManage()->FindSkinForm(w.Wnd));
      return h && h->FrameSkinned() && h->Stage() == stReady;
    })) << "not skinned";
    PumpMessages(30);
  }
  return LayoutOf(w.Wnd);
}

// Taking its caption off grows the client for a moment, and the window lays itself out for
// that; given its client back, its children follow its own layout, not where they were then.
TEST_F(ForeignDialogTest, MainWindowKeepsItsOwnLayoutForTheClientItKeeps) {
  Main = LoadedComponent();
  Manager().SetSkinningOn(false);
  const TDialogLayout native = MainWindowLayout(false);
  Manager().SetSkinningOn(true);
  const TDialogLayout skinned = MainWindowLayout(true);
  ExpectSameLayout(native, skinned, "main window laid out on WM_SIZE");
}

}  // namespace
