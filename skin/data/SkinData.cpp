// The skin data model: elements and ReadSkin.
#include "skin/data/SkinData.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinScale.h"
#include "ui/BmpDecode.h"

TDataSkinObject::TDataSkinObject(std::string name, ISkinPlatform& platform)
    : Image(platform.NewImage()), Name(std::move(name)) {}
TDataSkinBorder::TDataSkinBorder(std::string name, ISkinPlatform& platform)
    : TDataSkinObject(std::move(name), platform), SecondImage(platform.NewImage()) {}
TDataSkinButton::TDataSkinButton(std::string name, ISkinPlatform& platform)
    : TDataSkinObject(std::move(name), platform),
      CheckImage(platform.NewImage()),
      RadioImage(platform.NewImage()) {}
TDataSkinTitle::TDataSkinTitle(std::string name, ISkinPlatform& platform)
    : TDataSkinObject(std::move(name), platform) {}
TDataSkinSysButton::TDataSkinSysButton(std::string name, ISkinPlatform& platform)
    : TDataSkinObject(std::move(name), platform) {}
TDataSkinBoxLabel::TDataSkinBoxLabel(std::string name, ISkinPlatform& platform)
    : TDataSkinObject(std::move(name), platform) {}

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string TrimText(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

TPixelBuffer To24(const TPixelBuffer& src) {
  if (src.BitsPerPixel == 24) return src;
  TPixelBuffer out(src.Width, src.Height, 24);
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) out.SetPixel(x, y, src.GetPixel(x, y));
  return out;
}

TPixelBuffer Crop(const TPixelBuffer& src, int x0, int y0, int w, int h) {
  TPixelBuffer out(w, h, 24);
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) {
      const int sx = x0 + x, sy = y0 + y;
      if (sx >= 0 && sy >= 0 && sx < src.Width && sy < src.Height) out.SetPixel(x, y, src.GetPixel(sx, sy));
    }
  return out;
}

// --- software drawing for the combo composite (nearest neighbour, like COLORONCOLOR) ---

struct TBox {
  int L, T, R, B;
  int W() const { return R - L; }
  int H() const { return B - T; }
};

// Copies src (stretched) to dst; with keyed, magenta source pixels leave dst unchanged.
// Source pixels outside the image are never read.
void StretchCopy(const TPixelBuffer& img, TBox src, TPixelBuffer& out, TBox dst, bool keyed) {
  if (src.W() <= 0 || src.H() <= 0 || dst.W() <= 0 || dst.H() <= 0) return;
  for (int y = dst.T; y < dst.B; ++y) {
    if (y < 0 || y >= out.Height) continue;
    const int sy = src.T + static_cast<int>(static_cast<int64_t>(y - dst.T) * src.H() / dst.H());
    if (sy < 0 || sy >= img.Height) continue;
    for (int x = dst.L; x < dst.R; ++x) {
      if (x < 0 || x >= out.Width) continue;
      const int sx = src.L + static_cast<int>(static_cast<int64_t>(x - dst.L) * src.W() / dst.W());
      if (sx < 0 || sx >= img.Width) continue;
      const uint32_t c = img.GetPixel(sx, sy);
      if (keyed && c == SkinKeyColour) continue;
      out.SetPixel(x, y, c);
    }
  }
}

TBox FrameBox(const TPixelBuffer& img, int frameCount, int frame) {
  const int n = frameCount < 1 ? 1 : frameCount;
  const int f = std::clamp(frame, 1, n);
  const int w = img.Width / n;
  return {w * (f - 1), 0, w * f, img.Height};
}

// Frame `frame` of a strip of frames across, nine-sliced (stretched centre) into dst.
void DrawNineSlice(const TPixelBuffer& img, int frameCount, int frame, TSkinMargins m, TPixelBuffer& out,
                   TBox dst, bool keyed) {
  const TBox f = FrameBox(img, frameCount, frame);
  const int W = dst.W(), H = dst.H();
  if (W < 0 || H < 0) return;
  int l = std::max(0, m.Left), t = std::max(0, m.Top), r = std::max(0, m.Right), b = std::max(0, m.Bottom);
  if (W < l + r) l = r = 0;
  if (H < t + b) t = b = 0;
  auto piece = [&](int sl, int st, int sr, int sb, int dl, int dt, int dr, int db) {
    StretchCopy(img, {f.L + sl, f.T + st, f.L + sr, f.T + sb}, out,
                {dst.L + dl, dst.T + dt, dst.L + dr, dst.T + db}, keyed);
  };
  const int fw = f.W(), fh = f.H();
  if (l * t > 0) piece(0, 0, l, t, 0, 0, l, t);
  if (l * b > 0) piece(0, fh - b, l, fh, 0, H - b, l, H);
  if (r * t > 0) piece(fw - r, 0, fw, t, W - r, 0, W, t);
  if (l > 0) piece(0, t, l, fh - b, 0, t, l, H - b);
  if (t > 0) piece(l, 0, fw - r, t, l, 0, W - r, t);
  piece(l, t, fw - r, fh - b, l, t, W - r, H - b);
  if (r * b > 0) piece(fw - r, fh - b, fw, fh, W - r, H - b, W, H);
  if (r > 0) piece(fw - r, t, fw, fh - b, W - r, t, W, H - b);
  if (b > 0) piece(l, fh - b, fw - r, fh, l, H - b, W - r, H);
}

void DrawCentred(const TPixelBuffer& img, int frameCount, int frame, TPixelBuffer& out, TBox dst) {
  const TBox f = FrameBox(img, frameCount, frame);
  const int x = dst.L + (dst.W() - f.W()) / 2, y = dst.T + (dst.H() - f.H()) / 2;
  StretchCopy(img, f, out, {x, y, x + f.W(), y + f.H()}, true);
}

void FillBox(TPixelBuffer& out, TBox box, uint32_t colour) {
  for (int y = std::max(0, box.T); y < std::min(out.Height, box.B); ++y)
    for (int x = std::max(0, box.L); x < std::min(out.Width, box.R); ++x) out.SetPixel(x, y, colour);
}

}  // namespace

TSkinColour TSkinData::ParseColour(const std::string& text, TSkinColour def) {
  if (text.empty()) return def;
  const std::string s = TrimText(text);
  int64_t parts[3] = {0, 0, 0};
  int taken = 0;
  int64_t pending = 0;
  bool inNumber = false, stopped = false;
  for (char ch : s) {
    if (ch >= '0' && ch <= '9') {
      pending = inNumber ? pending * 10 + (ch - '0') : ch - '0';
      inNumber = true;
      if (pending > INT32_MAX) {  // too long: neither it nor anything after it counts
        stopped = true;
        break;
      }
      continue;
    }
    if (inNumber && taken < 3) parts[taken++] = pending;
    inNumber = false;
  }
  if (!stopped && inNumber && taken == 2) parts[taken++] = pending;
  return static_cast<TSkinColour>((parts[0] & 0xFF) | ((parts[1] & 0xFF) << 8) | ((parts[2] & 0xFF) << 16));
}

std::string RefusedBitmapText(const TRefusedBitmap& r) {
  const std::string size = std::to_string(r.Width) + " x " + std::to_string(r.Height) + " pixels";
  if (r.PerImage)
    return r.Name + " is " + size + ", over the bound of " + std::to_string(kMaxBmpPixels) +
           " pixels (4096 x 4096) that one image may have.";
  const int64_t mb = MaxSkinBitmapBytes / (1024 * 1024);
  return r.Name + " (" + size + ") passes the bound of " + std::to_string(mb) +
         " MB that all of a skin's images may take together.";
}

void TSkinData::LoadSkinBitmap(const TSkinReader& reader, TSkinImage& image, const std::string& value,
                               TSkinBitmapBudget* budget) {
  const size_t cut = value.find_last_of("\\:");
  const std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
  const size_t dot = name.find_last_of('.');
  if (name.empty() || dot == std::string::npos || name.substr(dot) != ".bmp") {
    image.Clear();
    return;
  }
  TMemoryStream entry;
  reader.ExtractEntry(name, entry);
  TPixelBuffer pixels;
  std::string why;
  TBmpExtent extent;
  const uint64_t limit = budget ? static_cast<uint64_t>(budget->BytesLeft) : UINT64_MAX;
  if (entry.GetSize() == 0 || !DecodeBmpWithin(entry.Bytes(), limit, pixels, &why, &extent)) {
    // An unreadable bitmap only leaves its element bare; one the bounds refuse fails the load.
    const bool tooLarge = why == "image too large";
    if (budget && (tooLarge || why == "over the memory limit"))
      budget->Refused.push_back({name, extent.Width, extent.Height, tooLarge});
    image.Clear();
    return;
  }
  if (budget) budget->Take(static_cast<int64_t>(pixels.Bits.size()));
  image.Assign(pixels);
}

void TSkinData::FreeElements() {
  NoSkin = true;
  Dpi = DesignDpi;
  TabBorderMargins = DesignTabBorderMargins;
  for (TDataSkinBorder* b : {BorderLeft.get(), BorderRight.get(), BorderTop.get(), BorderBottom.get()}) {
    b->Image->Clear();
    b->SecondImage->Clear();
  }
  Title->Image->Clear();
  Buttons->Image->Clear();
  Buttons->CheckImage->Clear();
  Buttons->RadioImage->Clear();
  SysButtons.clear();
  for (auto* e :
       {&MenuBar,           &GroupBoxEdge,      &Toolbars,           &StatusBarEdges,  &SunkEdge,
        &ExtraImages,       &Headerbar,         &MenuItem,           &MenuBackground,  &Scrollbar,
        &HorzScroll,        &VertScroll,        &HorzScrollThumb,    &VertScrollThumb, &TrackbarThumbHorz,
        &TrackbarThumbVert, &TrackbarThumbLeft, &TrackbarThumbRight, &TrackbarThumbUp, &TrackbarThumbDown})
    e->reset();
  for (auto* e : {&Progress, &Tabs, &ComboButton, &UpDownHorz, &UpDownVert}) e->reset();
  GroupBox.reset();
}

namespace {

// The margins and the transparency and tile flags, as every element section writes them.
void ReadMarginsAndFlags(const TQuickIni& ini, TDataSkinObject& e, const std::string& section) {
  e.LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
  e.TopHeight = ini.ReadInteger(section, "TopHeight", 0);
  e.RightWidth = ini.ReadInteger(section, "RightWidth", 0);
  e.BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
  e.Trans = ini.ReadInteger(section, "Trans", 0);
  e.Tile = ini.ReadInteger(section, "Tile", 0);
}

// Reads the keys every element shares. withStyle and withColours follow the loader.
void ReadCommon(const TQuickIni& ini, TDataSkinObject& e, const std::string& section, bool withStyle,
                bool withColours, TSkinColour textDefault) {
  if (withStyle) e.Style = ini.ReadInteger(section, "Style", 0);
  ReadMarginsAndFlags(ini, e, section);
  if (!withColours) {
    e.NormalColour = e.MouseOverColour = e.PressedColour = 0;
    e.NormalColour2 = e.MouseOverColour2 = e.PressedColour2 = 0;
    return;
  }
  e.NormalColour = ini.ReadInteger(section, "NormalColour", -1);
  e.MouseOverColour = ini.ReadInteger(section, "MouseOverColour", -1);
  e.PressedColour = ini.ReadInteger(section, "PressedColour", -1);
  e.NormalColour2 = TSkinData::ParseColour(ini.ReadString(section, "NormalColour2", ""), textDefault);
  e.MouseOverColour2 = TSkinData::ParseColour(ini.ReadString(section, "MouseOverColour2", ""), textDefault);
  e.PressedColour2 = TSkinData::ParseColour(ini.ReadString(section, "PressedColour2", ""), textDefault);
}

enum class TLoader { Plain, Bordered, Progress, GroupBox };

template <class T>
void LoadElement(std::unique_ptr<T>& member, TLoader kind, const std::string& section, const TQuickIni& ini,
                 const TSkinReader& reader, ISkinPlatform& platform, TSkinBitmapBudget& budget,
                 TSkinColour textDefault, const char* secondKey = nullptr) {
  member.reset();
  const std::string imageKey = kind == TLoader::Progress ? "Bitmap" : "Image";
  const std::string value = ini.ReadString(section, imageKey, "");
  if (value.empty()) return;
  auto e = std::make_unique<T>(section, platform);
  TSkinData::LoadSkinBitmap(reader, *e->Image, value, &budget);
  if constexpr (std::is_base_of_v<TDataSkinBorder, T>) {
    const char* key = kind == TLoader::Progress ? "Chunk" : secondKey;
    if (key) TSkinData::LoadSkinBitmap(reader, *e->SecondImage, ini.ReadString(section, key, ""), &budget);
  }
  ReadCommon(ini, *e, section, kind != TLoader::Bordered, kind != TLoader::Progress, textDefault);
  if (kind != TLoader::Progress && e->Tile > 1) e->Tile = 0;
  if constexpr (std::is_same_v<T, TDataSkinBoxLabel>) {
    e->BackgroundAlignment = ini.ReadInteger(section, "BackgroundAlignment", 0);
    e->BackgroundLeftShift = ini.ReadInteger(section, "BackgroundLeftShift", 0);
    e->BackgroundRightShift = ini.ReadInteger(section, "BackgroundRightShift", 0);
  }
  member = std::move(e);
}

// Frames in a check or radio strip that the skin does not count itself.
int32_t GlyphFrames(int32_t given, const TSkinImage& image) {
  if (given != 0) return given;
  const int s = image.Height() < 16 ? 13 : 16;
  return std::max(image.Width() / s, 4);
}

}  // namespace

void TSkinData::ReadSkin(const TQuickIni& ini, const TSkinReader& reader) {
  // The previous skin goes first. (LoadSkin reads into a component of its own, so the skin in
  // use stays while a new one is read: at most two skins' bitmaps, each within the bounds.)
  FreeElements();
  TSkinBitmapBudget budget;

  // 1. Section names and the skin's name.
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");

  // 2. Window borders, overwritten in place.
  const std::pair<TDataSkinBorder*, const char*> borders[4] = {{BorderLeft.get(), "Left"},
                                                               {BorderRight.get(), "Right"},
                                                               {BorderTop.get(), "Top"},
                                                               {BorderBottom.get(), "Bottom"}};
  for (const auto& [b, p] : borders) {
    const std::string P = p;
    const int32_t first = ini.ReadInteger("Personality", P + "TopHeight", 0);
    const int32_t second = ini.ReadInteger("Personality", P + "BotHeight", 0);
    const bool sides = P == "Left" || P == "Right";
    b->TopHeight = sides ? first : 0;
    b->BottomHeight = sides ? second : 0;
    b->LeftWidth = sides ? 0 : first;
    b->RightWidth = sides ? 0 : second;
    b->FrameCount = ini.ReadInteger("Personality", P + "Frame", 1);
    b->Tile = ini.ReadInteger("Personality", P + "Stretch", 1);
    b->Trans = ini.ReadInteger("Personality", P + "Trans", 1);
    LoadSkinBitmap(reader, *b->Image, ini.ReadString("Personality", P, ""), &budget);
  }

  // 3. Colours.
  ReadColours(ini, sections);
  const TSkinColour text = ColorButtonText;

  // 4. Title-bar buttons.
  ReadSysButtons(ini, reader, sections, budget);

  // 5. Push buttons, check and radio glyphs.
  {
    TDataSkinButton& b = *Buttons;
    const std::string s = "Buttons";
    ReadMarginsAndFlags(ini, b, s);
    LoadSkinBitmap(reader, *b.Image, ini.ReadString(s, "Bitmap", ""), &budget);
    LoadSkinBitmap(reader, *b.CheckImage, ini.ReadString(s, "CheckButton", ""), &budget);
    LoadSkinBitmap(reader, *b.RadioImage, ini.ReadString(s, "RadioButton", ""), &budget);
    b.NormalColour = ini.ReadInteger(s, "NormalColour", -1);
    b.MouseOverColour = ini.ReadInteger(s, "MouseOverColour", -1);
    b.PressedColour = ini.ReadInteger(s, "PressedColour", -1);
    b.RadioFrameCount = ini.ReadInteger(s, "RadioButtonFrame", 0);
    b.CheckFrameCount = ini.ReadInteger(s, "CheckButtonFrame", 0);
    const std::string n2 = ini.ReadString(s, "NormalColour2", "");
    const std::string m2 = ini.ReadString(s, "MouseOverColour2", "");
    const std::string p2 = ini.ReadString(s, "PressedColour2", "");
    b.HasNormalColour2 = !n2.empty();
    b.HasMouseOverColour2 = !m2.empty();
    b.HasPressedColour2 = !p2.empty();
    b.NormalColour2 = ParseColour(n2, text);
    b.MouseOverColour2 = ParseColour(m2, text);
    b.PressedColour2 = ParseColour(p2, text);
  }

  // 6. Title text and caption background.
  {
    TDataSkinTitle& t = *Title;
    const std::string s = "Personality";
    LoadSkinBitmap(reader, *t.Image, ini.ReadString(s, "TextBack", ""), &budget);
    t.LeftWidth = ini.ReadInteger(s, "TextShift", 0);
    t.TopHeight = ini.ReadInteger(s, "TextShiftVert", 0);
    t.RightWidth = ini.ReadInteger(s, "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = ini.ReadInteger(s, "TextAlignment", 0);
    t.TextBackground = ini.ReadInteger(s, "Textbackground", 0);
    t.TextBackLeft = ini.ReadInteger(s, "TXTBackleft", 0);
    t.TextBackRight = ini.ReadInteger(s, "TXTBackRight", 0);
    t.FontHeight = ini.ReadInteger("Fonts", "FontHeight", 14);
    t.ActiveTextColor = NoTitleColour;
    t.InactiveTextColor = NoTitleColour;
    auto triple = [&](const std::string& prefix, TSkinColour& colour) {
      const int32_t r = ini.ReadInteger(s, prefix + "R", -1);
      const int32_t g = ini.ReadInteger(s, prefix + "G", -1);
      const int32_t b = ini.ReadInteger(s, prefix + "B", -1);
      if (r >= 0 && g >= 0 && b >= 0)
        colour = static_cast<TSkinColour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
    };
    triple("ActiveText", t.ActiveTextColor);
    triple("InActiveText", t.InactiveTextColor);
  }

  // 7. Progress, menu bar, group boxes, tool bars, tabs, status bar, combo button.
  ISkinPlatform& pf = FPlatform;
  LoadElement(Progress, TLoader::Progress, "Progress", ini, reader, pf, budget, text);
  MenuBar.reset();
  if (const std::string v = ini.ReadString("Personality", "menuBar", ""); !v.empty()) {
    auto m = std::make_unique<TDataSkinObject>("MenuBar", pf);
    LoadSkinBitmap(reader, *m->Image, v, &budget);
    m->TopHeight = m->BottomHeight = 0;
    m->Tile = ini.ReadInteger("Personality", "TileMenu", 0);
    m->LeftWidth = ini.ReadInteger("Personality", "TileLeftMenu", 1);
    m->RightWidth = ini.ReadInteger("Personality", "TileRightMenu", 1);
    MenuBar = std::move(m);
  }
  LoadElement(GroupBoxEdge, TLoader::Plain, "GroupBoxEdge", ini, reader, pf, budget, text);
  LoadElement(GroupBox, TLoader::GroupBox, "GroupBox", ini, reader, pf, budget, text);
  LoadElement(Toolbars, TLoader::Plain, "Toolbars", ini, reader, pf, budget, text);
  LoadElement(Tabs, TLoader::Bordered, "Tabs", ini, reader, pf, budget, text, "Border");
  LoadElement(StatusBarEdges, TLoader::Plain, "StatusBarEdges", ini, reader, pf, budget, text);
  LoadElement(ComboButton, TLoader::Bordered, "ComboButton", ini, reader, pf, budget, text);

  // 8. A mirrored copy of the combo button for buttons on the left.
  if (ComboButton && !ComboButton->Image->Empty()) {
    TPixelBuffer mirrored = To24(ComboButton->Image->Pixels());
    MirrorHorz(mirrored);
    if (budget.Take(static_cast<int64_t>(mirrored.Bits.size())))
      ComboButton->SecondImage->Assign(mirrored);
    else
      budget.Refused.push_back(
          {ComboButton->Name + " (its mirrored copy)", mirrored.Width, mirrored.Height, false});
  }

  // 9. The remaining plain elements, then the up-down buttons.
  LoadElement(SunkEdge, TLoader::Plain, "SunkEdge", ini, reader, pf, budget, text);
  LoadElement(ExtraImages, TLoader::Plain, "ExtraImages", ini, reader, pf, budget, text);
  LoadElement(Headerbar, TLoader::Plain, "Headerbar", ini, reader, pf, budget, text);
  LoadElement(MenuItem, TLoader::Plain, "MenuItem", ini, reader, pf, budget, text);
  LoadElement(MenuBackground, TLoader::Plain, "MenuBackground", ini, reader, pf, budget, text);
  LoadElement(Scrollbar, TLoader::Plain, "Scrollbar", ini, reader, pf, budget, text);
  LoadElement(HorzScroll, TLoader::Plain, "HorzScroll", ini, reader, pf, budget, text);
  LoadElement(VertScroll, TLoader::Plain, "VertScroll", ini, reader, pf, budget, text);
  LoadElement(HorzScrollThumb, TLoader::Plain, "HorzScrollThumb", ini, reader, pf, budget, text);
  LoadElement(VertScrollThumb, TLoader::Plain, "VertScrollThumb", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbHorz, TLoader::Plain, "Trackbar.ThumbHorz", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbVert, TLoader::Plain, "Trackbar.ThumbVert", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbLeft, TLoader::Plain, "Trackbar.ThumbLeft", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbRight, TLoader::Plain, "Trackbar.ThumbRight", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbUp, TLoader::Plain, "Trackbar.ThumbUp", ini, reader, pf, budget, text);
  LoadElement(TrackbarThumbDown, TLoader::Plain, "Trackbar.ThumbDown", ini, reader, pf, budget, text);
  LoadElement(UpDownHorz, TLoader::Bordered, "UpDown.Horz", ini, reader, pf, budget, text, "GlyphImage");
  LoadElement(UpDownVert, TLoader::Bordered, "UpDown.Vert", ini, reader, pf, budget, text, "GlyphImage");

  // 10. Frame counts; then the model is scaled for the DPI it is drawn at (the load bounds
  // above were the file's); 11. combo composite, 12. brush.
  ApplyFrameCounts(ini);
  ScaleSkinModel(*this, FPlatform.ScreenDpi());
  MakeComboComposite();
  ReplaceBrush();
  RefusedBitmaps = std::move(budget.Refused);
  NoSkin = false;
}

void TSkinData::ReadColours(const TQuickIni& ini, const std::vector<std::string>& sections) {
  auto c = [&](const char* key, TSkinColour def) {
    return ParseColour(ini.ReadString("Colours", key, ""), def);
  };
  ColorWindowText = c("WindowText", SysColourRef(scWindowText));
  ColorButtonFace = c("ButtonFace", SysColourRef(scBtnFace));
  ColorScrollbar = c("Scrollbar", SysColourRef(scScrollbar));
  ColorHilightText = c("HilightText", SysColourRef(scHighlightText));
  ColorHilight = c("Hilight", SysColourRef(scHighlight));
  ColorMenubar = c("Menubar", ColorButtonFace);
  ColorMenu = c("Menu", SysColourRef(scMenu));
  ColorMenuText = c("MenuText", SysColourRef(scMenuText));
  ColorButtonText = c("ButtonText", SysColourRef(scBtnText));
  ColorButtonHilight = c("ButtonHilight", SysColourRef(scBtnHighlight));
  ColorButtonLight = c("Buttonlight", SysColourRef(scBtnHighlight));
  ColorButtonShadow = c("ButtonShadow", SysColourRef(scBtnShadow));
  ColorButtonDkShadow = c("ButtonDkShadow", SysColourRef(sc3DDkShadow));
  ColorMenuBarText = c("MenuBarText", SysColourRef(scMenuText));
  ColorTitleTextActive = c("TitleTextActive", SysColourRef(scCaptionText));
  ColorTitleTextNoActive = c("TitleTextNoActive", SysColourRef(scInactiveCaptionText));

  IndexedColours.clear();
  for (const std::string& s : sections) {
    const std::string u = Upper(s);
    if (u.rfind("COLOUR", 0) == 0 && u != "COLOURS")
      IndexedColours.push_back(ParseColour(ini.ReadString(s, "color", ""), SysColourRef(scWindowText)));
  }
  for (int i = 0; i < 10; ++i)
    CustomColors[static_cast<size_t>(i)] =
        ParseColour(ini.ReadString("Customcolors", "Color" + std::to_string(i), ""), 0xFFFFFF);
}

void TSkinData::ReadSysButtons(const TQuickIni& ini, const TSkinReader& reader,
                               const std::vector<std::string>& sections, TSkinBitmapBudget& budget) {
  SysButtons.clear();
  std::vector<std::string> kept;
  for (const std::string& s : sections) {
    const std::string u = Upper(s);
    if (u.rfind("BUTTON", 0) != 0 || u == "BUTTON" || u == "BUTTONS" || u == "BUTTON.RADIO" ||
        u == "BUTTON.CHECKBOX")
      continue;
    if (ini.ReadInteger(s, "Action", 0) == -1 && ini.ReadInteger(s, "Visibility", -1) != 0) continue;
    kept.push_back(s);
  }
  for (const std::string& s : kept) {
    auto b = std::make_unique<TDataSkinSysButton>(Upper(s), FPlatform);
    b->Action = ini.ReadInteger(s, "Action", 0);
    b->Align = ini.ReadInteger(s, "Align", 0);
    b->XCoord = ini.ReadInteger(s, "Xcoord", 0);
    b->YCoord = ini.ReadInteger(s, "Ycoord", 0);
    b->Visibility = ini.ReadInteger(s, "Visibility", 0);
    b->Visibility1 = ini.ReadInteger(s, "Visibility1", b->Action == -1 ? -1 : 0);
    b->CombineOp = ini.ReadInteger(s, "CombineOp", -1);
    b->FrameCount = ini.ReadInteger(s, "frame", 0);
    LoadSkinBitmap(reader, *b->Image, ini.ReadString(s, "ButtonImage", ""), &budget);
    if (b->FrameCount == 0) {
      b->FrameCount = 6;
      if (!b->Image->Empty())
        b->FrameCount = static_cast<double>(b->Image->Width()) / b->Image->Height() <= 3.8 ? 3 : 6;
      if (b->Action < 0) b->FrameCount = 6;
      if (b->Action == 3 || b->Action == 11) b->Image->Clear();
    }
    SysButtons.push_back(std::move(b));
  }
  // The buttons of a maximized MDI child, shown in the menu bar.
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS", FPlatform);
    b->Action = 7 + i;
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->FrameCount = 4;
    b->XCoord = 0;
    SysButtons.push_back(std::move(b));
  }
  const std::string strip = ini.ReadString("MDICONTROLS", "Image", "");
  if (strip.empty()) return;
  // The three cut-outs together are no larger than the strip, which is freed after them.
  auto image = FPlatform.NewImage();
  LoadSkinBitmap(reader, *image, strip, &budget);
  const TPixelBuffer pixels = image->Pixels();
  const int a = pixels.Width / 12, h = pixels.Height;
  for (int i = 0; i < 3; ++i) {
    TDataSkinSysButton& b = *SysButtons[kept.size() + static_cast<size_t>(i)];
    b.Image->Assign(Crop(pixels, 4 * a * i, 0, 4 * a, h));
    b.XCoord = (a + 4) * (3 - i);
  }
}

void TSkinData::ApplyFrameCounts(const TQuickIni& ini) {
  auto set = [](auto& e, int32_t n) {
    if (e) e->FrameCount = n;
  };
  set(Buttons, 5);
  set(Title, 2);
  set(Progress, 2);
  set(MenuBar, 2);
  set(GroupBoxEdge, 2);
  for (auto* e : {&Toolbars, &ExtraImages, &Headerbar, &MenuItem, &TrackbarThumbHorz, &TrackbarThumbVert,
                  &TrackbarThumbLeft, &TrackbarThumbRight, &TrackbarThumbUp, &TrackbarThumbDown})
    set(*e, 5);
  set(Tabs, 5);
  set(StatusBarEdges, 3);
  set(GroupBox, 1);
  set(MenuBackground, 1);
  set(ComboButton, 4);
  set(SunkEdge, 4);
  set(HorzScroll, 4);
  set(VertScroll, 4);
  set(Scrollbar, 23);
  set(UpDownHorz, 8);
  set(UpDownVert, 8);
  set(HorzScrollThumb, ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
  set(VertScrollThumb, ini.ReadInteger("VertScrollThumb", "FrameCount", 3));
  Buttons->RadioFrameCount = GlyphFrames(Buttons->RadioFrameCount, *Buttons->RadioImage);
  Buttons->CheckFrameCount = GlyphFrames(Buttons->CheckFrameCount, *Buttons->CheckImage);
}

void TSkinData::MakeComboComposite() {
  if (!SunkEdge || !ComboButton) return;
  // A cell of 50 x 21 pixels at 96 DPI, scaled with the model; B is the system's arrow
  // width, which already follows the DPI.
  auto s = [this](int v) { return ScaleDpi(v, Dpi); };
  const int B = FPlatform.HScrollArrowWidth() + 2;
  const int W = s(50), H = s(21), inset = s(2);
  const int n = std::max(1, SunkEdge->FrameCount);
  const TPixelBuffer edge = SunkEdge->Image->Pixels();
  const TPixelBuffer button = ComboButton->Image->Pixels();
  const TPixelBuffer extra = ExtraImages ? ExtraImages->Image->Pixels() : TPixelBuffer();
  TPixelBuffer strip(W * n, H, 24);
  FillBox(strip, {0, 0, strip.Width, H}, SkinKeyColour);
  TPixelBuffer cell(W, H, 24);
  const TBox right{W - B, 0, W, H};
  for (int j = 1; j <= n; ++j) {
    // Each frame starts transparent, so keyed corners of the edge stay keyed in the result.
    FillBox(cell, {0, 0, W, H}, SkinKeyColour);
    DrawNineSlice(edge, n, j, SunkEdge->Margins(), cell, {0, 0, W, H}, SunkEdge->Trans != 0);
    DrawNineSlice(button, 4, j, ComboButton->Margins(), cell, right, true);
    if (ExtraImages) DrawCentred(extra, ExtraImages->FrameCount, j, cell, right);
    FillBox(cell, {inset, inset, W - s(1) - B, H - s(3)}, SkinKeyColour);
    StretchCopy(cell, {0, 0, W, H}, strip, {W * (j - 1), 0, W * j, H}, false);
  }
  ComboButton->Style = 2;
  ComboButton->LeftWidth = inset;
  ComboButton->TopHeight = SunkEdge->TopHeight;
  ComboButton->RightWidth = B + inset;
  ComboButton->BottomHeight = SunkEdge->BottomHeight;
  ComboButton->Image->Assign(strip);
  MirrorHorz(strip);
  SunkEdge->Image->Assign(strip);
  SunkEdge->LeftWidth = B + inset;
  SunkEdge->RightWidth = inset;
}

void TSkinData::ReplaceBrush() {
  if (ButtonFaceBrush) FPlatform.DeleteBrush(ButtonFaceBrush);
  ButtonFaceBrush = FPlatform.CreateBrush(ColorButtonFace);
}
