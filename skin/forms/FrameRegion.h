#pragma once
// Whether and how a skinned window's region is (re)built, free of any platform call.
//
// The Win32 side feeds in the window size, the size the last region was built for, the
// stage and the pieces' Trans flags; it gets back whether to leave the region, set the
// plain window rectangle, or build a shaped one, and for a shaped one the inner rectangle
// and, per side, either a rectangle or the place of a piece bitmap to convert with
// BitmapToRegion (at the rectangle's top-left, of the rectangle's size). The combination
// order is the caller's: Left | Right, Top | Bottom, those two, then the inner rectangle.
// After building, the caller remembers the window size.
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/SkinDraw.h"

enum TRegionAction : int {
  raNone,       // nothing to do (destroyed, no area, MDI child not normal)
  raKeep,       // the region is already built for this size
  raRectangle,  // no piece cuts anything: the plain window rectangle
  raShaped,
};

struct TRegionInput {
  int Width = 0, Height = 0;          // window size now
  int LastWidth = 0, LastHeight = 0;  // size the current region was built for
  bool Destroyed = false;
  bool MdiChild = false;
  bool MdiChildNotNormal = false;
  bool Reskinning = false;  // a skin change: rebuild whatever the size
  TFrameKind Kind = fkSingle;
  TFrameBorders Borders;
  int TransLeft = 0, TransRight = 0, TransTop = 0, TransBottom = 0;
  // The title buffer holds the last painted title bar; it stands for the Top piece only
  // when it was painted at the window's width now (a resize builds the region before the
  // next paint).
  int TitleBufferWidth = 0, TitleBufferHeight = 0;
};

struct TRegionSide {
  TSkinRect Rect;
  bool FromBitmap = false;       // paint the piece into Rect's size and convert it
  bool FromTitleBuffer = false;  // Top only: take the strip from the title buffer
  bool operator==(const TRegionSide&) const = default;
};

struct TRegionPlan {
  TRegionAction Action = raNone;
  TSkinRect Window;  // (0, 0, W, H)
  TSkinRect Inner;
  bool WithSides = false;  // false for a borderless window: the inner rectangle alone
  TRegionSide Left, Right, Top, Bottom;
};

TRegionPlan PlanFrameRegion(const TRegionInput& in);
