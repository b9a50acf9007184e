#include "skin/data/SkinDataJson.h"

#include <cstdio>

#include "skin/data/SkinData.h"

namespace {

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x80) {  // control characters, and code-page bytes as Latin-1
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Fields of one JSON object, written on one line.
class TObjectWriter {
 public:
  void Int(const char* name, long long v) { Field(name, std::to_string(v)); }
  void Colour(const char* name, TSkinColour v) { Field(name, std::to_string(static_cast<unsigned long>(v))); }
  void Bool(const char* name, bool v) { Field(name, v ? "true" : "false"); }
  void Text(const char* name, const std::string& v) { Field(name, Quote(v)); }
  void Image(const std::string& prefix, const TSkinImage& image) {
    Int((prefix + "Width").c_str(), image.Width());
    Int((prefix + "Height").c_str(), image.Height());
  }
  std::string Done() const { return "{" + FBody + "}"; }

 private:
  void Field(const char* name, const std::string& value) {
    if (!FBody.empty()) FBody += ", ";
    FBody += Quote(name) + ": " + value;
  }
  std::string FBody;
};

std::string ElementJson(const TDataSkinObject& e) {
  TObjectWriter w;
  w.Text("Name", e.Name);
  w.Int("LeftWidth", e.LeftWidth);
  w.Int("TopHeight", e.TopHeight);
  w.Int("RightWidth", e.RightWidth);
  w.Int("BottomHeight", e.BottomHeight);
  w.Int("Trans", e.Trans);
  w.Int("Tile", e.Tile);
  w.Int("FrameCount", e.FrameCount);
  w.Int("Style", e.Style);
  w.Int("NormalColour", e.NormalColour);
  w.Int("MouseOverColour", e.MouseOverColour);
  w.Int("PressedColour", e.PressedColour);
  w.Colour("NormalColour2", e.NormalColour2);
  w.Colour("MouseOverColour2", e.MouseOverColour2);
  w.Colour("PressedColour2", e.PressedColour2);
  w.Image("Image", *e.Image);
  if (auto* b = dynamic_cast<const TDataSkinBorder*>(&e)) w.Image("SecondImage", *b->SecondImage);
  if (auto* b = dynamic_cast<const TDataSkinButton*>(&e)) {
    w.Image("CheckImage", *b->CheckImage);
    w.Image("RadioImage", *b->RadioImage);
    w.Int("RadioFrameCount", b->RadioFrameCount);
    w.Int("CheckFrameCount", b->CheckFrameCount);
    w.Bool("HasNormalColour2", b->HasNormalColour2);
    w.Bool("HasMouseOverColour2", b->HasMouseOverColour2);
    w.Bool("HasPressedColour2", b->HasPressedColour2);
  }
  if (auto* t = dynamic_cast<const TDataSkinTitle*>(&e)) {
    w.Int("TextAlignment", t->TextAlignment);
    w.Int("TextBackground", t->TextBackground);
    w.Int("FontHeight", t->FontHeight);
    w.Int("TextBackLeft", t->TextBackLeft);
    w.Int("TextBackRight", t->TextBackRight);
    w.Colour("ActiveTextColor", t->ActiveTextColor);
    w.Colour("InactiveTextColor", t->InactiveTextColor);
  }
  if (auto* s = dynamic_cast<const TDataSkinSysButton*>(&e)) {
    w.Int("Action", s->Action);
    w.Int("Align", s->Align);
    w.Int("XCoord", s->XCoord);
    w.Int("YCoord", s->YCoord);
    w.Int("CombineOp", s->CombineOp);
    w.Int("Visibility", s->Visibility);
    w.Int("Visibility1", s->Visibility1);
  }
  if (auto* g = dynamic_cast<const TDataSkinBoxLabel*>(&e)) {
    w.Int("BackgroundLeftShift", g->BackgroundLeftShift);
    w.Int("BackgroundRightShift", g->BackgroundRightShift);
    w.Int("BackgroundAlignment", g->BackgroundAlignment);
  }
  return w.Done();
}

std::string ColourList(const TSkinColour* begin, const TSkinColour* end) {
  std::string out = "[";
  for (const TSkinColour* c = begin; c != end; ++c) {
    if (c != begin) out += ", ";
    out += std::to_string(static_cast<unsigned long>(*c));
  }
  return out + "]";
}

}  // namespace

std::string SkinDataToJson(const TSkinData& d) {
  std::string out = "{\n  \"skinName\": " + Quote(d.SkinName) + ",\n";

  const std::pair<const char*, TSkinColour> colours[] = {
      {"ColorWindowText", d.ColorWindowText},
      {"ColorButtonFace", d.ColorButtonFace},
      {"ColorScrollbar", d.ColorScrollbar},
      {"ColorHilightText", d.ColorHilightText},
      {"ColorHilight", d.ColorHilight},
      {"ColorMenubar", d.ColorMenubar},
      {"ColorMenu", d.ColorMenu},
      {"ColorMenuText", d.ColorMenuText},
      {"ColorButtonText", d.ColorButtonText},
      {"ColorButtonHilight", d.ColorButtonHilight},
      {"ColorButtonLight", d.ColorButtonLight},
      {"ColorButtonShadow", d.ColorButtonShadow},
      {"ColorButtonDkShadow", d.ColorButtonDkShadow},
      {"ColorMenuBarText", d.ColorMenuBarText},
      {"ColorTitleTextActive", d.ColorTitleTextActive},
      {"ColorTitleTextNoActive", d.ColorTitleTextNoActive},
  };
  out += "  \"colours\": {";
  bool first = true;
  for (const auto& [name, value] : colours) {
    out += std::string(first ? "" : ",") + "\n    " + Quote(name) + ": " +
           std::to_string(static_cast<unsigned long>(value));
    first = false;
  }
  out += "\n  },\n";
  out += "  \"indexedColours\": " +
         ColourList(d.IndexedColours.data(), d.IndexedColours.data() + d.IndexedColours.size()) + ",\n";
  out += "  \"customColors\": " +
         ColourList(d.CustomColors.data(), d.CustomColors.data() + d.CustomColors.size()) + ",\n";

  const std::pair<const char*, const TDataSkinObject*> elements[] = {
      {"BorderLeft", d.BorderLeft.get()},
      {"BorderRight", d.BorderRight.get()},
      {"BorderTop", d.BorderTop.get()},
      {"BorderBottom", d.BorderBottom.get()},
      {"Title", d.Title.get()},
      {"Buttons", d.Buttons.get()},
      {"Progress", d.Progress.get()},
      {"MenuBar", d.MenuBar.get()},
      {"GroupBoxEdge", d.GroupBoxEdge.get()},
      {"GroupBox", d.GroupBox.get()},
      {"Toolbars", d.Toolbars.get()},
      {"Tabs", d.Tabs.get()},
      {"StatusBarEdges", d.StatusBarEdges.get()},
      {"ComboButton", d.ComboButton.get()},
      {"SunkEdge", d.SunkEdge.get()},
      {"ExtraImages", d.ExtraImages.get()},
      {"Headerbar", d.Headerbar.get()},
      {"MenuItem", d.MenuItem.get()},
      {"MenuBackground", d.MenuBackground.get()},
      {"Scrollbar", d.Scrollbar.get()},
      {"HorzScroll", d.HorzScroll.get()},
      {"VertScroll", d.VertScroll.get()},
      {"HorzScrollThumb", d.HorzScrollThumb.get()},
      {"VertScrollThumb", d.VertScrollThumb.get()},
      {"TrackbarThumbHorz", d.TrackbarThumbHorz.get()},
      {"TrackbarThumbVert", d.TrackbarThumbVert.get()},
      {"TrackbarThumbLeft", d.TrackbarThumbLeft.get()},
      {"TrackbarThumbRight", d.TrackbarThumbRight.get()},
      {"TrackbarThumbUp", d.TrackbarThumbUp.get()},
      {"TrackbarThumbDown", d.TrackbarThumbDown.get()},
      {"UpDownHorz", d.UpDownHorz.get()},
      {"UpDownVert", d.UpDownVert.get()},
  };
  out += "  \"elements\": {";
  first = true;
  for (const auto& [name, e] : elements) {
    if (!e) continue;
    out += std::string(first ? "" : ",") + "\n    " + Quote(name) + ": " + ElementJson(*e);
    first = false;
  }
  out += "\n  },\n  \"sysButtons\": [";
  first = true;
  for (const auto& b : d.SysButtons) {
    out += std::string(first ? "" : ",") + "\n    " + ElementJson(*b);
    first = false;
  }
  out += "\n  ]\n}\n";
  return out;
}
