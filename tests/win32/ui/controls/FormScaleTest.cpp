// A form designed at one DPI made at the screen's: its client area, controls and pixel fonts
// scaled once, as it is created, neighbours kept apart, point fonts left alone.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "support/Controls_win.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

// Designed at two thirds of the screen's DPI, so it is made half as large again, whatever
// the prefix's DPI.
class TScaleForm : public TForm {
 public:
  TScaleForm(bool scaled) : TForm(nullptr) {
    BeginLoading();
    Scaled = scaled;
    DesignPixelsPerInch = Screen->PixelsPerInch() * 2 / 3;
    SetBorderStyle(bsSingle);
    SetBounds(50, 60, 0, 0);
    SetClientSize(200, 100);
    Box = NewControl<TPanel>(this, this, 10, 10, 100, 50);
    Left = NewControl<TButton>(this, Box, 5, 5, 40, 21);
    Right = NewControl<TButton>(this, Box, 45, 5, 40, 21);  // touching Left at 96 DPI
    PixelFont = NewControl<TLabel>(this, this, 120, 10, 60, 13);
    PointFont = new TLabel(this);
    PointFont->SetParent(this);
    PointFont->Font()->SetSize(10);
    PointFont->SetBounds(120, 30, 60, 13);
    Bar = NewControl<TStatusBar>(this, this, 0, 80, 200, 20);
    Bar->AddPanel()->SetWidth(50);
    Bar->AddPanel()->SetWidth(30);
    List = new TListView(this);
    List->SetParent(this);
    List->SetViewStyle(vsReport);
    List->AddColumn("One", 60);
    List->SetBounds(120, 50, 70, 28);
    EndLoading();
  }
  TPanel* Box;
  TButton *Left, *Right;
  TLabel *PixelFont, *PointFont;
  TStatusBar* Bar;
  TListView* List;
};

RECT InParent(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

TEST(FormScale, AFormIsMadeAtTheScreensDpiOnceAsItIsCreated) {
  TScaleForm form(true);
  form.HandleNeeded();
  EXPECT_EQ(form.PixelsPerInch(), Screen->PixelsPerInch());
  EXPECT_EQ(form.ScalePixels(8), 12);
  // The client area is what was designed; the place on the screen stays.
  RECT c{}, w{};
  GetClientRect(form.Handle(), &c);
  GetWindowRect(form.Handle(), &w);
  EXPECT_EQ(c.right, 300);
  EXPECT_EQ(c.bottom, 150);
  EXPECT_EQ(w.left, 50);
  EXPECT_EQ(w.top, 60);

  // Controls by their edges, as the windows have them: the two buttons still touch.
  const RECT box = InParent(form.Box->Handle()), l = InParent(form.Left->Handle()),
             r = InParent(form.Right->Handle());
  EXPECT_EQ(box.left, 15);
  EXPECT_EQ(box.right - box.left, 150);
  EXPECT_EQ(box.bottom - box.top, 75);
  EXPECT_EQ(l.left, 8);  // 7.5 rounds up
  EXPECT_EQ(l.right, r.left);
  EXPECT_EQ(r.right - r.left, 60);
  EXPECT_EQ(r.bottom - r.top, 31);  // edges 5 and 26 become 8 and 39

  // A pixel font grows, a font in points already follows the DPI.
  EXPECT_EQ(form.PixelFont->Font()->Height(), -17);
  TFont points;
  points.SetSize(10);
  EXPECT_EQ(form.PointFont->Font()->Height(), points.Height());

  // Widths inside controls: the status bar's panel and the list's column.
  int parts[2] = {};
  ASSERT_EQ(SendMessageA(form.Bar->Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts)), 2);
  EXPECT_EQ(parts[0], 75);
  EXPECT_EQ(SendMessageA(form.List->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 90);

  // Once only: asking again changes nothing.
  form.ScaleForScreen();
  GetClientRect(form.Handle(), &c);
  EXPECT_EQ(c.right, 300);
  EXPECT_EQ(form.PixelFont->Font()->Height(), -17);
}

TEST(FormScale, AFormThatIsNotScaledKeepsItsDesignPixels) {
  TScaleForm form(false);
  form.HandleNeeded();
  RECT c{};
  GetClientRect(form.Handle(), &c);
  EXPECT_EQ(c.right, 200);
  EXPECT_EQ(c.bottom, 100);
  EXPECT_EQ(InParent(form.Right->Handle()).left, 45);
  EXPECT_EQ(form.PixelFont->Font()->Height(), -11);
  EXPECT_EQ(form.ScalePixels(8), 8);
  EXPECT_EQ(form.PixelsPerInch(), form.DesignPixelsPerInch);
  EXPECT_EQ(SendMessageA(form.List->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 60);
}

TEST(FormScale, AFontFollowsTheDpiWhenItsSizeCameInPointsOrFromTheSystem) {
  TFont f;
  EXPECT_FALSE(f.FollowsDpi());  // the default height is pixels
  f.SetSize(9);
  EXPECT_TRUE(f.FollowsDpi());
  f.SetHeight(-12);
  EXPECT_FALSE(f.FollowsDpi());
  TFont system;
  system.SetHandle(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  EXPECT_TRUE(system.FollowsDpi());
  f.Assign(system);
  EXPECT_TRUE(f.FollowsDpi());
  // Published, so stored forms can say it.
  TScaleForm form(true);
  EXPECT_EQ(GetEnumProperty(&form, "Scaled"), "True");
  EXPECT_EQ(GetIntProperty(&form, "DesignPixelsPerInch"), form.DesignPixelsPerInch);
}
