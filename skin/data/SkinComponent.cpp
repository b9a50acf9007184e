// The skin component: configuration, loading, the stored archive and the manager seam.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/data/SkinData.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinRead.h"

namespace {

std::unique_ptr<ISkinManager>& ManagerSlot() {
  static std::unique_ptr<ISkinManager> manager;
  return manager;
}
std::function<std::unique_ptr<ISkinManager>()>& FactorySlot() {
  static std::function<std::unique_ptr<ISkinManager>()> factory;
  return factory;
}

// Pixel buffers in place of device bitmaps.
class TPixelSkinImage : public TSkinImage {
 public:
  int Width() const override { return FPixels.Width; }
  int Height() const override { return FPixels.Height; }
  TPixelBuffer Pixels() const override { return FPixels; }
  void Assign(const TPixelBuffer& pixels) override { FPixels = pixels; }

 private:
  TPixelBuffer FPixels;
};

class TSoftwareSkinPlatform : public ISkinPlatform {
 public:
  std::unique_ptr<TSkinImage> NewImage() override { return std::make_unique<TPixelSkinImage>(); }
  int HScrollArrowWidth() override { return 17; }
  TSkinColour SysColor(int index) override {
    switch (index) {  // the classic scheme
      case scScrollbar:
        return 0xC8D0D4;
      case scMenu:
      case scBtnFace:
        return 0xC8D0D4;
      case scHighlight:
        return 0x6A240A;
      case scHighlightText:
      case scBtnHighlight:
        return 0xFFFFFF;
      case scBtnShadow:
        return 0x808080;
      case sc3DDkShadow:
        return 0x404040;
      case scCaptionText:
        return 0xFFFFFF;
      case scInactiveCaptionText:
        return 0xC8D0D4;
      default:
        return 0x000000;
    }
  }
  uintptr_t CreateBrush(TSkinColour) override { return 0; }
  void DeleteBrush(uintptr_t) override {}
  void LoadMenuGlyphs(TSkinImage& target) override { target.Clear(); }
};

// Skin3rd as one text: lines ending in CR LF.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace

ISkinPlatform& SoftwareSkinPlatform() {
  static TSoftwareSkinPlatform platform;
  return platform;
}

ISkinManager* SkinManager() { return ManagerSlot().get(); }

ISkinManager* EnsureSkinManager() {
  if (!ManagerSlot() && FactorySlot()) ManagerSlot() = FactorySlot()();
  return ManagerSlot().get();
}

void SetSkinManagerFactory(std::function<std::unique_ptr<ISkinManager>()> factory) {
  FactorySlot() = std::move(factory);
}

void FreeSkinManager() { ManagerSlot().reset(); }

DEFINE_CLASS_INFO(TSkinData, TComponent, Prop<&TSkinData::Active, &TSkinData::SetActive>("Active"),
                  Prop<&TSkinData::DisableTag>("DisableTag"), Prop<&TSkinData::SkinControls>("SkinControls"),
                  Prop<&TSkinData::Options>("Options"),
                  Computed<TSkinData, std::string>(
                      "Skin3rd", [](const TSkinData& d) { return JoinLines(d.Skin3rd()); },
                      [](TSkinData& d, std::string v) { d.SetSkin3rd(SplitLines(v)); }),
                  Prop<&TSkinData::SkinFile, &TSkinData::SetSkinFile>("SkinFile"),
                  Prop<&TSkinData::SkinStore>("SkinStore"),
                  Prop<&TSkinData::SkinFormtype>("SkinFormtype",
                                                 {"sfMainform", "sfOnlyThisForm", "sfDialog"}),
                  Prop<&TSkinData::Version>("Version"), Prop<&TSkinData::MenuUpdate>("MenuUpdate"),
                  Prop<&TSkinData::MenuMerge>("MenuMerge"))

TSkinData::TSkinData(TComponent* AOwner, ISkinPlatform& platform) : TComponent(AOwner), FPlatform(platform) {
  BorderLeft = std::make_unique<TDataSkinBorder>("Left", platform);
  BorderRight = std::make_unique<TDataSkinBorder>("Right", platform);
  BorderTop = std::make_unique<TDataSkinBorder>("Top", platform);
  BorderBottom = std::make_unique<TDataSkinBorder>("Bottom", platform);
  Title = std::make_unique<TDataSkinTitle>("Title", platform);
  Buttons = std::make_unique<TDataSkinButton>("Buttons", platform);
  CustomColors.fill(0xFFFFFF);
  MenuGlyphs = platform.NewImage();
  platform.LoadMenuGlyphs(*MenuGlyphs);
  DefaultIcon = platform.NewImage();
  FSkin3rd = DefaultSkin3rdLines();
}

TSkinData::~TSkinData() {
  if (ISkinManager* m = SkinManager(); m && !FModelOnly) m->RemoveSkinData(this);
  if (ButtonFaceBrush) FPlatform.DeleteBrush(ButtonFaceBrush);
  ButtonFaceBrush = 0;
}

void TSkinData::SetSkin3rd(const std::vector<std::string>& lines) { FSkin3rd = lines; }

std::string TSkinData::SkinStore() const { return "(none)"; }

bool TSkinData::LoadSkin() {
  NoSkin = true;
  LoadResult = {};
  TSkinReader reader;
  TMemoryStream scratch;
  if (!reader.LoadArchive(SkinArchive)) {
    LoadResult = {TSkinLoadStatus::NotASkin, NotASkinReason};
    return false;
  }
  TQuickIni ini;
  std::string found;
  reader.ExtractEntryContaining(".ini", scratch, found);
  scratch.SetPosition(0);
  ini.LoadFromStream(&scratch);
  // Read beside the skin in use: a skin the bounds refuse is never applied, in part or whole.
  TSkinData loaded(nullptr, FPlatform);
  loaded.FModelOnly = true;
  loaded.ReadSkin(ini, reader);
  if (!loaded.RefusedBitmaps.empty()) {
    RefusedBitmaps = loaded.RefusedBitmaps;
    std::string reason = "The load bounds refuse its images:";
    for (const TRefusedBitmap& r : RefusedBitmaps) {
      reason += '\n';
      reason += RefusedBitmapText(r);
    }
    LoadResult = {TSkinLoadStatus::ImagesRefused, reason};
    return false;
  }
  AdoptModel(loaded);
  return true;
}

void TSkinData::AdoptModel(TSkinData& from) {
  for (auto [mine, theirs] :
       {std::pair{&BorderLeft, &from.BorderLeft}, std::pair{&BorderRight, &from.BorderRight},
        std::pair{&BorderTop, &from.BorderTop}, std::pair{&BorderBottom, &from.BorderBottom},
        std::pair{&Progress, &from.Progress}, std::pair{&Tabs, &from.Tabs},
        std::pair{&ComboButton, &from.ComboButton}, std::pair{&UpDownHorz, &from.UpDownHorz},
        std::pair{&UpDownVert, &from.UpDownVert}})
    mine->swap(*theirs);
  for (auto [mine, theirs] : {std::pair{&MenuBar, &from.MenuBar},
                              std::pair{&GroupBoxEdge, &from.GroupBoxEdge},
                              std::pair{&Toolbars, &from.Toolbars},
                              std::pair{&StatusBarEdges, &from.StatusBarEdges},
                              std::pair{&SunkEdge, &from.SunkEdge},
                              std::pair{&ExtraImages, &from.ExtraImages},
                              std::pair{&Headerbar, &from.Headerbar},
                              std::pair{&MenuItem, &from.MenuItem},
                              std::pair{&MenuBackground, &from.MenuBackground},
                              std::pair{&Scrollbar, &from.Scrollbar},
                              std::pair{&HorzScroll, &from.HorzScroll},
                              std::pair{&VertScroll, &from.VertScroll},
                              std::pair{&HorzScrollThumb, &from.HorzScrollThumb},
                              std::pair{&VertScrollThumb, &from.VertScrollThumb},
                              std::pair{&TrackbarThumbHorz, &from.TrackbarThumbHorz},
                              std::pair{&TrackbarThumbVert, &from.TrackbarThumbVert},
                              std::pair{&TrackbarThumbLeft, &from.TrackbarThumbLeft},
                              std::pair{&TrackbarThumbRight, &from.TrackbarThumbRight},
                              std::pair{&TrackbarThumbUp, &from.TrackbarThumbUp},
                              std::pair{&TrackbarThumbDown, &from.TrackbarThumbDown}})
    mine->swap(*theirs);
  Title.swap(from.Title);
  Buttons.swap(from.Buttons);
  GroupBox.swap(from.GroupBox);
  SysButtons.swap(from.SysButtons);
  Dpi = from.Dpi;  // the pixels above are for this DPI
  TabBorderMargins = from.TabBorderMargins;
  for (auto [mine, theirs] :
       {std::pair{&ColorWindowText, from.ColorWindowText}, std::pair{&ColorButtonFace, from.ColorButtonFace},
        std::pair{&ColorScrollbar, from.ColorScrollbar}, std::pair{&ColorHilightText, from.ColorHilightText},
        std::pair{&ColorHilight, from.ColorHilight}, std::pair{&ColorMenubar, from.ColorMenubar},
        std::pair{&ColorMenu, from.ColorMenu}, std::pair{&ColorMenuText, from.ColorMenuText},
        std::pair{&ColorButtonText, from.ColorButtonText},
        std::pair{&ColorButtonHilight, from.ColorButtonHilight},
        std::pair{&ColorButtonLight, from.ColorButtonLight},
        std::pair{&ColorButtonShadow, from.ColorButtonShadow},
        std::pair{&ColorButtonDkShadow, from.ColorButtonDkShadow},
        std::pair{&ColorMenuBarText, from.ColorMenuBarText},
        std::pair{&ColorTitleTextActive, from.ColorTitleTextActive},
        std::pair{&ColorTitleTextNoActive, from.ColorTitleTextNoActive}})
    *mine = theirs;
  IndexedColours = std::move(from.IndexedColours);
  CustomColors = from.CustomColors;
  std::swap(ButtonFaceBrush, from.ButtonFaceBrush);  // the old brush goes with `from`
  SkinName = std::move(from.SkinName);
  RefusedBitmaps.clear();
  NoSkin = false;
}

TSkinLoadResult TSkinData::LoadSkinFile(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return {TSkinLoadStatus::NoSuchFile, "The file does not exist."};
  if (!std::filesystem::is_regular_file(status)) return {TSkinLoadStatus::NotAFile, "It is not a file."};
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return {TSkinLoadStatus::Unreadable, "It could not be read."};
  // What a failure puts back.
  std::vector<uint8_t> previous = SkinArchive.Data();
  const bool previousNoSkin = NoSkin;
  SkinArchive.Data() = std::move(bytes);
  SkinArchive.SetPosition(0);
  TSkinLoadResult result;
  try {
    if (!LoadSkin()) result = LoadResult;
  } catch (const std::exception& e) {
    result = {TSkinLoadStatus::Unreadable, std::string("It could not be read: ") + e.what()};
  }
  if (!result.Ok()) {
    SkinArchive.Data() = std::move(previous);
    SkinArchive.SetPosition(0);
    NoSkin = previousNoSkin;
    LoadResult = result;
    return result;
  }
  try {
    FSkinFile = path.string();
  } catch (const std::exception&) {
    FSkinFile.clear();  // a name the narrow code page cannot spell
  }
  if (SkinFormtype == sfMainform) ApplySkin();
  return result;
}

void TSkinData::ReadSkinStream(TStream& stream) {
  uint8_t b[4];
  stream.ReadBuffer(b, 4);
  const int32_t n =
      static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
  if (n <= 0) return;
  // A count beyond the stored bytes is a broken form; refuse it before allocating.
  if (n > stream.GetSize() - stream.GetPosition()) throw EStreamError("Stream read error");
  SkinArchive.SetSize(n);
  SkinArchive.SetPosition(0);
  SkinArchive.CopyFrom(stream, n);
  LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& stream) const {
  const int64_t size = SkinArchive.GetSize();
  const uint32_t n = static_cast<uint32_t>(size);
  const uint8_t b[4] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
                        static_cast<uint8_t>(n >> 24)};
  stream.WriteBuffer(b, 4);
  if (size > 0) stream.WriteBuffer(SkinArchive.Memory(), size);
}

void TSkinData::SetSkinFile(const std::string& name) {
  NoSkin = true;
  FSkinFile = name;
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(name, ec)) return;
  SkinArchive.LoadFromFile(name);
  // Only a skin that loaded is pushed to the windows: with none they would lose their frames.
  if (LoadSkin() && SkinFormtype == sfMainform) ApplySkin();
}

void TSkinData::ApplySkin() {
  if (ComponentState & csLoading) return;
  if (!SkinManager() && FactorySlot()) Loaded();
  ISkinManager* m = SkinManager();
  if (!m) return;
  m->SetCommandTarget(this);
  m->RefreshSkinForms();
  if (m->StartState() == StartStateRunning) m->PostCommand(scmRefresh, 250);
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  ISkinManager* m = EnsureSkinManager();
  if (m) m->AddSkinData(this);
  if (SkinFormtype == sfOnlyThisForm || SkinFormtype == sfDialog) {
    if (m) {
      m->SetSkinningOn(true);
      // The first such component starts the manager; later ones find it running. Counting
      // them up would pass the running state and, at the fourth, reach the closing one.
      if (m->StartState() == StartStateWaiting) m->SetStartState(StartStateRunning);
      if (Owner()) m->SkinForm(Owner());
    }
    return;
  }
  if (m) m->InstallHook();
  if (FActive) {
    if (NoSkin)
      FActive = false;
    else if (m)
      m->PostCommand(scmActivate, 250);
  }
  if (SkinControls & SkinBit(xcMainMenu))
    SkinControls &= ~SkinBit(xcMenuItem);
  else
    SkinControls &= ~SkinBit(xcSystemMenu);
}

void TSkinData::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (ComponentState & csLoading) return;
  ISkinManager* m = SkinManager();
  switch (SkinFormtype) {
    case sfMainform:
      if (value && NoSkin) return;
      if (!m) return;
      if (value) {
        m->PostCommand(scmActivate, 250);
        m->SetStartState(StartStateRunning);
      } else {
        m->PostCommand(scmDeactivate, 250);
      }
      m->SetCommandTarget(this);
      return;
    case sfOnlyThisForm:
      if (!m) return;
      m->SetCommandTarget(this);
      if (value && NoSkin) return;
      m->PostCommand(value ? scmActivate : scmDeactivate, 250);
      return;
    case sfDialog:
      return;
  }
}

void TSkinData::MayBeSkinned(const std::string& className, bool& DoSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, className, DoSkin);
    return;
  }
  if (className == "SysMonthCal32") DoSkin = false;
  if ((SkinControls & SkinBit(xcFastReport)) && className.rfind("Tfr", 0) == 0) DoSkin = false;
}

void TSkinData::NotifySkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}
