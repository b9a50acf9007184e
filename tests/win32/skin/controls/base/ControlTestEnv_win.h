#pragma once
// What the control tests share: the engine and the control families installed, the built-in
// skin with its button strip replaced by five solid frames (one colour each), a shown form,
// and pixels read back from a window's own DC.
#include <string>
#include <vector>

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinChildren.h"
#include "support/Controls_win.h"
#include "support/MenuItems_win.h"
#include "support/Screen_win.h"
#include "support/SolidFrames.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace controltest {

// The colour of each button frame, 1-based (index 0 unused).
inline constexpr COLORREF FrameColour[6] = {
    0, RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200), RGB(200, 200, 40), RGB(40, 200, 200)};

inline COLORREF FrameColourOf(int f) { return FrameColour[f]; }

// A skin image of solid frames (support/SolidFrames.h).
template <class Colour>
std::unique_ptr<TSkinImage> SolidFrameImage(ISkinPlatform& platform, int count, int frameWidth, int height,
                                            Colour colour) {
  auto image = platform.NewImage();
  image->Assign(SolidFrames(count, frameWidth, height, colour));
  return image;
}

// A skin element of such an image, the frames in FrameColour unless told otherwise.
template <class E, class Colour = COLORREF (*)(int)>
std::unique_ptr<E> SolidElement(ISkinPlatform& platform, const char* name, int count, int frameWidth = 8,
                                int height = 8, Colour colour = FrameColourOf) {
  auto e = std::make_unique<E>(name, platform);
  e->Image = SolidFrameImage(platform, count, frameWidth, height, colour);
  e->FrameCount = count;
  return e;
}

// The pixel at (x, y) of the window, read from its window DC.
inline COLORREF WindowPixel(HWND wnd, int x, int y) {
  WindowDc dc(wnd);
  return GetPixel(dc.get(), x, y);
}

struct ControlTest : skintest::EngineTest {
  void SetUp() override {
    EngineTest::SetUp();
    InstallControlFamilies();
    Main = skintest::LoadedComponent();
    Main->Buttons = SolidElement<TDataSkinButton>(Main->Platform(), "Buttons", 5);
    Main->ColorButtonFace = RGB(230, 230, 230);
  }
  void TearDown() override {
    delete FormObj;
    FormObj = nullptr;
    EngineTest::TearDown();
  }
  // A shown, skinned form of 300 x 200 with its handler.
  TForm* MakeForm() {
    FormObj = new TForm(nullptr);
    FormObj->SetBorderStyle(bsSingle);
    FormObj->SetClientSize(300, 200);
    FormObj->SetBounds(40, 40, FormObj->Width(), FormObj->Height());
    return FormObj;
  }
  TSkinForm* ShowForm() {
    FormObj->Show();
    SetWindowPos(FormObj->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(FormObj->Handle());
    PumpMessages(60);
    return Handler(FormObj->Handle());
  }
  template <class T>
  T* Add(int left, int top, int width, int height, const char* caption = "") {
    return AddTo<T>(FormObj, left, top, width, height, caption);
  }
  // A control inside another of the form (a page, a panel); the form owns it.
  template <class T>
  T* AddTo(TWinControl* parent, int left, int top, int width, int height, const char* caption = "") {
    T* c = NewControl<T>(FormObj, parent, left, top, width, height);
    c->SetCaption(caption);
    return c;
  }
  // A page control on the form with one page, "Page"; answers the page.
  TTabSheet* AddPage(int left, int top, int width, int height) {
    auto* pages = Add<TPageControl>(left, top, width, height);
    auto* page = new TTabSheet(FormObj);
    page->SetCaption("Page");
    page->SetPageControl(pages);
    return page;
  }
  // A window of a system class on the form, made without the class library.
  HWND AddRaw(const char* cls, const char* text, DWORD style, int left, int top, int width, int height,
              int id = 0) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height,
                           FormObj->Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  }
  // The handler the pass gave a control, or null.
  static TSkinControl* HandlerOf(TSkinForm& form, const void* control) {
    for (TSkinControl* h : form.ControlHandlers())
      if (h->BoundControl() == control) return h;
    return nullptr;
  }
  // The handler of a window, whether attached to its control or by its handle; or null.
  static TSkinControl* HandlerOfWindow(TSkinForm& form, HWND wnd) {
    for (TSkinControl* h : form.ControlHandlers())
      if (h->Handle() == wnd) return h;
    return nullptr;
  }
  // The class name of a window's handler ("" when it has none).
  static std::string HandlerClassOf(TSkinForm& form, HWND wnd) {
    const TSkinControl* h = HandlerOfWindow(form, wnd);
    return h ? std::string(h->ClassName()) : std::string();
  }
  // Shows the form and answers the handler the pass gave `control` as an H: null when the
  // form got no handler, the control none, or one of another kind.
  template <class H = TSkinControl>
  H* ShowFormFor(const void* control) {
    TSkinForm* form = ShowForm();
    return form ? dynamic_cast<H*>(HandlerOf(*form, control)) : nullptr;
  }
  TForm* FormObj = nullptr;
};

}  // namespace controltest
