#pragma once
// The window sizes that keep a client area unchanged when the skinned frame replaces the
// native one and back, free of any platform call.
//
// The Win32 side feeds in the saved client size, the current window and client sizes,
// the border widths, the system's frame and caption heights and, for a message box, the
// measured caption width; it gets back the window size to set (SWP_NOMOVE), the new saved
// client size and how far to move every child window to the right. On detach it gets the
// size that gives the native frame its old client area back.
#include "skin/forms/FrameGeometry.h"

struct TAdjustInput {
  bool Maximized = false;
  bool Refresh = false;  // a skin change: the client area is re-read, the window is not a new one
  bool IsForm = false;   // a form of the class library (not a foreign window)
  int SavedClientWidth = 0, SavedClientHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;  // the window's client size now
  int WindowHeight = 0;
  int FormClientWidth = 0;
  int CyFrame = 0, CyCaption = 0;  // SM_CYFRAME, SM_CYCAPTION
  TFrameBorders Borders;
  bool MessageBox = false;  // class "TMessageForm" or "#32770"
  int CaptionWidth = 0;     // measured in the caption font (message boxes only)
  int TextShift = 0, TextRightClip = 0;
};

struct TAdjustResult {
  bool FrameChangedOnly = false;  // maximized: only repaint the frame
  int Width = 0, Height = 0;
  int SavedClientWidth = 0, SavedClientHeight = 0;
  int ChildShift = 0;  // move every child window right by this much
  bool operator==(const TAdjustResult&) const = default;
};

TAdjustResult AdjustWindowSize(const TAdjustInput& in);

struct TWindowSize {
  int Width = 0, Height = 0;
  bool operator==(const TWindowSize&) const = default;
};
// The window size after detaching: the skinned frame out, the native frame (saved at
// attachment as window size minus client size) back in.
TWindowSize NativeSizeAfterDetach(int width, int height, const TFrameBorders& b, int nativeFrameWidth,
                                  int nativeFrameHeight);
