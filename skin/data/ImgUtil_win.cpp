#include "skin/data/ImgUtil_win.h"

#include <vector>

namespace {
// Checked once at start-up.
const bool IsNT = (GetVersion() & 0x80000000u) == 0;

template <class Op>
void Apply(TBitmap& bmp, Op op) {
  TPixelBuffer px = bmp.ToPixelBuffer();
  op(px);
  bmp.LoadFromPixelBuffer(px);
}
}  // namespace

void MakeGray(TBitmap& bmp) {
  Apply(bmp, [](TPixelBuffer& p) { MakeGray(p); });
}
void MirrorHorz(TBitmap& bmp) {
  Apply(bmp, [](TPixelBuffer& p) { MirrorHorz(p); });
}
void FlipVert(TBitmap& bmp) {
  Apply(bmp, [](TPixelBuffer& p) { FlipVert(p); });
}
void RotateLeft(TBitmap& bmp) {
  Apply(bmp, [](TPixelBuffer& p) { RotateLeft(p); });
}
void RotateRight(TBitmap& bmp) {
  Apply(bmp, [](TPixelBuffer& p) { RotateRight(p); });
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
  if (IsNT) {
    // A writable copy with room for the ellipsis DT_MODIFYSTRING may append.
    std::vector<wchar_t> buf(text.begin(), text.end());
    buf.resize(text.size() + 5, L'\0');
    return DrawTextW(dc, buf.data(), static_cast<int>(text.size()), &rect, format);
  }
  const std::string a = WideToAnsi(text);
  return DrawTextA(dc, a.c_str(), -1, &rect, format);
}
