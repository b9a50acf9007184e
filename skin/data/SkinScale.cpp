#include "skin/data/SkinScale.h"

#include <cstring>

#include "skin/data/ImgUtil.h"

TPixelBuffer ScaleSkinPixels(const TPixelBuffer& src, int frames, bool framesDown,
                             const TSkinMargins& margins, int toDpi, int fromDpi) {
  if (src.Empty()) return TPixelBuffer();
  const std::vector<int> xs =
      ScaleAxisMap(src.Width, framesDown ? 1 : frames, margins.Left, margins.Right, toDpi, fromDpi);
  const std::vector<int> ys =
      ScaleAxisMap(src.Height, framesDown ? frames : 1, margins.Top, margins.Bottom, toDpi, fromDpi);
  TPixelBuffer out(static_cast<int>(xs.size()), static_cast<int>(ys.size()), src.BitsPerPixel);
  const int bpp = src.BytesPerPixel();
  for (int y = 0; y < out.Height; ++y) {
    const uint8_t* from = src.Row(ys[static_cast<size_t>(y)]);
    uint8_t* to = out.Row(y);
    for (int x = 0; x < out.Width; ++x)
      std::memcpy(to + x * bpp, from + xs[static_cast<size_t>(x)] * bpp, bpp);
  }
  return out;
}

namespace {

struct TScaler {
  int Dpi, From;

  int operator()(int v) const { return ScaleDpi(v, Dpi, From); }

  void Image(TSkinImage* image, int frames, bool framesDown, const TSkinMargins& margins = {}) const {
    if (!image || image->Empty()) return;
    image->Assign(ScaleSkinPixels(image->Pixels(), frames, framesDown, margins, Dpi, From));
  }
  void Edges(TDataSkinObject& e) const {
    e.LeftWidth = (*this)(e.LeftWidth);
    e.TopHeight = (*this)(e.TopHeight);
    e.RightWidth = (*this)(e.RightWidth);
    e.BottomHeight = (*this)(e.BottomHeight);
  }
  // The element's image cut at its own margins, then the margins.
  void Element(TDataSkinObject* e, bool framesDown = false) const {
    if (!e) return;
    Image(e->Image.get(), e->FrameCount, framesDown, e->Margins());
    Edges(*e);
  }
};

}  // namespace

void ScaleSkinModel(TSkinData& data, int toDpi) {
  if (toDpi <= 0 || data.Dpi <= 0 || toDpi == data.Dpi) return;
  const TScaler s{toDpi, data.Dpi};

  // The borders: the title bar and the bottom edge stack their frames, the sides lay them
  // side by side.
  s.Element(data.BorderLeft.get());
  s.Element(data.BorderRight.get());
  s.Element(data.BorderTop.get(), true);
  s.Element(data.BorderBottom.get(), true);

  // The caption's background is cut where its text part starts and ends; its other measures
  // are offsets of the text.
  TDataSkinTitle& t = *data.Title;
  s.Image(t.Image.get(), t.FrameCount, true, {t.TextBackLeft, 0, t.TextBackRight, 0});
  s.Edges(t);
  t.TextBackLeft = s(t.TextBackLeft);
  t.TextBackRight = s(t.TextBackRight);
  t.FontHeight = s(t.FontHeight);

  TDataSkinButton& b = *data.Buttons;
  s.Element(&b);
  s.Image(b.CheckImage.get(), b.CheckFrameCount, false);
  s.Image(b.RadioImage.get(), b.RadioFrameCount, false);

  for (auto& sys : data.SysButtons) {
    s.Element(sys.get());
    sys->XCoord = s(sys->XCoord);
    sys->YCoord = s(sys->YCoord);
  }

  s.Element(data.MenuBar.get(), true);
  if (data.Progress) {
    s.Element(data.Progress.get());
    s.Image(data.Progress->SecondImage.get(), 1, false);
  }
  if (data.Tabs) {
    s.Element(data.Tabs.get());
    s.Image(data.Tabs->SecondImage.get(), 1, false, data.TabBorderMargins);
  }
  data.TabBorderMargins = {s(data.TabBorderMargins.Left), s(data.TabBorderMargins.Top),
                           s(data.TabBorderMargins.Right), s(data.TabBorderMargins.Bottom)};
  if (data.ComboButton) {
    s.Element(data.ComboButton.get());
    // The copy for buttons on the left stays the exact mirror of the button.
    if (!data.ComboButton->SecondImage->Empty()) {
      TPixelBuffer mirrored = data.ComboButton->Image->Pixels();
      MirrorHorz(mirrored);
      data.ComboButton->SecondImage->Assign(mirrored);
    }
  }
  for (TDataSkinBorder* e : {data.UpDownHorz.get(), data.UpDownVert.get()}) {
    if (!e) continue;
    s.Element(e);
    s.Image(e->SecondImage.get(), e->FrameCount, false);
  }
  if (data.GroupBox) {
    s.Element(data.GroupBox.get());
    data.GroupBox->BackgroundLeftShift = s(data.GroupBox->BackgroundLeftShift);
    data.GroupBox->BackgroundRightShift = s(data.GroupBox->BackgroundRightShift);
  }
  for (TDataSkinObject* e :
       {data.GroupBoxEdge.get(), data.Toolbars.get(), data.StatusBarEdges.get(), data.SunkEdge.get(),
        data.ExtraImages.get(), data.Headerbar.get(), data.MenuItem.get(), data.MenuBackground.get(),
        data.Scrollbar.get(), data.HorzScroll.get(), data.VertScroll.get(), data.HorzScrollThumb.get(),
        data.VertScrollThumb.get(), data.TrackbarThumbHorz.get(), data.TrackbarThumbVert.get(),
        data.TrackbarThumbLeft.get(), data.TrackbarThumbRight.get(), data.TrackbarThumbUp.get(),
        data.TrackbarThumbDown.get()})
    s.Element(e);
  data.Dpi = toDpi;
}
