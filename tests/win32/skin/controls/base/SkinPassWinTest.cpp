// The child-control pass on real windows: a standard dialog made from a template, classes
// and tags on a form, and a skin without buttons.
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"

namespace {
using namespace controltest;
using SkinPassWinTest = ControlTest;

// An in-memory dialog template: a push button, a check box and a group box.
class TDialogTemplate {
 public:
  TDialogTemplate() {
    DLGTEMPLATE t{};
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.cdit = 3;
    t.cx = 160;
    t.cy = 80;
    Put(&t, sizeof t);
    Word(0);  // no menu
    Word(0);  // default class
    Text(L"Dialog");
    Word(8);
    Text(L"MS Shell Dlg");
    Item(BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 50, 14, 1, L"OK");
    Item(BS_AUTOCHECKBOX | WS_TABSTOP, 10, 30, 60, 10, 2, L"Check");
    Item(BS_GROUPBOX, 80, 5, 70, 60, 3, L"Group");
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(FBytes.data()); }

 private:
  void Put(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    FBytes.insert(FBytes.end(), b, b + n);
  }
  void Word(WORD w) { Put(&w, sizeof w); }
  void Text(const wchar_t* s) { Put(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
  void Align() {
    while (FBytes.size() % 4) FBytes.push_back(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
    Align();
    DLGITEMTEMPLATE it{};
    it.style = style | WS_CHILD | WS_VISIBLE;
    it.x = x;
    it.y = y;
    it.cx = cx;
    it.cy = cy;
    it.id = id;
    Put(&it, sizeof it);
    Word(0xFFFF);
    Word(0x0080);  // BUTTON
    Text(text);
    Word(0);
  }
  std::vector<uint8_t> FBytes;
};

INT_PTR CALLBACK NoDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(SkinPassWinTest, AStandardDialogSkinsItsPushButtonOnly) {
  Manager().SetSkinningOn(false);  // the handler here is made by hand
  TDialogTemplate t;
  HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, NoDialogProc, 0);
  ASSERT_NE(dlg, nullptr);
  skintest::TWindow keep(dlg);
  TSkinForm h(Manager(), nullptr, dlg);
  h.AttachToWindow(Main.get());
  SendMessageA(dlg, CM_SKINSTART, 0, 1000);
  HWND push = GetDlgItem(dlg, 1), check = GetDlgItem(dlg, 2), group = GetDlgItem(dlg, 3);
  std::vector<std::string> got(4);
  for (TSkinControl* c : h.ControlHandlers()) {
    if (c->Handle() == push) got[1] = c->ClassName();
    if (c->Handle() == check) got[2] = c->ClassName();
    if (c->Handle() == group) got[3] = c->ClassName();
  }
  EXPECT_EQ(got[1], "TSkinButton");
  // Check boxes get their family's handler once it is registered; until then nothing.
  EXPECT_EQ(got[2], SkinControlFamilies().Has(TSkinHandlerKind::CheckBox) ? "TSkinCheckBox" : "");
  EXPECT_EQ(got[3], "");
  EXPECT_EQ(h.ControlHandlers().size(), SkinControlFamilies().Has(TSkinHandlerKind::CheckBox) ? 2u : 1u);
  // Offered again, nothing doubles.
  h.OfferWindow(push);
  EXPECT_EQ(h.ControlHandlers().size(), SkinControlFamilies().Has(TSkinHandlerKind::CheckBox) ? 2u : 1u);
  h.DetachSkin();
  EXPECT_TRUE(h.ControlHandlers().empty());
}

// The template's dialog, shown and activated, so the manager skins it.
HWND ActivatedDialog() {
  static const TDialogTemplate t;
  HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, NoDialogProc, 0);
  if (dlg) skintest::Activate(dlg);
  PumpMessages(60);
  return dlg;
}

TEST_F(SkinPassWinTest, TheManagerSkinsADialogsPushButtonWhenItIsActivated) {
  skintest::TWindow keep(ActivatedDialog());
  HWND dlg = keep.Wnd;
  ASSERT_NE(dlg, nullptr);
  TSkinForm* h = Handler(dlg);
  ASSERT_NE(h, nullptr) << "the manager took the dialog";
  HWND push = GetDlgItem(dlg, 1);
  EXPECT_EQ(HandlerClassOf(*h, push), "TSkinButton");
  UpdateWindow(push);
  ASSERT_EQ(GetFocus(), push) << "the dialog focuses its first tab stop";
  EXPECT_EQ(WindowPixel(push, 2, 2), FrameColour[bfHot]) << "focused, drawn from the skin";
}

// A message box whose push button is hot (the mouse rests on it) goes inactive: the button
// loses its hot state at once, as the mouse that rests there sends no leave of its own.
TEST_F(SkinPassWinTest, ADialogGoingInactiveLetsGoOfItsHotPushButton) {
  skintest::TWindow keep(ActivatedDialog());
  HWND dlg = keep.Wnd;
  ASSERT_NE(dlg, nullptr);
  TSkinForm* h = Handler(dlg);
  ASSERT_NE(h, nullptr);
  HWND push = GetDlgItem(dlg, 1);
  TSkinControl* button = HandlerOfWindow(*h, push);
  ASSERT_NE(button, nullptr);
  RECT r{};
  GetWindowRect(push, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);  // the mouse rests on the button
  SendMessageW(push, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  PumpMessages(30);
  ASSERT_TRUE(button->MouseState() & msHot);
  ASSERT_EQ(h->HotButton, button);

  skintest::TWindow other(skintest::MakeWindow(WS_OVERLAPPEDWINDOW, 200, 120));
  SetWindowPos(other.Wnd, nullptr, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  skintest::Activate(other.Wnd);
  PumpMessages(30);
  ASSERT_FALSE(h->Active());
  EXPECT_FALSE(button->MouseState() & msHot) << "the push button of the inactive dialog is not hot";
  EXPECT_EQ(h->HotButton, nullptr);
}

// A control handler that raises when it gives its control back.
class TRaisingHandler final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void UnSkin() override { throw std::runtime_error("unskin failed"); }
};

int gNcDestroys = 0;
LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCDESTROY) ++gNcDestroys;
  return DefWindowProcA(wnd, msg, w, l);
}

// A window destroyed while a control handler raises on the way out: the error is reported,
// the window's own procedure still gets WM_NCDESTROY, and the form handler is left for the
// purge instead of staying listed for a dead window.
TEST_F(SkinPassWinTest, AnErrorWhileTheWindowIsDestroyedLosesNeitherItsLastMessageNorThePurge) {
  std::vector<std::string> reported;
  Application->OnException = [&](TObject*, const std::string& message) { reported.push_back(message); };
  HWND wnd = skintest::MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200,
                                  TestClass("SkinPassCounting", CountingProc, nullptr));
  skintest::Activate(wnd);
  TSkinForm* h = Handler(wnd);
  ASSERT_NE(h, nullptr);
  h->RegisterControl(new TRaisingHandler(nullptr));
  gNcDestroys = 0;
  DestroyWindow(wnd);
  Application->OnException = nullptr;
  EXPECT_EQ(gNcDestroys, 1) << "the window's own procedure got its last message";
  EXPECT_EQ(reported, std::vector<std::string>{"unskin failed"});
  ASSERT_EQ(Manager().FindSkinForm(wnd), h);
  EXPECT_EQ(h->Stage(), stDestroyed);
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().FindSkinForm(wnd), nullptr);
  UnregisterClassA("SkinPassCounting", GetModuleHandleA(nullptr));
}

TEST_F(SkinPassWinTest, ClassesTagsAndGatesDecideOnAForm) {
  Main->DisableTag = 7;
  Main->SkinControls &= ~SkinBit(xcBitBtn);
  MakeForm();
  auto* plain = Add<TButton>(10, 10, 75, 25, "Plain");
  auto* tagged = Add<TButton>(10, 40, 75, 25, "Tagged");
  tagged->Tag = 107;
  auto* bit = Add<TBitBtn>(10, 70, 75, 25, "Bit");
  auto* speed = Add<TSpeedButton>(100, 10, 40, 25, "S");
  auto* label = Add<TLabel>(100, 40, 40, 15, "L");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  EXPECT_NE(HandlerOf(*form, plain), nullptr);
  EXPECT_EQ(HandlerOf(*form, tagged), nullptr) << "Tag 100 + DisableTag";
  EXPECT_EQ(HandlerOf(*form, bit), nullptr) << "a glyph button is gated by xcBitBtn alone";
  EXPECT_NE(HandlerOf(*form, speed), nullptr);
  EXPECT_EQ(HandlerOf(*form, label), nullptr);
}

TEST_F(SkinPassWinTest, TheEventSuppliesItsOwnHandler) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Event");
  auto* other = Add<TButton>(10, 40, 75, 25, "Other");
  std::vector<std::string> seen;
  Main->OnSkinControl = [&](TComponent*, TSkinData*, TComponent*, TComponent* control, const std::string& cls,
                            TComponent*& made) {
    seen.push_back(cls);
    if (control == b) made = new TSkinBitButton(b);
  };
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(HandlerOf(*form, b), nullptr);
  EXPECT_EQ(HandlerOf(*form, b)->ClassName(), "TSkinBitButton");
  EXPECT_EQ(HandlerOf(*form, b)->State(), scsAttached);
  ASSERT_NE(HandlerOf(*form, other), nullptr);
  EXPECT_EQ(HandlerOf(*form, other)->ClassName(), "TSkinButton") << "no handler from the event: the rules";
  EXPECT_EQ(seen, (std::vector<std::string>{"TBUTTON", "TBUTTON"}));
}

TEST_F(SkinPassWinTest, WithoutAButtonImageButtonsKeepTheirOwnLook) {
  Main->Buttons.reset();
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Native");
  ASSERT_NE(ShowFormFor(b), nullptr);
  UpdateWindow(b->Handle());
  const COLORREF c = WindowPixel(b->Handle(), 37, 3);
  EXPECT_EQ(c, GetSysColor(COLOR_BTNFACE)) << "the native button painted its face";
}

}  // namespace
