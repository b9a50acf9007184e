#include "skin/controls/SkinChoices.h"

#include "skin/controls/CheckGlyph.h"
#include "skin/controls/CustomGlyphs.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"
#include "skin/data/WinConst.h"

static_assert(CM_GLYPHREPAINT == CM_BASE + 0xD0);

namespace {
// The strip of the skin's Buttons element, or null when the native box must stay.
TBitmap* GlyphStrip(const TSkinData* skin, bool radio, int& frameCount, int& cellWidth, int& cellHeight) {
  if (!skin || !skin->Buttons) return nullptr;
  const TDataSkinButton& b = *skin->Buttons;
  const TSkinImage* image = radio ? b.RadioImage.get() : b.CheckImage.get();
  frameCount = radio ? b.RadioFrameCount : b.CheckFrameCount;
  if (!image || image->Empty()) return nullptr;
  TBitmap& strip = SkinBitmap(*image);
  if (!GlyphCellSize(strip.Width(), strip.Height(), frameCount, cellWidth, cellHeight)) return nullptr;
  return &strip;
}

TSkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const TSkinRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

// ---------------------------------------------------------------- TSkinCheckBox

DEFINE_CLASS_INFO(TSkinCheckBox, TSkinControl)

TSkinCheckBox::TSkinCheckBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinCheckBox::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case BM_SETCHECK:
    // The button draws its pushed box straight away, outside WM_PAINT (mouse and space key).
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_GLYPHREPAINT:
      RepaintControl();
      break;
    default:
      TSkinControl::AfterProc(m);
      break;
  }
}

void TSkinCheckBox::UnSkin() {
  TSkinControl::UnSkin();
  // The form repaints only its own children; a box on a page would keep our glyph.
  if (FState != scsDestroyed && FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TSkinCheckBox::DrawSkin(HDC dc, const RECT& rect) {
  int count = 0, w = 0, h = 0;
  TBitmap* strip = GlyphStrip(FSkinData, Radio(), count, w, h);
  if (!strip) {
    FLastFrame = 0;
    return;
  }
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  const TGlyph g = GlyphFor(ToSkinRect(rect), count, w, h, style);
  FillParentBackground(dc, ToRect(g.At.Erase));
  DrawStripFrame(dc, ToRect(g.At.Glyph), count, g.Frame, *strip);
  FLastFrame = g.Frame;
}

TSkinCheckBox::TGlyph TSkinCheckBox::GlyphFor(const TSkinRect& rect, int count, int w, int h,
                                              LONG_PTR style) const {
  const auto state = static_cast<uint32_t>(SendMessageW(FHandle, BM_GETSTATE, 0, 0));
  TCheckGlyphState s = CheckStateFromButtonState(state, (style & WS_DISABLED) != 0);
  if (FControl)
    s.Value = CheckValueFromProperties(s.Value, GetEnumProperty(FControl, "State"),
                                       GetEnumProperty(FControl, "Checked"));
  return {CheckBoxFrame(s, count), CheckGlyphPlacement(rect, w, h, (style & WinCtl::ButtonLeftText) != 0)};
}

// ---------------------------------------------------------------- TSkinRadioButton

DEFINE_CLASS_INFO(TSkinRadioButton, TSkinCheckBox)

TSkinRadioButton::TSkinRadioButton(TComponent* AOwner) : TSkinCheckBox(AOwner) {}

TSkinCheckBox::TGlyph TSkinRadioButton::GlyphFor(const TSkinRect& rect, int count, int w, int h,
                                                 LONG_PTR style) const {
  bool checked = (SendMessageW(FHandle, BM_GETCHECK, 0, 0) & WinCtl::StateChecked) != 0;
  if (FControl) checked = RadioCheckedFromProperty(checked, GetEnumProperty(FControl, "Checked"));
  return {RadioFrame(checked, (style & WS_DISABLED) != 0, count),
          RadioGlyphPlacement(rect, w, h, (style & WinCtl::ButtonLeftText) != 0)};
}

// ---------------------------------------------------------------- TSkinObjImage

DEFINE_CLASS_INFO(TSkinObjImage, TSkinControl)

TSkinObjImage::TSkinObjImage(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinObjImage::InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) {
  if (FInitialized) return;
  auto* control = OwnerControl();
  (void)Recolor;  // the control's colour stays: only its glyphs come from the skin
  // The control draws its own glyphs: its window procedure stays as it is.
  if (!control || !BindControl(control, SkinData, Canvas, Form)) return;
  if (FFeedGlyphs) BuildCustomGlyphs();
  FInitialized = true;
  FState = scsAttached;
}

void TSkinObjImage::BuildCustomGlyphs() {
  int count = 0, w = 0, h = 0;
  TBitmap* strip = GlyphStrip(FSkinData, false, count, w, h);
  if (!strip || !FControl) return;
  TBitmap* target = GetObjectProperty<TBitmap>(FControl, "CustomGlyphs");
  if (!target) return;
  const TPixelBuffer glyphs = BuildCustomGlyphStrip(strip->ToPixelBuffer(), count);
  if (glyphs.Empty()) return;
  target->LoadFromPixelBuffer(glyphs);
  SetPropertyText(FControl, "transparentcolor", "16711935");
  SetPropertyText(FControl, "UseCustomGlyphs", "false");
  SetPropertyText(FControl, "UseCustomGlyphs", "true");
}

void TSkinObjImage::SkinChanged() {
  if (FFeedGlyphs) BuildCustomGlyphs();
}

void TSkinObjImage::UnSkin() {
  if (FFeedGlyphs && FControl) SetPropertyText(FControl, "UseCustomGlyphs", "false");
}
