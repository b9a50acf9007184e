// The skinned menu bar of a window the engine did not build (a plain Win32 window with a
// native menu, as a foreign program has), driven by real keys and clicks and compared with the
// same window native: how a drop-down opens, the bar's keyboard mode, Escape, item widths,
// and what detaching gives back.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/skin/forms/menubar/MenuTestEnv_win.h"

extern "C" {
#include "Example.h"  // the example program is written in C
}
#include "gallery/Gallery.h"
#include "gallery/GalleryMdiSample.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"

namespace {
using namespace skintest;
using namespace menutest;

enum : UINT { IdNew = 101, IdOpen, IdExit, IdFind, IdFindNext, IdReplace, IdWrap, IdAbout };

// A window of a foreign program: its procedure records the commands it is sent and whether
// Escape reached it.
struct TForeign {
  static inline std::vector<UINT> Commands;
  static inline int Escapes = 0;
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) >= IdNew)
      Commands.push_back(LOWORD(wParam));
    if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) ++Escapes;
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  static const wchar_t* Class() { return TestClass(L"SkinMenuKeysForeign", Proc); }
};

// File, Search and Help, as a small editor has them; shortcuts after a tab.
HMENU ForeignMenu() {
  HMENU bar = CreateMenu(), file = CreatePopupMenu(), search = CreatePopupMenu(), help = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, IdNew, L"&New\tCtrl+N");
  AppendMenuW(file, MF_STRING, IdOpen, L"&Open...\tCtrl+O");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, IdExit, L"E&xit");
  AppendMenuW(search, MF_STRING, IdFind, L"&Find...\tCtrl+F");
  AppendMenuW(search, MF_STRING, IdFindNext, L"Find &Next\tF3");
  AppendMenuW(search, MF_STRING, IdReplace, L"&Replace...\tCtrl+H");
  AppendMenuW(search, MF_STRING | MF_CHECKED, IdWrap, L"&Wrap around");
  AppendMenuW(help, MF_STRING, IdAbout, L"&About");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(search), L"&Search");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

// Real input: what the system's queue gets from a keyboard.
void Press(WORD vk, bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof in);
}
void Tap(WORD vk) {
  Press(vk, true);
  Press(vk, false);
}
void AltTap(WORD vk) {
  Press(VK_MENU, true);
  Tap(vk);
  Press(VK_MENU, false);
}

struct MenuKeysTest : EngineTest {
  HWND Wnd = nullptr;
  HMENU Bar = nullptr;
  bool Skinned = true;

  void Build(bool skinned = true, const std::function<void(TSkinData&)>& adjust = {}) {
    Skinned = skinned;
    TForeign::Commands.clear();
    TForeign::Escapes = 0;
    Main = LoadedComponent(sfMainform, skinned);
    if (adjust) adjust(*Main);
    Bar = ForeignMenu();
    Wnd = CreateWindowExW(0, TForeign::Class(), L"Foreign", WS_OVERLAPPEDWINDOW, 120, 100, 420, 260, nullptr,
                          Bar, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(Wnd, SW_SHOW);
    SetForegroundWindow(Wnd);
    SetActiveWindow(Wnd);
    SetFocus(Wnd);
    PumpMessages(80);
  }
  void TearDown() override {
    EndMenu();
    if (Wnd && IsWindow(Wnd)) DestroyWindow(Wnd);
    EngineTest::TearDown();
  }
  TSkinForm& H() {
    TSkinForm* h = Handler(Wnd);
    if (!h) throw std::runtime_error("not skinned");
    return *h;
  }
  HMENU Drop(int i) const { return GetSubMenu(Bar, i); }
};

// The type flags of every item of a menu and its submenus.
std::vector<UINT> ItemTypes(HMENU menu) {
  std::vector<UINT> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    out.push_back(mii.fType);
    if (mii.hSubMenu)
      for (UINT t : ItemTypes(mii.hSubMenu)) out.push_back(t);
  }
  return out;
}
int OwnerDrawn(HMENU menu) {
  int n = 0;
  for (UINT t : ItemTypes(menu)) n += (t & MFT_OWNERDRAW) != 0;
  return n;
}

// Opens each drop-down of the bar once (the bar makes their items owner-drawn) by a press.
void OpenEach(HWND wnd, TSkinForm& h) {
  for (int i = 0; i < h.MenuBar()->Count(); ++i) {
    TScript s;
    s.Steps.push_back([&] {
      if (!TopMenuWindow()) return false;
      EndMenu();
      return true;
    });
    s.Run([&] {
      RECT w{};
      GetWindowRect(wnd, &w);
      const TSkinRect b = h.MenuBar()->Button(i)->BoundsRect;
      PostMessageA(wnd, WM_NCLBUTTONDOWN, HTCLIENT,
                   MAKELPARAM(w.left + (b.Left + b.Right) / 2, w.top + (b.Top + b.Bottom) / 2));
    });
  }
}

TEST_F(MenuKeysTest, SwitchingSkinningOffGivesEveryDropDownItsOwnDrawingBack) {
  Build();
  OpenEach(Wnd, H());
  ASSERT_GT(OwnerDrawn(Bar), 0) << "the skinned drop-downs draw their items from the skin";
  wchar_t before[64] = {};
  GetMenuStringW(Drop(1), 0, before, 64, MF_BYPOSITION);

  Main->SetActive(false);
  for (int i = 0; i < 50 && Manager().CommandTimerEnabled(); ++i) PumpMessages(20);
  PumpMessages(60);
  ASSERT_FALSE(AnswersSkinQuery(Wnd));
  ASSERT_EQ(GetMenu(Wnd), Bar);
  EXPECT_EQ(OwnerDrawn(Bar), 0) << "no item is left for a handler that is gone";
  wchar_t after[64] = {};
  GetMenuStringW(Drop(1), 0, after, 64, MF_BYPOSITION);
  EXPECT_STREQ(after, before);
  EXPECT_EQ(GetMenuState(Drop(1), IdWrap, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

// What a user sees of the menus now: "drop N item I" (drop-down N open, item I selected, -1
// for none), "system item I" (the system menu), "bar N" (the bar's keyboard mode on button N),
// "none".
std::string Seen(MenuKeysTest& t) {
  if (HWND shown = TopMenuWindow()) {
    HMENU menu = MenuOf(shown);
    int item = -1;
    for (int i = 0; i < GetMenuItemCount(menu) && item < 0; ++i)
      if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) item = i;
    // A skinned window stays active while its drop-down is open, as a native one does.
    const std::string inactive = t.Skinned && !t.H().Active() ? " inactive" : "";
    for (int d = 0; d < GetMenuItemCount(t.Bar); ++d)
      if (menu == t.Drop(d)) return "drop " + std::to_string(d) + " item " + std::to_string(item) + inactive;
    return "system item " + std::to_string(item);
  }
  if (t.Skinned) {
    const int selected = t.H().KeyboardSelection();
    if (selected >= 0) return "bar " + std::to_string(selected);
  } else {
    for (int i = 0; i < GetMenuItemCount(t.Bar); ++i)
      if (GetMenuState(t.Bar, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
        return "bar " + std::to_string(i);
  }
  return "none";
}

// One step of a scenario: an action, then what shows once it settled.
struct TStep {
  std::function<void(MenuKeysTest&)> Act;
  std::string Then;
};

void ClickButton(MenuKeysTest& t, int i) {
  // The bar button, or where the native bar has the same item.
  POINT p{};
  if (t.Skinned) {
    RECT w{};
    GetWindowRect(t.Wnd, &w);
    const TSkinRect b = t.H().MenuBar()->Button(i)->BoundsRect;
    p = {w.left + (b.Left + b.Right) / 2, w.top + (b.Top + b.Bottom) / 2};
  } else {
    RECT r{};
    GetMenuItemRect(t.Wnd, t.Bar, static_cast<UINT>(i), &r);
    p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof in[0]);
}

// Runs the steps with real input, each after the one before has settled, and gives what
// showed after each.
std::vector<std::string> Play(MenuKeysTest& t, const std::vector<TStep>& steps) {
  std::vector<std::string> seen;
  TScript s;
  for (const TStep& step : steps) {
    int ticks = 0;
    s.Steps.push_back([&t, step, ticks, &seen]() mutable {
      if (ticks++ == 0) {
        step.Act(t);
        return false;
      }
      // A few ticks for the input to arrive and the menus to follow.
      if (ticks < 8) return false;
      seen.push_back(Seen(t));
      return true;
    });
  }
  s.Run();
  return seen;
}

std::vector<std::string> Expected(const std::vector<TStep>& steps) {
  std::vector<std::string> out;
  for (const TStep& s : steps) out.push_back(s.Then);
  return out;
}

TStep Click(int i, const char* then) {
  return {[i](MenuKeysTest& t) { ClickButton(t, i); }, then};
}
TStep Key(WORD vk, const char* then) {
  return {[vk](MenuKeysTest&) { Tap(vk); }, then};
}
TStep Alt(WORD vk, const char* then) {
  return {[vk](MenuKeysTest&) { AltTap(vk); }, then};
}
TStep AltAlone(const char* then) {
  return {[](MenuKeysTest&) { Tap(VK_MENU); }, then};
}

struct TScenario {
  const char* Name;
  std::vector<TStep> Steps;
  std::vector<UINT> Commands;
};

// Each scenario played on the window native and skinned: the skinned window must do what the
// native one does, step by step, and run the same commands.
const std::vector<TScenario>& Scenarios() {
  static const std::vector<TScenario> all = {
      {"a click opens with nothing selected; Down, Return runs the first command",
       {Click(0, "drop 0 item -1"), Key(VK_DOWN, "drop 0 item 0"), Key(VK_RETURN, "none")},
       {IdNew}},
      {"Alt+letter opens with the first item selected",
       {Alt('S', "drop 1 item 0"), Key(VK_RETURN, "none")},
       {IdFind}},
      {"F10 selects the first button; arrows move; Down opens; Escape twice leaves",
       {Key(VK_F10, "bar 0"), Key(VK_RIGHT, "bar 1"), Key(VK_RIGHT, "bar 2"), Key(VK_LEFT, "bar 1"),
        Key(VK_DOWN, "drop 1 item 0"), Key(VK_ESCAPE, "bar 1"), Key(VK_ESCAPE, "none")},
       {}},
      {"Alt alone selects the first button; Return opens; Right moves on; Alt leaves",
       {AltAlone("bar 0"), Key(VK_RETURN, "drop 0 item 0"), Key(VK_RIGHT, "drop 1 item 0"), AltAlone("none")},
       {}},
      {"Alt alone, a letter opens its menu",
       {AltAlone("bar 0"), Key('H', "drop 2 item 0"), Key(VK_RETURN, "none")},
       {IdAbout}},
      {"a click, Left from an open menu selects the first item; Escape, Escape",
       {Click(1, "drop 1 item -1"), Key(VK_LEFT, "drop 0 item 0"), Key(VK_ESCAPE, "bar 0"),
        Key(VK_ESCAPE, "none")},
       {}},
      {"Alt+F, Escape, Escape reaches nothing",
       {Alt('F', "drop 0 item 0"), Key(VK_ESCAPE, "bar 0"), Key(VK_ESCAPE, "none")},
       {}},
  };
  return all;
}

TEST_F(MenuKeysTest, NativeWindowPlaysEveryScenario) {
  for (const TScenario& sc : Scenarios()) {
    Build(false);
    ASSERT_EQ(Handler(Wnd), nullptr);
    EXPECT_EQ(Play(*this, sc.Steps), Expected(sc.Steps)) << sc.Name;
    EXPECT_EQ(TForeign::Commands, sc.Commands) << sc.Name;
    EXPECT_EQ(TForeign::Escapes, 0) << sc.Name;
    DestroyWindow(Wnd);
    Main.reset();
  }
}

TEST_F(MenuKeysTest, SkinnedWindowPlaysEveryScenarioAsTheNativeOne) {
  for (const TScenario& sc : Scenarios()) {
    Build(true);
    ASSERT_NE(H().MenuBar(), nullptr);
    EXPECT_EQ(Play(*this, sc.Steps), Expected(sc.Steps)) << sc.Name;
    EXPECT_EQ(TForeign::Commands, sc.Commands) << sc.Name;
    EXPECT_EQ(TForeign::Escapes, 0) << sc.Name << ": no Escape reaches the window";
    DestroyWindow(Wnd);
    Main.reset();
  }
}

// An item of the window's native menu drawn by the skin as the system asks for it: measured
// with WM_MEASUREITEM, then drawn with WM_DRAWITEM into a bitmap of the given width.
struct TDrawnItem {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;  // row by row
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
};
TDrawnItem DrawItem(HWND wnd, HMENU menu, UINT id, int extraWidth, int* measured = nullptr) {
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = id;
  mis.itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
  SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  if (measured) *measured = static_cast<int>(mis.itemWidth);
  TDrawnItem out;
  out.Width = static_cast<int>(mis.itemWidth) + extraWidth;
  out.Height = static_cast<int>(mis.itemHeight);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, out.Width, out.Height);
  HGDIOBJ old = SelectObject(dc, bmp);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.hwndItem = reinterpret_cast<HWND>(menu);
  dis.hDC = dc;
  dis.rcItem = {0, 0, out.Width, out.Height};
  SendMessageW(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) out.Pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return out;
}

// Each item of a native drop-down is as wide as its text drawn in the menu font: the caption
// and the shortcut fit whole, and nothing of them comes near the item's right edge. Drawn
// over a flat menu colour, so every other pixel is text.
TEST_F(MenuKeysTest, NativeItemsAreMeasuredAsTheyAreDrawn) {
  Build();
  Main->MenuItem.reset();
  const COLORREF back = ColorToRGB(static_cast<TColor>(Main->ColorMenu));
  for (UINT id : {IdFind, IdFindNext, IdReplace, IdWrap, IdNew, IdOpen, IdExit}) {
    HMENU menu = id >= IdFind && id <= IdWrap ? Drop(1) : Drop(0);
    int measured = 0;
    const TDrawnItem fit = DrawItem(Wnd, menu, id, 0, &measured);
    const TDrawnItem wide = DrawItem(Wnd, menu, id, 150);
    auto textPixels = [back](const TDrawnItem& d, int fromX, int toX) {
      int n = 0;
      for (int y = 0; y < d.Height; ++y)
        for (int x = fromX; x < toX; ++x) n += d.At(x, y) != back;
      return n;
    };
    const int all = textPixels(fit, 0, fit.Width);
    EXPECT_GT(all, 20) << id << ": the text is drawn";
    EXPECT_EQ(all, textPixels(wide, 0, wide.Width)) << id << ": nothing of the text is cut";
    EXPECT_EQ(textPixels(fit, fit.Width - 6, fit.Width), 0) << id << ": the text keeps off the right edge";
    // Drawn in the menu font: no taller than that font's characters.
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HFONT font = CreateFontIndirectW(&ncm.lfMenuFont);
    HDC sdc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(sdc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(sdc, &tm);
    SelectObject(sdc, oldFont);
    ReleaseDC(nullptr, sdc);
    DeleteObject(font);
    int top = fit.Height, bottom = -1;
    for (int y = 0; y < fit.Height; ++y)
      for (int x = 0; x < fit.Width; ++x)
        if (fit.At(x, y) != back) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    EXPECT_LE(bottom - top + 1, tm.tmHeight) << id;
  }
}

// The example's MDI frame: plain Win32 with a native menu (File, Window) and two children, the
// keys arriving at the active child. Drop-downs walked with the keys, the frame active
// throughout, commands run.
TEST_F(MenuKeysTest, ThePlainMdiFrameTakesEveryKey) {
  Main = LoadedComponent();
  ExampleWindows w{};
  ASSERT_TRUE(ExampleCreateWindows(GetModuleHandleW(nullptr), &w));
  SetForegroundWindow(w.Frame);
  SetActiveWindow(w.Frame);
  SetFocus(w.Children[1]);
  PumpMessages(150);
  Wnd = w.Frame;
  ASSERT_NE(Handler(w.Frame), nullptr);
  ASSERT_NE(H().MenuBar(), nullptr);
  Bar = H().MenuBar()->NativeMenu();
  RECT before{};
  GetWindowRect(w.Children[0], &before);
  const std::vector<TStep> steps = {
      Alt('F', "drop 0 item 0"),     Key(VK_DOWN, "drop 0 item 2"),   Key(VK_ESCAPE, "bar 0"),
      Key(VK_RIGHT, "bar 1"),        Key(VK_RETURN, "drop 1 item 0"), Key(VK_ESCAPE, "bar 1"),
      Key(VK_ESCAPE, "none"),        Alt('W', "drop 1 item 0"),       Key(VK_DOWN, "drop 1 item 1"),
      Key(VK_UP, "drop 1 item 0"),   Key(VK_RETURN, "none"),          Click(1, "drop 1 item -1"),
      Key(VK_DOWN, "drop 1 item 0"), Key(VK_DOWN, "drop 1 item 1"),   Key(VK_LEFT, "drop 0 item 0"),
      Key(VK_ESCAPE, "bar 0"),       Key(VK_ESCAPE, "none"),
  };
  EXPECT_EQ(Play(*this, steps), Expected(steps));
  RECT after{};
  GetWindowRect(w.Children[0], &after);
  EXPECT_FALSE(EqualRect(&before, &after)) << "Cascade ran and moved the children";
  if (w.Dialog) DestroyWindow(w.Dialog);
  DestroyWindow(w.Frame);
  Wnd = nullptr;
}

// The gallery shown, its MDI sample open with three children.
std::unique_ptr<TfrmGallery> GalleryWithMdiSample() {
  InstallControlFamilies();
  auto gallery = std::make_unique<TfrmGallery>(nullptr);
  gallery->Show();
  PumpMessages(100);
  gallery->miMdiSample->Click();
  return gallery;
}

// The gallery's MDI sample: Alt+F and Alt+W from a child open the frame's menus.
TEST_F(MenuKeysTest, TheGallerysMdiSampleOpensItsMenusFromTheKeys) {
  auto gallery = GalleryWithMdiSample();
  ASSERT_NE(gallery->frmMdiSample, nullptr);
  TfrmMdiSample& mdi = *gallery->frmMdiSample;
  SetForegroundWindow(mdi.Handle());
  SetActiveWindow(mdi.Handle());
  PumpMessages(150);
  Wnd = mdi.Handle();
  ASSERT_NE(Handler(Wnd), nullptr);
  Bar = mdi.MainMenu1->Handle();
  ASSERT_GT(mdi.MDIChildCount(), 0);
  const std::vector<TStep> steps = {
      Alt('W', "drop 1 item 0"), Key(VK_ESCAPE, "bar 1"), Key(VK_ESCAPE, "none"),
      Alt('F', "drop 0 item 0"), Key(VK_ESCAPE, "bar 0"), Key(VK_ESCAPE, "none"),
  };
  EXPECT_EQ(Play(*this, steps), Expected(steps));
  Wnd = nullptr;
  gallery.reset();
}

// While a drop-down opened by a click is open, its bar button shows the pressed face, also
// after the whole frame was painted again.
TEST_F(MenuKeysTest, TheOpenDropDownsButtonKeepsItsPressedFace) {
  constexpr COLORREF BarColour = RGB(0, 128, 64), Hilight = RGB(250, 250, 0);
  Build(true, [](TSkinData& d) {
    d.MenuBar.reset();  // a flat bar in ColorMenubar
    d.ColorMenubar = BarColour;
    d.ColorButtonHilight = Hilight;
  });
  const TSkinRect b = H().MenuBar()->Button(1)->BoundsRect;
  const int midY = (b.Top + b.Bottom) / 2;
  std::vector<COLORREF> edge;
  TScript s;
  int ticks = 0;
  int shown = 0;
  s.Steps.push_back([&] {
    if (ticks++ == 0) ClickButton(*this, 1);
    if (!TopMenuWindow() || ++shown < 4) return false;  // shown a moment: the screen has the faces
    edge.push_back(ScreenPixel(InWindow(Wnd, b.Left, midY)));
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
  });
  int settle = 0;
  s.Steps.push_back([&] {
    if (++settle < 4) return false;
    edge.push_back(ScreenPixel(InWindow(Wnd, b.Left, midY)));
    SetCursorPos(5, 700);  // off the bar, so it does not show the hot face after
    EndMenu();
    return true;
  });
  s.Run();
  PumpMessages(400);
  EXPECT_EQ(edge, (std::vector<COLORREF>{Hilight, Hilight})) << "pressed on opening and after a full paint";
  EXPECT_EQ(SettledScreenPixel(InWindow(Wnd, b.Left, midY)), BarColour) << "normal again once closed";
}

// After F2 the gallery's menus draw themselves again: the View menu's check marks, and the MDI
// sample's Window menu with the entries of its children.
TEST_F(MenuKeysTest, AfterSkinningGoesTheGallerysMenusDrawThemselves) {
  auto gallery = GalleryWithMdiSample();
  ASSERT_NE(gallery->frmMdiSample, nullptr);
  TfrmMdiSample& mdi = *gallery->frmMdiSample;
  PumpMessages(150);
  // Each drop-down opened once while skinned.
  for (HWND wnd : {gallery->Handle(), mdi.Handle()}) {
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    PumpMessages(100);
    TSkinForm* h = Handler(wnd);
    ASSERT_NE(h, nullptr);
    OpenEach(wnd, *h);
  }
  HMENU view = gallery->miView->Handle(), window = mdi.miWindow->Handle();
  ASSERT_GT(OwnerDrawn(view) + OwnerDrawn(window), 0);
  const int windowItems = GetMenuItemCount(window);
  ASSERT_GE(windowItems, 2 + 3) << "Cascade, Tile and the children";

  gallery->miSkinning->Click();  // F2
  for (int i = 0; i < 50 && Manager().CommandTimerEnabled(); ++i) PumpMessages(20);
  PumpMessages(100);
  ASSERT_FALSE(AnswersSkinQuery(gallery->Handle()));
  EXPECT_EQ(OwnerDrawn(view), 0);
  EXPECT_EQ(OwnerDrawn(window), 0);
  int checked = 0;
  for (int i = 0; i < GetMenuItemCount(view); ++i)
    checked += (GetMenuState(view, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
  EXPECT_EQ(checked, 1) << "the page shown is checked";
  ASSERT_EQ(GetMenuItemCount(window), windowItems);
  for (int i = 0; i < windowItems; ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(window, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    const bool separator = (GetMenuState(window, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    EXPECT_TRUE(separator || text[0] != 0) << "item " << i << " has its text";
  }
  gallery.reset();
}

// Alt+Space opens the skinned system menu under the icon, with its first item selected: the
// keyboard's way to the window's own commands.
TEST_F(MenuKeysTest, AltSpaceOpensTheSkinnedSystemMenuUnderTheIcon) {
  Build();
  ASSERT_NE(H().TitleButtons().SystemPopup(), nullptr);
  RECT w{};
  GetWindowRect(Wnd, &w);
  POINT expected{w.left, w.top + H().Borders().Top};
  for (const auto& b : H().TitleButtons().Buttons())
    if (b->Visible && (b->Description().Action == 3 || b->Description().Action == 11) &&
        !b->BoundsRect.Empty()) {
      expected = {w.left + b->BoundsRect.Left, w.top + b->BoundsRect.Bottom};
      break;
    }
  HMENU shown = nullptr;
  RECT where{};
  int selected = -1;
  TScript s;
  int ticks = 0;
  s.Steps.push_back([&] {
    if (ticks++ == 0) AltTap(VK_SPACE);
    HWND menu = TopMenuWindow();
    if (!menu || ticks < 6) return false;
    shown = MenuOf(menu);
    GetWindowRect(menu, &where);
    for (int i = 0; i < GetMenuItemCount(shown) && selected < 0; ++i)
      if (GetMenuState(shown, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) selected = i;
    EndMenu();
    return true;
  });
  s.Run();
  EXPECT_EQ(shown, H().TitleButtons().SystemPopup()->Handle());
  EXPECT_EQ(where.left, expected.x);
  EXPECT_EQ(where.top, expected.y);
  EXPECT_GE(selected, 0) << "opened by the keyboard: an item is selected";
}

}  // namespace
