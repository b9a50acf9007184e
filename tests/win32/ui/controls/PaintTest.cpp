#include <gtest/gtest.h>

#include <string>

#include "UiTestSupport.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
// Paints a window (and its windowless children) into a memory bitmap through the same
// WM_ERASEBKGND / WM_PAINT path the system uses, for reading pixels back.
class Snapshot {
 public:
  Snapshot(HWND wnd, int width, int height) : FMem(nullptr) {
    HDC screen = GetDC(nullptr);
    FBitmap.reset(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    FOld = SelectObject(FMem.get(), FBitmap.get());
    SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(FMem.get()), 0);
    SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(FMem.get()), 0);
  }
  ~Snapshot() { SelectObject(FMem.get(), FOld); }
  COLORREF At(int x, int y) const { return GetPixel(FMem.get(), x, y); }

 private:
  MemoryDc FMem;
  TBitmapHandle FBitmap;
  HGDIOBJ FOld;
};

struct PlainForm : TForm {
  PlainForm() : TForm(nullptr) {
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 200, 120);
    SetColor(clWhite);
  }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* c = new T(this);
    c->SetParent(this);
    c->SetBounds(left, top, width, height);
    return c;
  }
};
}  // namespace

TEST(Paint, WindowlessControlsArePaintedByTheirParentInTheirOwnPlace) {
  PlainForm form;
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 40, 20);
  label->SetColor(clRed);
  Snapshot shot(form.Handle(), 200, 120);
  EXPECT_EQ(shot.At(20, 15), RGB(255, 0, 0));
  EXPECT_EQ(shot.At(49, 29), RGB(255, 0, 0));
  EXPECT_EQ(shot.At(50, 30), RGB(255, 255, 255));  // nothing outside its bounds
  label->SetVisible(false);
  Snapshot hidden(form.Handle(), 200, 120);
  EXPECT_EQ(hidden.At(20, 15), RGB(255, 255, 255));
}

TEST(Paint, ImageStretchesItsPictureOverItsBounds) {
  PlainForm form;
  auto* image = form.Add<TImage>(0, 0, 64, 64);
  TBitmap* bmp = image->Picture()->Bitmap();
  bmp->SetSize(2, 2);
  bmp->Canvas()->Brush()->SetColor(clBlue);
  bmp->Canvas()->FillRect({0, 0, 2, 2});
  bmp->Canvas()->SetPixels(0, 0, clLime);
  {
    Snapshot plain(form.Handle(), 200, 120);
    EXPECT_EQ(plain.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(plain.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(plain.At(10, 10), RGB(255, 255, 255));  // not stretched: 2 x 2 only
  }
  image->Stretch = true;
  Snapshot stretched(form.Handle(), 200, 120);
  EXPECT_EQ(stretched.At(10, 10), RGB(0, 255, 0));  // top-left quarter is the green pixel
  EXPECT_EQ(stretched.At(50, 50), RGB(0, 0, 255));
  EXPECT_EQ(stretched.At(70, 70), RGB(255, 255, 255));
}

TEST(Paint, ImageShowsTheApplicationIcon) {
  PlainForm form;
  auto* image = form.Add<TImage>(0, 0, 65, 57);
  image->Stretch = true;
  image->Picture()->Icon()->Assign(*Application->Icon());
  ASSERT_GT(image->Picture()->Icon()->Width(), 0);
  Snapshot shot(form.Handle(), 200, 120);
  int painted = 0;
  for (int y = 0; y < 57; y += 4)
    for (int x = 0; x < 65; x += 4)
      if (shot.At(x, y) != RGB(255, 255, 255)) ++painted;
  EXPECT_GT(painted, 10);
}

TEST(Paint, PanelBevelsFollowTheirCut) {
  struct Case {
    TBevelCut outer;
    COLORREF topLeft;  // the first pixel of the outer edge
  };
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const Case cases[] = {{bvLowered, shadow}, {bvRaised, light}};
  for (const Case& c : cases) {
    PlainForm form;
    auto* panel = form.Add<TPanel>(0, 0, 100, 50);
    panel->SetBevelOuter(c.outer);
    panel->SetBevelInner(bvNone);
    Snapshot shot(panel->Handle(), 100, 50);
    EXPECT_EQ(shot.At(0, 0), c.topLeft) << c.outer;
    EXPECT_EQ(shot.At(50, 25), ColorToRGB(clBtnFace)) << c.outer;
  }
}

// Which sides of a bevel show an edge, in either style: a line stands at its own side only.
TEST(Paint, BevelShapesDrawTheirSidesOnly) {
  struct Case {
    TBevelShape shape;
    bool top, bottom, left, right;
  };
  const Case cases[] = {
      {bsBox, true, true, true, true},         {bsFrame, true, true, true, true},
      {bsTopLine, true, false, false, false},  {bsBottomLine, false, true, false, false},
      {bsLeftLine, false, false, true, false}, {bsRightLine, false, false, false, true},
      {bsSpacer, false, false, false, false},
  };
  const int w = 60, h = 40;
  for (TBevelStyle style : {bsLowered, bsRaised}) {
    for (const Case& c : cases) {
      PlainForm form;
      form.SetColor(clBtnFace);
      auto* bevel = form.Add<TBevel>(0, 0, w, h);
      bevel->SetShape(c.shape);
      bevel->SetStyle(style);
      Snapshot shot(form.Handle(), 200, 120);
      const COLORREF face = ColorToRGB(clBtnFace);
      // An edge is two pixels thick: a side shows when either of its pixels is not the face.
      auto shows = [&](int x0, int y0, int dx, int dy) {
        return shot.At(x0, y0) != face || shot.At(x0 + dx, y0 + dy) != face;
      };
      const std::string what = "shape " + std::to_string(c.shape) + " style " + std::to_string(style);
      EXPECT_EQ(shows(w / 2, 0, 0, 1), c.top) << what;
      EXPECT_EQ(shows(w / 2, h - 1, 0, -1), c.bottom) << what;
      EXPECT_EQ(shows(0, h / 2, 1, 0), c.left) << what;
      EXPECT_EQ(shows(w - 1, h / 2, -1, 0), c.right) << what;
      EXPECT_EQ(shot.At(w / 2, h / 2), face) << what;
    }
  }
}

TEST(Paint, FlatSpeedButtonShowsItsEdgeOnlyWhileTheMouseIsOnIt) {
  PlainForm form;
  auto* button = form.Add<TSpeedButton>(10, 10, 80, 24);
  button->SetColor(clWhite);
  button->SetFlat(true);
  {
    Snapshot idle(form.Handle(), 200, 120);
    EXPECT_EQ(idle.At(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(idle.At(89, 33), RGB(255, 255, 255));
  }
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  ASSERT_TRUE(button->MouseInControl());
  Snapshot hot(form.Handle(), 200, 120);
  EXPECT_NE(hot.At(89, 33), RGB(255, 255, 255));  // bottom-right edge is drawn
  SetMouseControl(nullptr);
}

TEST(Labels, AutoSizeFollowsTheTextAndWordWrapKeepsTheWidth) {
  PlainForm form;
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("Hi");
  const int shortWidth = label->Width();
  label->SetCaption("A much longer caption than before");
  EXPECT_GT(label->Width(), shortWidth);
  const int oneLine = label->Height();
  EXPECT_GT(oneLine, 0);

  label->SetAutoSize(false);
  label->SetWidth(60);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  EXPECT_EQ(label->Width(), 60);
  EXPECT_GE(label->Height(), 3 * oneLine);  // the text now takes several lines

  // A larger font makes an auto-sized label taller.
  label->SetWordWrap(false);
  const int before = label->Height();
  label->Font()->SetHeight(-30);
  EXPECT_GT(label->Height(), before);
}
