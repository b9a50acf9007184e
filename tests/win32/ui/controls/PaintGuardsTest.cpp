// The painting guards on real DCs: what a drawing changed in a lent DC comes back, also when
// an error passes, and a back buffer copies exactly the picture begun last.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Handles.h"
#include "ui/PaintGuards_win.h"

namespace {

struct TDcState {
  POINT Origin{};
  RECT Clip{};
  HGDIOBJ Brush = nullptr;
  int Mode = 0;
  static TDcState Of(HDC dc) {
    TDcState s;
    GetViewportOrgEx(dc, &s.Origin);
    GetClipBox(dc, &s.Clip);
    s.Brush = GetCurrentObject(dc, OBJ_BRUSH);
    s.Mode = GetBkMode(dc);
    return s;
  }
  bool operator==(const TDcState& o) const {
    return Origin.x == o.Origin.x && Origin.y == o.Origin.y && EqualRect(&Clip, &o.Clip) &&
           Brush == o.Brush && Mode == o.Mode;
  }
};

void Disturb(HDC dc) {
  SetViewportOrgEx(dc, 7, 9, nullptr);
  IntersectClipRect(dc, 0, 0, 3, 3);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SetBkMode(dc, TRANSPARENT);
}

TEST(PaintGuards, ALentDcGetsItsStateBackOnEveryWayOut) {
  MemoryDc mem;
  TBitmapHandle bmp(CreateCompatibleBitmap(ClientDc(nullptr).get(), 20, 20));
  SelectGuard select(mem.get(), bmp.get());
  SetBkMode(mem.get(), OPAQUE);
  const TDcState before = TDcState::Of(mem.get());
  {
    const SavedDc saved(mem.get());
    Disturb(mem.get());
    EXPECT_FALSE(TDcState::Of(mem.get()) == before);
  }
  EXPECT_TRUE(TDcState::Of(mem.get()) == before) << "SavedDc";
  try {
    TBorrowedCanvas canvas(mem.get());
    EXPECT_EQ(canvas->Handle(), mem.get());
    Disturb(mem.get());
    throw std::runtime_error("item drawing failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(TDcState::Of(mem.get()) == before) << "TBorrowedCanvas, an error passing";
  const SavedDc none(nullptr);  // nothing to save: nothing restored, no failure
}

COLORREF PixelAt(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

TEST(PaintGuards, ABackBufferCopiesThePictureBegunLastAtItsOwnSize) {
  MemoryDc screen;
  TBitmapHandle bmp(CreateCompatibleBitmap(ClientDc(nullptr).get(), 40, 30));
  SelectGuard select(screen.get(), bmp.get());
  const RECT all{0, 0, 40, 30};
  TBrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(screen.get(), &all, white.get());

  TBackBuffer buffer;
  TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
  const RECT big{0, 0, 20, 10};
  FillRect(buffer.Begin(20, 10), &big, red.get());
  EXPECT_EQ(buffer.Bitmap().Width(), 20);
  TBrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
  const RECT small{0, 0, 5, 4};
  FillRect(buffer.Begin(5, 4), &small, blue.get());
  EXPECT_EQ(buffer.Bitmap().Width(), 5) << "Begin makes the bitmap the picture's size";
  buffer.CopyTo(screen.get(), 10, 10);
  EXPECT_EQ(PixelAt(screen.get(), 10, 10), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(screen.get(), 14, 13), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(screen.get(), 15, 10), RGB(255, 255, 255)) << "nothing right of the picture";
  EXPECT_EQ(PixelAt(screen.get(), 10, 14), RGB(255, 255, 255)) << "nothing below it";

  TBackBuffer pieces;
  pieces.BeginWithin(30, 6);
  const RECT piece{0, 0, 4, 20};
  FillRect(pieces.BeginWithin(4, 20), &piece, red.get());
  EXPECT_EQ(pieces.Bitmap().Width(), 30) << "BeginWithin only grows";
  EXPECT_EQ(pieces.Bitmap().Height(), 20);
  EXPECT_EQ(pieces.Width(), 4);
  pieces.CopyTo(screen.get(), 0, 0);
  EXPECT_EQ(PixelAt(screen.get(), 3, 19), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(screen.get(), 4, 0), RGB(255, 255, 255)) << "only the piece begun last";

  TBackBuffer empty;
  HDC emptyDc = empty.Begin(0, -3);
  ASSERT_NE(emptyDc, nullptr) << "an empty window still gets a DC";
  FillRect(emptyDc, &piece, red.get());
  FillRect(screen.get(), &all, white.get());
  empty.CopyTo(screen.get(), 0, 0);
  EXPECT_EQ(PixelAt(screen.get(), 0, 0), RGB(255, 255, 255)) << "an empty picture copies nothing";
}

}  // namespace
