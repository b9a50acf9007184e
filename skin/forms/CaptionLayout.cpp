#include "skin/forms/CaptionLayout.h"

namespace {
constexpr std::wstring_view Ellipsis = L"...";

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::wstring HeadWithEllipsis(std::wstring_view text, size_t n) {
  std::wstring s(text.substr(0, n));
  s += Ellipsis;
  return s;
}
}  // namespace

std::wstring FitWithEllipsis(std::wstring_view text, int maxWidth, const TMeasureText& measure) {
  if (measure(text).Width <= maxWidth) return std::wstring(text);
  // Widths grow with the head's length: binary search for the longest head that fits.
  size_t lo = 0, hi = text.size();  // lo fits (or is 0), hi does not
  while (hi - lo > 1) {
    const size_t mid = lo + (hi - lo) / 2;
    if (measure(HeadWithEllipsis(text, mid)).Width <= maxWidth)
      lo = mid;
    else
      hi = mid;
  }
  if (lo > 0 && lo < text.size() && IsLowSurrogate(text[lo])) --lo;
  return HeadWithEllipsis(text, lo);
}

TCaptionLayout LayoutCaption(const TCaptionInput& in, const TMeasureText& measure) {
  TCaptionLayout out;
  const std::wstring full = in.Prefix + in.WindowText + in.Suffix;
  const TTextExtent ext = measure(full);
  const int w = ext.Width + in.TextBackLeft + in.TextBackRight;
  const int rectW = in.Rect.Width();

  int dx = 0;
  if (in.RightToLeft || in.TextAlignment == 2)
    dx = rectW - in.TextRightClip - w;
  else if (in.TextAlignment == 0)
    dx = in.TextShift;
  else if (in.TextAlignment == 1)
    dx = (rectW - w) / 2;  // truncates: an odd remainder leaves the extra pixel on the right
  const int dy = (in.Rect.Height() - ext.Height) / 2 + in.TextShiftVert / 2;

  TSkinRect box{in.Rect.Left + dx, in.Rect.Top + dy, in.Rect.Left + dx + w, in.Rect.Top + dy + ext.Height};
  // The caption ends 5 pixels before the buttons on the right, so it shows as far as it fits
  // beside them and never runs under one; only a title bar without them keeps the skin's
  // fixed clip.
  const int clip = in.RightButtonsLeft > 5 ? in.RightButtonsLeft - 5 : in.Rect.Right - in.TextRightClip;
  if (clip < box.Right) box.Right = clip;
  if (in.Kind == fkDialog && in.TextAlignment == 0) box.Left -= 16;  // dialogs show no icon

  out.Box = box;
  out.BackRect = {box.Left, in.Rect.Top, box.Right, in.Rect.Bottom};
  out.BackFrame = in.Active ? 1 : 2;
  out.TextRect = {box.Left + in.TextBackLeft, box.Top, box.Right - in.TextBackRight, box.Bottom};
  out.AlignRight = in.RightToLeft;
  if (out.TextRect.Width() > 0) {
    // The suffix is only room after the text: a title that fits without it shows whole.
    const int room = out.TextRect.Width();
    out.Text = ext.Width <= room ? full : FitWithEllipsis(in.Prefix + in.WindowText, room, measure);
  }
  return out;
}
