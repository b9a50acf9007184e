#pragma once
// The skinned frame's painter: the border metrics, the border pieces and the title bar (caption,
// icon, the title buttons' faces), the window region, and the buffers they are painted through.
// Each form handler owns one; it paints the handler's window as the handler's state says.
#include <windows.h>

#include <array>

#include "skin/data/SkinTypes.h"
#include "skin/forms/FrameGeometry.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/PaintGuards_win.h"

class TSkinForm;
class TDataSkinBorder;

class TFramePainter {
 public:
  explicit TFramePainter(TSkinForm& form);
  TFramePainter(const TFramePainter&) = delete;
  TFramePainter& operator=(const TFramePainter&) = delete;

  // Whether a skinned frame can be painted at all here.
  static bool Ready() { return true; }

  // The borders as the skin gives them for the window's frame kind, the menu bar's row kept.
  void CalcMetrics();
  const TFrameBorders& Borders() const noexcept { return FBorders; }
  void SetMenuBarHeight(int height) noexcept { FBorders.MenuBar = height; }

  // Paints the whole frame into dc, the window's DC when null; a paint that fails leaves the
  // frame as it was.
  void Paint(HDC dc);
  // The window's icon (or the skin's default one) at x, y of dc.
  void PaintIcon(HDC dc, int x, int y);
  // Reads the window's icon into the bitmap the icon button shows.
  void LoadWindowIcon();
  TBitmap& IconBitmap() noexcept { return FIconBitmap; }

  void UpdateRegion();
  // Gives the window its rectangular shape back; redraw: the system repaints what it uncovers.
  void RemoveRegion(bool redraw);
  bool OwnsRegion() const noexcept { return FOwnsRegion; }
  int RegionBuilds() const noexcept { return FRegionBuilds; }
  // Lets go of the title bar's buffer (the frame is not painted until it is skinned again).
  void FreeTitleBuffer() { FTitleBuffer.Bitmap().SetSize(0, 0); }

  // The width of the window's text in the caption font, with the spaces the title bar adds.
  int CaptionWidth() const;
  TSkinRect CaptionRect() const noexcept { return FCaptionRect; }
  // The window's width at the last paint.
  int WindowWidth() const noexcept { return FWindowWidth; }
  // Pixels held by the border pieces' buffers.
  long long PieceBufferPixels() const {
    return 1LL * FPieceBuffer.Bitmap().Width() * FPieceBuffer.Bitmap().Height() +
           1LL * FBottomBuffer.Bitmap().Width() * FBottomBuffer.Bitmap().Height();
  }

 private:
  TDataSkinBorder* Piece(int index) const;
  // Paints one border piece; false when the skin has no picture for it. The side pieces
  // also leave their top rows in the title buffer, so the title bar need not read them back
  // from the screen.
  bool PaintBorderPiece(int index, const RECT& rect, HDC dc);
  // sidesInBuffer: both side pieces were just painted into the title buffer.
  void PaintTitleBar(HDC dc, bool sidesInBuffer);
  void PaintCaptionText(HDC dc, const RECT& rect);
  // The icons the title bar may show, in order: the window's small and big icon, then its
  // class's small and big icon (null where there is none).
  std::array<HICON, 4> WindowIcons() const;
  // Draws the first of them that draws at the small-icon size; false when none does.
  bool DrawWindowIcon(HDC dc, int x, int y) const;

  TSkinForm& FForm;
  TFrameBorders FBorders;
  TFontHandle FCaptionFont;
  TBackBuffer FTitleBuffer;
  TBitmap FIconBitmap;
  TBackBuffer FPieceBuffer;   // reused by the side pieces
  TBackBuffer FBottomBuffer;  // and by the bottom piece
  int FWindowWidth = 0, FWindowHeight = 0;
  TSkinRect FCaptionRect;
  bool FOwnsRegion = false;
  int FRegionWidth = 0, FRegionHeight = 0, FRegionBuilds = 0;
};
