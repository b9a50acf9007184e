#include "skin/controls/SkinButton.h"

#include <algorithm>

#include "skin/controls/FocusCue.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/ImgUtil.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDraw_win.h"
#include "ui/Buttons.h"
#include "ui/ImgList.h"
#include "ui/StdCtrls.h"

// ---------------------------------------------------------------- TSkinButton

DEFINE_CLASS_INFO(TSkinButton, TSkinControl)

TSkinButton::TSkinButton(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinButton::SkinReady() const { return FSkinData && HasImage(FSkinData->Buttons.get()); }

void TSkinButton::React(TButtonEvent event, TButtonFamily family) {
  THotButton hot{FForm ? FForm->HotButton : nullptr};
  TButtonMouseState bits{FMouseState};
  const bool visible = !FGraphicControl || FGraphicControl->Visible();
  const TButtonReaction r = bits.Handle(event, family, this, hot, FEnabled, FFocused, visible);
  FMouseState = bits.Bits;
  if (FForm) FForm->HotButton = hot.Handler;
  if (r.LeaveOther && FForm) FForm->SendMouseLeave(r.LeaveOther);
  if (r.TakeFocus && FHandle) SetFocus(FHandle);
  if (r.Repaint) {
    if (event == TButtonEvent::LeftDown && family != TButtonFamily::Speed)
      PaintSkin(nullptr);
    else if (family == TButtonFamily::Speed)
      PaintSkin(nullptr);
    else
      RepaintControl();
  }
  if (r.Click) {
    if (FControl) {
      FControl->Click();
    } else if (FHandle) {
      PostMessageW(GetParent(FHandle), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED),
                   reinterpret_cast<LPARAM>(FHandle));
    }
  }
}

bool TSkinButton::BeforeProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
      // Without a button image the control keeps its own look.
      return !PaintWholeWindow(*this, m, SkinReady());
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FFocused = GetFocus() == FHandle;
      React(TButtonEvent::LeftDown, Family());
      m.Result = 0;
      return false;
    default:
      return TSkinControl::BeforeProc(m);
  }
}

void TSkinButton::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) React(TButtonEvent::SpaceDown, Family());
      break;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) React(TButtonEvent::SpaceUp, Family());
      break;
    case WM_MOUSEMOVE:
      if (RawWindow()) {
        // Raw windows get no CM_MOUSELEAVE from the class library: ask the system.
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&t);
      }
      React(TButtonEvent::MouseMove, Family());
      break;
    case WM_LBUTTONUP:
      React(TButtonEvent::LeftUp, Family());
      break;
    case CM_MOUSEENTER:
      React(TButtonEvent::MouseEnter, Family());
      break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      React(TButtonEvent::MouseLeave, Family());
      break;
    default:
      TSkinControl::AfterProc(m);
      break;
  }
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text) {
  FCaption = SplitCaptionLines(text);
  SetBkMode(dc, TRANSPARENT);
  RECT measure = rect;
  DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &measure,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | alignment);
  const TSkinRect placed =
      CaptionRect(TSkinRect{rect.left, rect.top, rect.right, rect.bottom}, measure.right - measure.left,
                  measure.bottom - measure.top, alignment == DT_CENTER);
  RECT out{placed.Left, placed.Top, placed.Right, placed.Bottom};
  DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &out,
            DT_EXPANDTABS | DT_WORDBREAK | alignment);
}

namespace {
// Selects the font for a paint; the buffer gets its own font back afterwards.
HFONT ControlFont(const TObject* control) {
  TFont* f = GetObjectProperty<TFont>(control, "Font");
  return f ? f->Handle() : nullptr;
}
COLORREF ControlFontColour(const TObject* control) {
  TFont* f = GetObjectProperty<TFont>(control, "Font");
  return f ? ColorToRGB(f->Color()) : ColorToRGB(clBtnText);
}
}  // namespace

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  const TDataSkinButton& element = *FSkinData->Buttons;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  TButtonStateFacts s;
  s.Default = (style & BS_DEFPUSHBUTTON) != 0;
  FFocused = GetFocus() == FHandle;
  FEnabled = (style & WS_DISABLED) == 0;
  s.Focused = FFocused;
  s.Enabled = FEnabled;
  s.Hot = (FMouseState & msHot) != 0;
  s.Pressed = (FMouseState & msPressed) != 0;
  const std::wstring caption = FControl ? GetTextProperty(FControl, "Caption") : WindowTextOf(FHandle);
  const int frame = ButtonFrame(TButtonFamily::Push, s);
  FLastFrame = frame;

  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(w, h);
  const RECT local{0, 0, w, h};
  FillSkinBackground(buf, local);
  DrawSkinElement(buf, local, PushButtonFrameCount, frame, element);

  HFONT font =
      FControl ? ControlFont(FControl) : reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  SelectGuard keepFont(buf, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  const auto colour = ButtonTextColour(element, *FSkinData, frame, FEnabled, RawWindow());
  SetTextColor(buf, colour ? SkinColorRef(*colour) : ControlFontColour(FControl));
  DrawButtonCaption(buf, local, DT_CENTER, caption);
  // Over whatever frame the state chose: a default button's frame outranks the focus.
  if (FocusCueShown()) DrawFocusCue(buf, local, ButtonFocusInset, GetTextColor(buf));
  FBuffer.CopyTo(dc, rect.left, rect.top);
}

// ---------------------------------------------------------------- TSkinBitButton

DEFINE_CLASS_INFO(TSkinBitButton, TSkinButton)

TSkinBitButton::TSkinBitButton(TComponent* AOwner) : TSkinButton(AOwner) {}

void TSkinBitButton::DrawGlyphCell(HDC dc, const RECT& rect, int numGlyphs, int cell, TBitmap& glyph) {
  if (glyph.Empty()) return;
  const TGlyphCell part = GlyphCellRect(glyph.Width(), numGlyphs, cell);
  if (part.Width <= 0) return;
  const TPixelBuffer pixels = glyph.ToPixelBuffer();
  TPixelBuffer cut(part.Width, pixels.Height, 24);
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < part.Width; ++x) cut.SetPixel(x, y, pixels.GetPixel(part.Left + x, y));
  if (part.Grey) MakeGray(cut);
  TBitmap cellBmp;
  cellBmp.LoadFromPixelBuffer(cut);
  // The class library's automatic transparent colour: the bottom-left pixel.
  const COLORREF keyRef = cut.GetPixel(0, cut.Height - 1);
  const RECT target{rect.left, rect.top, rect.left + part.Width, rect.top + glyph.Height()};
  TSkinSource src{cellBmp.Canvas()->Handle(), part.Width, glyph.Height()};
  DrawTransparent(dc, target, src, keyRef);
}

namespace {
struct TGlyphProps {
  TBitmap* Glyph = nullptr;
  int NumGlyphs = 1;
  int Margin = -1;
  int Spacing = -1;
  TGlyphLayout Layout = TGlyphLayout::Left;
};
TGlyphProps ReadGlyphProps(const TObject* c) {
  TGlyphProps p;
  p.Glyph = GetObjectProperty<TBitmap>(c, "Glyph");
  p.NumGlyphs = static_cast<int>(GetIntProperty(c, "NumGlyphs"));
  if (p.NumGlyphs <= 0) p.NumGlyphs = 1;
  p.Margin = IsPublishedProp(c, "Margin") ? static_cast<int>(GetIntProperty(c, "Margin")) : -1;
  p.Spacing = IsPublishedProp(c, "Spacing") ? static_cast<int>(GetIntProperty(c, "Spacing")) : 4;
  p.Layout = GlyphLayoutFrom(GetEnumProperty(c, "Layout"));
  return p;
}
TSize2 MeasureText(HDC dc, const std::wstring& text, int width, int height) {
  if (text.empty()) return {};
  RECT r{0, 0, width, height};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}
UINT TextFlagsFor(TGlyphLayout l) {
  if (l == TGlyphLayout::Right) return DT_RIGHT;
  if (l == TGlyphLayout::Top || l == TGlyphLayout::Bottom) return DT_CENTER;
  return 0;
}
bool IsTrue(const TObject* c, const char* name) { return LowerAscii(GetEnumProperty(c, name)) == "true"; }
}  // namespace

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  const TDataSkinButton& element = *FSkinData->Buttons;
  const TObject* c = FControl;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  TButtonStateFacts s;
  s.Default = IsTrue(c, "Default");
  FFocused = GetFocus() == FHandle;
  FEnabled = (style & WS_DISABLED) == 0;
  s.Focused = FFocused;
  s.Enabled = FEnabled;
  s.Hot = (FMouseState & msHot) != 0;
  s.Pressed = (FMouseState & msPressed) != 0;
  const int frame = ButtonFrame(TButtonFamily::Glyph, s);
  FLastFrame = frame;

  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(w, h);
  const RECT local{0, 0, w, h};
  FillSkinBackground(buf, local);
  DrawSkinElement(buf, local, element.FrameCount, frame, element);

  HFONT font = ControlFont(c);
  SelectGuard keepFont(buf, font ? font : reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0)));
  FCaption = SplitCaptionLines(c ? GetTextProperty(c, "Caption") : WindowTextOf(FHandle));
  const TGlyphProps g = ReadGlyphProps(c);
  TGlyphLayoutInput in;
  in.Layout = g.Layout;
  in.Margin = g.Margin;
  in.Spacing = g.Spacing;
  in.Client = {w, h};
  const bool hasGlyph = g.Glyph && !g.Glyph->Empty();
  // Without a glyph bitmap an image list may give the picture.
  TImageList* list = hasGlyph ? nullptr : GetObjectProperty<TImageList>(c, "Images");
  const int index = static_cast<int>(GetIntProperty(c, "ImageIndex"));
  if (hasGlyph)
    in.Glyph = {g.Glyph->Width() / g.NumGlyphs, g.Glyph->Height()};
  else if (list && index != -1)
    in.Glyph = {list->Width(), list->Height()};
  in.Text = MeasureText(buf, FCaption, w, h);
  in.CentreAlignment = LowerAscii(GetEnumProperty(c, "Alignment")) == "tacenter";
  const TGlyphLayoutResult at = LayoutGlyphButton(in);

  if (hasGlyph) {
    const RECT gr{at.GlyphX, at.GlyphY, at.GlyphX + in.Glyph.Width, at.GlyphY + in.Glyph.Height};
    DrawGlyphCell(buf, gr, g.NumGlyphs, GlyphCellForFrame(frame), *g.Glyph);
  } else if (list && FEnabled) {
    list->Draw(buf, at.GlyphX, at.GlyphY, index);
  } else if (list) {
    const int disabledIndex = static_cast<int>(GetIntProperty(c, "DisabledIndex"));
    list->Draw(buf, at.GlyphX, at.GlyphY, disabledIndex != -1 ? disabledIndex : index, false);
  }
  const auto colour = ButtonTextColour(element, *FSkinData, frame, FEnabled, false);
  SetTextColor(buf, colour ? SkinColorRef(*colour) : ControlFontColour(c));
  SetBkMode(buf, TRANSPARENT);
  RECT tr{at.TextX, at.TextY, at.TextX + in.Text.Width, at.TextY + in.Text.Height};
  DrawTextW(buf, FCaption.c_str(), static_cast<int>(FCaption.size()), &tr,
            DT_WORDBREAK | TextFlagsFor(g.Layout));
  if (FocusCueShown()) DrawFocusCue(buf, local, ButtonFocusInset, GetTextColor(buf));
  FBuffer.CopyTo(dc, rect.left, rect.top);
}

// ---------------------------------------------------------------- TSkinSpeedButton

DEFINE_CLASS_INFO(TSkinSpeedButton, TSkinBitButton)

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {}

TSkinSpeedButton::~TSkinSpeedButton() { UnhookWindowProc(); }

void TSkinSpeedButton::InitGraphic(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas) {
  InitGraphicFor(dynamic_cast<TControl*>(Owner()), Form, SkinData, Canvas);
}

void TSkinSpeedButton::InitGraphicFor(TControl* control, TSkinForm* Form, TSkinData* SkinData,
                                      TCanvas* Canvas) {
  if (FInitialized || !control) return;
  FForm = Form;
  FSkinData = SkinData;
  FCanvas = Canvas;
  FGraphicControl = control;
  HookWindowProc(control);
  RegisterWithForm();
  FEnabled = control->Enabled();
  FInitialized = true;
  FState = scsAttached;
  control->Invalidate();
}

bool TSkinSpeedButton::BeforeProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (!SkinReady() || !m.WParam || !FGraphicControl) return true;
      PaintSpeedButton(reinterpret_cast<HDC>(m.WParam),
                       RECT{0, 0, FGraphicControl->Width(), FGraphicControl->Height()});
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The speed button keeps its own click and down state.
      CallOldProc(m);
      FEnabled = FGraphicControl && FGraphicControl->Enabled();
      React(TButtonEvent::LeftDown, TButtonFamily::Speed);
      return false;
    default:
      return TSkinButton::BeforeProc(m);
  }
}

void TSkinSpeedButton::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case CM_RELEASE:
      UnhookWindowProc();
      FGraphicControl = nullptr;
      break;
    case WM_LBUTTONUP:
      React(TButtonEvent::LeftUp, TButtonFamily::Speed);
      break;
    default:
      TSkinButton::AfterProc(m);
      break;
  }
}

void TSkinSpeedButton::PaintSkin(HDC dc) {
  if (!FGraphicControl || FState == scsDestroyed) return;
  const TControl& c = *FGraphicControl;
  const RECT rect{0, 0, c.Width(), c.Height()};
  if (dc) {
    PaintSpeedButton(dc, rect);
    return;
  }
  TWinControl* parent = c.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  // As for every paint: failures are swallowed.
  SilentCall([&] {
    // The parent's DC for this paint only, as the control's canvas would draw (origin at
    // the control, clipped to it); the canvas itself would keep the DC until the control's
    // next mouse message or paint.
    ClientDc own(parent->Handle());
    if (!own.get()) return;
    SetViewportOrgEx(own.get(), c.Left(), c.Top(), nullptr);
    IntersectClipRect(own.get(), 0, 0, c.Width(), c.Height());
    PaintSpeedButton(own.get(), rect);
  });
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect) {
  if (!SkinReady() || !FGraphicControl) return;
  const TDataSkinButton& element = *FSkinData->Buttons;
  const TObject* c = FGraphicControl;
  TButtonStateFacts s;
  s.Hot = (FMouseState & msHot) != 0;
  s.Pressed = (FMouseState & msPressed) != 0;
  s.Enabled = IsTrue(c, "Enabled");
  s.Down = IsTrue(c, "Down");
  const int frame = ButtonFrame(TButtonFamily::Speed, s);
  FLastFrame = frame;
  const TGlyphProps g = ReadGlyphProps(c);
  const bool flat = IsTrue(c, "Flat");

  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(w, h);
  const RECT local{0, 0, w, h};
  SelectGuard keepFont(buf, ControlFont(c));
  FillSkinBackground(buf, local);
  if (SpeedButtonDrawsFace(flat, frame)) DrawSkinElement(buf, local, element.FrameCount, frame, element);
  const std::wstring caption = SplitCaptionLines(GetTextProperty(c, "Caption"));
  SetTextColor(buf, ControlFontColour(c));
  if (!g.Glyph || g.Glyph->Empty()) {
    DrawButtonCaption(buf, local, DT_CENTER, caption);
  } else {
    FCaption = caption;
    TGlyphLayoutInput in;
    in.Layout = g.Layout;
    in.Margin = g.Margin;
    in.Spacing = g.Spacing;
    in.Client = {w, h};
    in.Glyph = {g.Glyph->Width() / g.NumGlyphs, g.Glyph->Height()};
    in.Text = MeasureText(buf, caption, w, h);
    in.SpeedButton = true;
    const TGlyphLayoutResult at = LayoutGlyphButton(in);
    const RECT gr{at.GlyphX, at.GlyphY, at.GlyphX + in.Glyph.Width, at.GlyphY + in.Glyph.Height};
    DrawGlyphCell(buf, gr, g.NumGlyphs, GlyphCellForFrame(frame), *g.Glyph);
    const auto colour = ButtonTextColour(element, *FSkinData, frame, s.Enabled, false);
    SetTextColor(buf, colour ? SkinColorRef(*colour) : ControlFontColour(c));
    SetBkMode(buf, TRANSPARENT);
    RECT tr{at.TextX, at.TextY, at.TextX + in.Text.Width, at.TextY + in.Text.Height};
    DrawTextW(buf, caption.c_str(), static_cast<int>(caption.size()), &tr, TextFlagsFor(g.Layout));
  }
  FBuffer.CopyTo(dc, rect.left, rect.top);
}
