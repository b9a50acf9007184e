#pragma once
// The skin image transforms applied to TBitmap in place, and text helpers that let the
// painters draw wide text on every Windows platform.
#include <windows.h>

#include <string>
#include <string_view>

#include "skin/data/ImgUtil.h"
#include "ui/Graphics.h"

void MakeGray(TBitmap& bmp);  // ends as a 24-bit bitmap
void MirrorHorz(TBitmap& bmp);
void FlipVert(TBitmap& bmp);
void RotateLeft(TBitmap& bmp);  // width and height swap
void RotateRight(TBitmap& bmp);

// Through the system's ANSI code page.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// DrawTextW on the NT family, else the text converted to ANSI through DrawTextA.
// Returns what DrawText returns (the text height; 0 on failure).
int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format);
