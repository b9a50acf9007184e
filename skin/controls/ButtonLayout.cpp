#include "skin/controls/ButtonLayout.h"

#include <algorithm>

int ButtonFrame(TButtonFamily family, const TButtonStateFacts& s) {
  int frame = bfNormal;
  switch (family) {
    case TButtonFamily::Push:
      if (s.Focused) frame = bfHot;
      if (s.Default) frame = bfDefault;
      break;
    case TButtonFamily::Glyph:
      if (s.Default) frame = bfDefault;
      if (s.Focused) frame = bfHot;
      break;
    case TButtonFamily::Speed:
      break;
  }
  if (s.Pressed)
    frame = bfPressed;
  else if (s.Hot)
    frame = bfHot;
  if (!s.Enabled) frame = bfDisabled;
  // A speed button held down looks pressed even while it is disabled.
  if (family == TButtonFamily::Speed && s.Down) frame = bfPressed;
  return frame;
}

bool SpeedButtonDrawsFace(bool flat, int frame) { return !(flat && frame == bfNormal); }

int GlyphCellForFrame(int frame) {
  if (frame == bfPressed) return 3;
  if (frame == bfDisabled) return 2;
  return 1;
}

TGlyphCell GlyphCellRect(int glyphWidth, int numGlyphs, int cell) {
  const int cells = std::max(numGlyphs, 1);
  TGlyphCell r;
  r.Width = std::max(glyphWidth, 0) / cells;
  const int taken = cells == 4 ? std::clamp(cell, 1, 4) : 1;
  r.Left = (taken - 1) * r.Width;
  r.Grey = cell == 2;
  return r;
}

std::wstring SplitCaptionLines(const std::wstring& caption) {
  std::wstring out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
      out += L"\r\n";
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

TSkinRect CaptionRect(const TSkinRect& area, int textWidth, int textHeight, bool centre) {
  const int top = area.Top + (area.Height() - textHeight) / 2 - 1;
  if (centre) {
    const int left = area.Left + (area.Width() - textWidth) / 2;
    return {left, top, left + textWidth, top + textHeight};
  }
  return {area.Left, top, area.Right, top + textHeight};
}

TGlyphLayout GlyphLayoutFrom(const std::string& identifier) {
  const std::string id = [&] {
    std::string s = identifier;
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }();
  if (id == "blglyphright") return TGlyphLayout::Right;
  if (id == "blglyphtop") return TGlyphLayout::Top;
  if (id == "blglyphbottom") return TGlyphLayout::Bottom;
  return TGlyphLayout::Left;
}

TGlyphLayoutResult LayoutGlyphButton(const TGlyphLayoutInput& in) {
  const bool horizontal = in.Layout == TGlyphLayout::Left || in.Layout == TGlyphLayout::Right;
  // Extents along the layout axis and across it.
  const int clientAlong = horizontal ? in.Client.Width : in.Client.Height;
  const int clientAcross = horizontal ? in.Client.Height : in.Client.Width;
  const int glyphAlong = horizontal ? in.Glyph.Width : in.Glyph.Height;
  const int glyphAcross = horizontal ? in.Glyph.Height : in.Glyph.Width;
  const int textAlong = horizontal ? in.Text.Width : in.Text.Height;
  const int textAcross = horizontal ? in.Text.Height : in.Text.Width;

  const int glyphCross = (clientAcross - glyphAcross + 1) / 2;
  const int textCross = (clientAcross - textAcross + 1) / 2;

  int margin = in.Margin;
  int spacing = in.Spacing;
  if (in.Text.Width == 0 || in.Glyph.Width == 0) spacing = 0;
  const bool centred = margin == -1 || (in.CentreAlignment && !in.SpeedButton);
  if (centred) {
    if (spacing == -1) {
      margin = (clientAlong - glyphAlong - textAlong) / 3;
      spacing = margin;
    } else if (in.SpeedButton) {
      margin = (clientAlong - (glyphAlong + spacing + textAlong)) / 2 + 1;
    } else {
      margin = (clientAlong - glyphAlong - spacing - textAlong) / 2;
    }
  } else if (spacing == -1) {
    spacing = (clientAlong - margin - glyphAlong - textAlong) / 2;
  }

  int glyphPos = 0;
  int textPos = 0;
  if (in.Layout == TGlyphLayout::Left || in.Layout == TGlyphLayout::Top) {
    glyphPos = margin;
    textPos = margin + glyphAlong + spacing;
  } else {
    glyphPos = clientAlong - margin - glyphAlong;
    textPos = glyphPos - spacing - textAlong;
  }

  TGlyphLayoutResult r;
  r.Margin = margin;
  r.Spacing = spacing;
  if (horizontal) {
    r.GlyphX = glyphPos;
    r.GlyphY = glyphCross;
    r.TextX = textPos;
    r.TextY = textCross;
  } else {
    r.GlyphX = glyphCross;
    r.GlyphY = glyphPos;
    r.TextX = textCross;
    r.TextY = textPos;
  }
  return r;
}

std::optional<TSkinColour> ButtonTextColour(const TDataSkinButton& e, const TSkinData& skin, int frame,
                                            bool enabled, bool rawWindow) {
  std::optional<TSkinColour> colour;
  if (rawWindow) {
    colour = skin.ColorButtonText;
    if (frame == bfNormal) colour = e.NormalColour2;
    if (frame == bfHot) colour = e.MouseOverColour2;
    if (frame == bfPressed) colour = e.PressedColour2;
    if (!enabled) colour = RawDisabledTextColour;
    return colour;
  }
  if (frame == bfNormal && e.HasNormalColour2) colour = e.NormalColour2;
  if (frame == bfHot && e.HasMouseOverColour2) colour = e.MouseOverColour2;
  if (frame == bfPressed && e.HasPressedColour2) colour = e.PressedColour2;
  if (!enabled) colour = SysColourRef(scBtnShadow);
  return colour;
}

TButtonReaction TButtonMouseState::Handle(TButtonEvent event, TButtonFamily family, const void* self,
                                          THotButton& hot, bool enabled, bool focused, bool visible) {
  TButtonReaction r;
  const bool speed = family == TButtonFamily::Speed;
  switch (event) {
    case TButtonEvent::LeftDown:
      // Speed buttons take no focus; their own procedure has already seen the press.
      r.TakeFocus = !speed && !focused;
      Bits |= msPressed;
      r.Repaint = true;
      break;
    case TButtonEvent::SpaceDown:
      Bits |= msPressed;
      r.Repaint = true;
      break;
    case TButtonEvent::SpaceUp:
      // The native button raises its own click for the space key.
      Bits &= static_cast<uint8_t>(~msPressed);
      r.Repaint = true;
      break;
    case TButtonEvent::LeftUp:
      if (speed) {
        Bits &= static_cast<uint8_t>(~msPressed);
        r.Repaint = true;
      } else if (Pressed()) {
        // Only a press that began here and was not dragged off clicks.
        Bits &= static_cast<uint8_t>(~msPressed);
        r.Repaint = true;
        r.Click = true;
      }
      break;
    case TButtonEvent::MouseMove: {
      const bool wasHot = Hot();
      Bits |= msHot;
      // Only one button of a form looks hot: the one entered last tells the previous one.
      if (hot.Handler && hot.Handler != self) r.LeaveOther = hot.Handler;
      r.Repaint = !wasHot || hot.Handler != self;
      hot.Handler = self;
      break;
    }
    case TButtonEvent::MouseEnter:
      if (!enabled && !speed) break;
      Bits |= msHot;
      r.Repaint = true;
      if (!speed) hot.Handler = self;
      break;
    case TButtonEvent::MouseLeave:
      if (!enabled && !speed) break;
      Bits &= static_cast<uint8_t>(~(msHot | msPressed));
      r.Repaint = !speed || visible;
      if (hot.Handler == self) hot.Handler = nullptr;
      break;
  }
  return r;
}
