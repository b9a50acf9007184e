#pragma once
// Test pictures drawn through the class library's canvas.
#include <windows.h>

#include "ui/Graphics.h"

// A rectangle of the canvas filled with one colour, with the canvas's brush.
inline void FillSolid(TCanvas& canvas, const RECT& r, COLORREF colour) {
  canvas.Brush()->SetColor(static_cast<TColor>(colour));
  canvas.FillRect(r);
}
