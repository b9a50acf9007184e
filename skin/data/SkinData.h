#pragma once
// The skin data model and the skin component (portable half).
//
// A loaded skin is a set of named elements (an image of equal frames, four margins, flags
// and colours) plus a table of colours, all owned by TSkinData. ReadSkin fills them from an
// archive's description and bitmaps; painters only read them. What needs the platform
// (device bitmaps, system metrics and colours, brushes, resources) goes through
// ISkinPlatform: SoftwareSkinPlatform() on any machine, GdiSkinPlatform() (SkinData_win.h)
// in the program. The skin manager is reached through ISkinManager, which the manager's
// unit provides by installing a factory (SetSkinManagerFactory).
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinTypes.h"
#include "ui/Classes.h"
#include "ui/DpiScale.h"
#include "ui/PixelBuffer.h"
#include "ui/Streams.h"

class TSkinReader;
class TQuickIni;
class TSkinData;

// Colours: 0x00BBGGRR direct, 0xFF0000nn the system colour with index nn.
using TSkinColour = uint32_t;
constexpr TSkinColour SysColourRef(int index) { return 0xFF000000u | static_cast<uint32_t>(index & 0xFF); }
constexpr bool IsSysColourRef(TSkinColour c) { return (c & 0xFF000000u) == 0xFF000000u; }
// A title colour the skin does not give.
constexpr TSkinColour NoTitleColour = 0x1FFFFFFF;

// System colour indexes (the platform's COLOR_* values).
enum TSysColourIndex : int {
  scScrollbar = 0,
  scMenu = 4,
  scMenuText = 7,
  scWindowText = 8,
  scCaptionText = 9,
  scHighlight = 13,
  scHighlightText = 14,
  scBtnFace = 15,
  scBtnShadow = 16,
  scBtnText = 18,
  scInactiveCaptionText = 19,
  scBtnHighlight = 20,
  sc3DDkShadow = 21,
};

// A skin image: a 24-bit bitmap of the platform (a device bitmap in the program, a pixel
// buffer elsewhere). Empty means no image.
class TSkinImage {
 public:
  virtual ~TSkinImage() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // A copy of the pixels (24 bits).
  virtual TPixelBuffer Pixels() const = 0;
  // Replaces the content; an empty buffer empties the image.
  virtual void Assign(const TPixelBuffer& pixels) = 0;
  void Clear() { Assign(TPixelBuffer()); }
};

class ISkinPlatform {
 public:
  virtual ~ISkinPlatform() = default;
  virtual std::unique_ptr<TSkinImage> NewImage() = 0;
  // GetSystemMetrics(SM_CXHSCROLL): width of a horizontal scroll-bar arrow.
  virtual int HScrollArrowWidth() = 0;
  // GetSysColor(index) as 0x00BBGGRR.
  virtual TSkinColour SysColor(int index) = 0;
  // A solid brush of the colour (system colour references resolved); 0 when there is none.
  virtual uintptr_t CreateBrush(TSkinColour colour) = 0;
  virtual void DeleteBrush(uintptr_t brush) = 0;
  // The 64 x 16 menu glyph strip from the bitmap resource "MARWICKMENU"; empty when absent.
  virtual void LoadMenuGlyphs(TSkinImage& target) = 0;
  // The DPI skins are drawn at: the screen's in the program.
  virtual int ScreenDpi() { return DesignDpi; }
};

// Pixel buffers, nearest-neighbour drawing, a scroll-bar arrow 17 pixels wide, the classic
// default system colours, no brushes and no resources, 96 DPI.
ISkinPlatform& SoftwareSkinPlatform();

// Another platform as it would be on a screen of another DPI: what a skin made for 96 DPI
// looks like elsewhere, and the cost of scaling it.
class TSkinPlatformAtDpi : public ISkinPlatform {
 public:
  TSkinPlatformAtDpi(ISkinPlatform& base, int dpi) : FBase(base), FDpi(dpi) {}
  std::unique_ptr<TSkinImage> NewImage() override { return FBase.NewImage(); }
  int HScrollArrowWidth() override { return FBase.HScrollArrowWidth(); }
  TSkinColour SysColor(int index) override { return FBase.SysColor(index); }
  uintptr_t CreateBrush(TSkinColour colour) override { return FBase.CreateBrush(colour); }
  void DeleteBrush(uintptr_t brush) override { FBase.DeleteBrush(brush); }
  void LoadMenuGlyphs(TSkinImage& target) override { FBase.LoadMenuGlyphs(target); }
  int ScreenDpi() override { return FDpi; }

 private:
  ISkinPlatform& FBase;
  int FDpi;
};

// The edges the tab page's border image is cut at, whatever the element's margins say.
inline constexpr TSkinMargins DesignTabBorderMargins{4, 5, 4, 4};

class TDataSkinObject {
 public:
  TDataSkinObject(std::string name, ISkinPlatform& platform);
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  int32_t LeftWidth = 0;
  int32_t TopHeight = 0;
  int32_t RightWidth = 0;
  int32_t BottomHeight = 0;
  std::unique_ptr<TSkinImage> Image;
  int32_t Trans = 0;
  int32_t Tile = 0;
  std::string Name;
  int32_t FrameCount = 1;
  int32_t Style = 0;
  int32_t NormalColour = -1;
  int32_t MouseOverColour = -1;
  int32_t PressedColour = -1;
  TSkinColour NormalColour2 = SysColourRef(scBtnText);
  TSkinColour MouseOverColour2 = SysColourRef(scBtnText);
  TSkinColour PressedColour2 = SysColourRef(scBtnText);

  TSkinMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  // An element without an image (or with an empty one) is drawn unskinned.
  bool HasImage() const { return Image && !Image->Empty(); }
};

// Null-safe: an absent element has no image either.
inline bool HasImage(const TDataSkinObject* e) { return e && e->HasImage(); }

class TDataSkinBorder : public TDataSkinObject {
 public:
  TDataSkinBorder(std::string name, ISkinPlatform& platform);
  std::unique_ptr<TSkinImage> SecondImage;
};

class TDataSkinButton : public TDataSkinObject {
 public:
  TDataSkinButton(std::string name, ISkinPlatform& platform);
  std::unique_ptr<TSkinImage> CheckImage;
  std::unique_ptr<TSkinImage> RadioImage;
  int32_t RadioFrameCount = 0;
  int32_t CheckFrameCount = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

class TDataSkinTitle : public TDataSkinObject {
 public:
  TDataSkinTitle(std::string name, ISkinPlatform& platform);
  int32_t TextAlignment = 0;
  int32_t TextBackground = 0;
  int32_t FontHeight = 14;
  int32_t TextBackLeft = 0;
  int32_t TextBackRight = 0;
  TSkinColour ActiveTextColor = NoTitleColour;
  TSkinColour InactiveTextColor = NoTitleColour;
};

class TDataSkinSysButton : public TDataSkinObject {
 public:
  TDataSkinSysButton(std::string name, ISkinPlatform& platform);
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t XCoord = 0;
  int32_t YCoord = 0;
  int32_t CombineOp = -1;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  TDataSkinBoxLabel(std::string name, ISkinPlatform& platform);
  int32_t BackgroundLeftShift = 0;
  int32_t BackgroundRightShift = 0;
  int32_t BackgroundAlignment = 0;
};

// Kinds of window parts that can be skinned (bit 0 first).
enum TSkinControlType : int {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcSystemMenu,
  xcFastReport
};
using TSkinControlTypes = uint32_t;  // one bit per TSkinControlType
constexpr TSkinControlTypes SkinBit(int member) { return 1u << member; }
constexpr TSkinControlTypes AllSkinControlTypes = (1u << (xcFastReport + 1)) - 1;
constexpr TSkinControlTypes DefaultSkinControls =
    AllSkinControlTypes & ~SkinBit(xcMenuItem) & ~SkinBit(xcFastReport);

enum TSkinOption : int { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
using TSkinOptions = uint32_t;

enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog };

// Commands the component queues with the skin manager.
enum TSkinCommand : int { scmActivate = 1, scmDeactivate = 2, scmRefresh = 3, scmPurge = 6 };

// Start state of the manager.
enum TStartState : int {
  StartStateWaiting = 0,  // no window activated yet: commands are not queued
  StartStateRunning = 1,
  StartStateClosing = 4,
};

// What the component needs of the skin manager. The manager's unit implements it and
// installs a factory; without one the component works alone (it loads and holds skins).
class ISkinManager {
 public:
  virtual ~ISkinManager() = default;
  virtual void AddSkinData(TSkinData* data) = 0;
  virtual void RemoveSkinData(TSkinData* data) = 0;
  virtual void InstallHook() = 0;
  virtual void SetSkinningOn(bool on) = 0;
  virtual TStartState StartState() const = 0;
  virtual void SetStartState(TStartState state) = 0;
  // Attaches skinning to the window of a form (the component's owner) at once.
  virtual void SkinForm(TComponent* form) = 0;
  virtual void PostCommand(int command, int intervalMs) = 0;
  virtual void SetCommandTarget(TSkinData* data) = 0;
  virtual void RefreshSkinForms() = 0;
};
// The manager of the process, or nullptr.
ISkinManager* SkinManager();
// Creates the manager through the installed factory when there is none (nullptr without a factory).
ISkinManager* EnsureSkinManager();
// Installs the factory; it is called at most once per manager. Passing {} removes it.
void SetSkinManagerFactory(std::function<std::unique_ptr<ISkinManager>()> factory);
// Frees the manager (program end, tests).
void FreeSkinManager();

// The load bounds: decoded bitmap memory one skin load may take in all, beside the bound on
// the pixels of one image (kMaxBmpPixels). An image either bound refuses is never decoded, and
// a skin with such an image is never applied (LoadSkin fails; the skin in use stays).
inline constexpr int64_t MaxSkinBitmapBytes = 128ll * 1024 * 1024;

// An image the load bounds refused: its entry, its size, and which bound it passes.
struct TRefusedBitmap {
  std::string Name;
  int64_t Width = 0, Height = 0;
  bool PerImage = true;  // the bound on one image's pixels; false: on all the images together
  bool operator==(const TRefusedBitmap&) const = default;
};
// One line for a user: the image, its size and the bound.
std::string RefusedBitmapText(const TRefusedBitmap& refused);

struct TSkinBitmapBudget {
  int64_t BytesLeft = MaxSkinBitmapBytes;
  std::vector<TRefusedBitmap> Refused;  // in load order
  // Takes `bytes` when that many are left.
  bool Take(int64_t bytes) {
    if (bytes > BytesLeft) return false;
    BytesLeft -= bytes;
    return true;
  }
};

// How a skin load ended, with the reason in words for a user when it failed.
enum class TSkinLoadStatus { Loaded, NoSuchFile, NotAFile, Unreadable, NotASkin, ImagesRefused };
struct TSkinLoadResult {
  TSkinLoadStatus Status = TSkinLoadStatus::Loaded;
  std::string Reason;
  bool Ok() const { return Status == TSkinLoadStatus::Loaded; }
};
inline constexpr const char* NotASkinReason = "It is not a skin archive this program can read.";

// The stored-form resource that holds the main form's skin ("SkinStream": count, archive).
inline constexpr const char* BuiltinSkinResource = "SKINSTREAM";
inline constexpr const char* MenuGlyphsResource = "MARWICKMENU";
inline constexpr const char* SkinComponentVersion = "3.02.03.09";

class TSkinData : public TComponent {
 public:
  // The program's component: the GDI platform (defined in SkinData_win.cpp only).
  explicit TSkinData(TComponent* AOwner);
  TSkinData(TComponent* AOwner, ISkinPlatform& platform);
  ~TSkinData() override;
  DECLARE_CLASS_INFO;

  // --- published configuration ---
  bool Active() const { return FActive; }
  void SetActive(bool value);
  int DisableTag = 99;
  TSkinControlTypes SkinControls = DefaultSkinControls;
  TSkinOptions Options = 0;
  // ClassName=kind lines.
  const std::vector<std::string>& Skin3rd() const { return FSkin3rd; }
  void SetSkin3rd(const std::vector<std::string>& lines);
  const std::string& SkinFile() const { return FSkinFile; }
  void SetSkinFile(const std::string& name);
  std::string SkinStore() const;  // "(none)" outside a form designer
  TSkinFormType SkinFormtype = sfMainform;
  std::string Version() const { return SkinComponentVersion; }
  bool MenuUpdate = true;
  bool MenuMerge = false;
  std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)> OnFormSkin;
  std::function<void(TObject* Sender)> OnSkinChanged;
  std::function<void(TComponent* Sender, TSkinData* SkinData, TComponent* Form, TComponent* Control,
                     const std::string& ControlClass, TComponent*& SkinnedControl)>
      OnSkinControl;
  std::function<void(TObject* Sender, uintptr_t Window, const std::string& ClassName)> OnCreateWindow;

  // --- component operations ---
  void Loaded() override;
  // Loads SkinArchive. A skin that is not an archive, or whose images the load bounds refuse,
  // leaves the model as it was (NoSkin true, as for any failed load) and LoadResult says why.
  bool LoadSkin();
  TSkinLoadResult LoadResult;
  // Loads a skin file as the one in use and, for sfMainform, applies it (as SetSkinFile does).
  // On failure the component is left exactly as it was (its skin, archive, file name and
  // NoSkin), so the skin in use stays; the result says why.
  TSkinLoadResult LoadSkinFile(const std::filesystem::path& path);
  void ApplySkin();
  void MayBeSkinned(const std::string& className, bool& DoSkin);
  void NotifySkinChanged();
  // The stored "SkinStream" property: 4-byte little-endian count, then the archive.
  void ReadSkinStream(TStream& stream);
  void WriteSkinStream(TStream& stream) const;
  TMemoryStream SkinArchive;

  // --- the data model ---
  void ReadSkin(const TQuickIni& ini, const TSkinReader& reader);
  // Loads the archive entry named by an INI value into image, or empties it. With a budget,
  // the decoded pixels are taken from it, and an image it cannot hold is refused before it is
  // decoded (left empty, its entry's name added to budget->Refused).
  static void LoadSkinBitmap(const TSkinReader& reader, TSkinImage& image, const std::string& value,
                             TSkinBitmapBudget* budget = nullptr);
  // Frees what a loaded skin provided: every optional element becomes absent, the system
  // buttons go, the images of the fixed elements (borders, Title, Buttons) are emptied, and
  // NoSkin becomes true. ReadSkin starts with it.
  void FreeElements();
  // Images the last ReadSkin refused for the load bounds (left empty there).
  std::vector<TRefusedBitmap> RefusedBitmaps;
  static TSkinColour ParseColour(const std::string& text, TSkinColour def);
  ISkinPlatform& Platform() const { return FPlatform; }

  std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom;
  std::unique_ptr<TDataSkinTitle> Title;
  std::unique_ptr<TDataSkinButton> Buttons;
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
  std::unique_ptr<TDataSkinBorder> Progress;
  std::unique_ptr<TDataSkinObject> MenuBar;
  std::unique_ptr<TDataSkinObject> GroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> Toolbars;
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> StatusBarEdges;
  std::unique_ptr<TDataSkinBorder> ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge;
  std::unique_ptr<TDataSkinObject> ExtraImages;
  std::unique_ptr<TDataSkinObject> Headerbar;
  std::unique_ptr<TDataSkinObject> MenuItem;
  std::unique_ptr<TDataSkinObject> MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar;
  std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
  std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
  std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
      TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
  std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;

  TSkinColour ColorWindowText = SysColourRef(scWindowText);
  TSkinColour ColorButtonFace = SysColourRef(scBtnFace);
  TSkinColour ColorScrollbar = SysColourRef(scScrollbar);
  TSkinColour ColorHilightText = SysColourRef(scHighlightText);
  TSkinColour ColorHilight = SysColourRef(scHighlight);
  TSkinColour ColorMenubar = SysColourRef(scBtnFace);
  TSkinColour ColorMenu = SysColourRef(scMenu);
  TSkinColour ColorMenuText = SysColourRef(scMenuText);
  TSkinColour ColorButtonText = SysColourRef(scBtnText);
  TSkinColour ColorButtonHilight = SysColourRef(scBtnHighlight);
  TSkinColour ColorButtonLight = SysColourRef(scBtnHighlight);
  TSkinColour ColorButtonShadow = SysColourRef(scBtnShadow);
  TSkinColour ColorButtonDkShadow = SysColourRef(sc3DDkShadow);
  TSkinColour ColorMenuBarText = SysColourRef(scMenuText);
  TSkinColour ColorTitleTextActive = SysColourRef(scCaptionText);
  TSkinColour ColorTitleTextNoActive = SysColourRef(scInactiveCaptionText);

  std::vector<TSkinColour> IndexedColours;
  std::array<TSkinColour, 10> CustomColors{};
  uintptr_t ButtonFaceBrush = 0;  // HBRUSH in the program
  std::string SkinName;
  std::unique_ptr<TSkinImage> MenuGlyphs;  // four 16 x 16 glyphs: restore, maximize, minimize, close
  std::unique_ptr<TSkinImage> DefaultIcon;
  bool PaintFlag = true;
  bool NoSkin = true;
  // The DPI the model's pixels are for: ReadSkin scales a skin to the platform's ScreenDpi.
  int Dpi = DesignDpi;
  // DesignTabBorderMargins scaled with the model.
  TSkinMargins TabBorderMargins = DesignTabBorderMargins;

 private:
  void ReadColours(const TQuickIni& ini, const std::vector<std::string>& sections);
  void ReadSysButtons(const TQuickIni& ini, const TSkinReader& reader,
                      const std::vector<std::string>& sections, TSkinBitmapBudget& budget);
  void ApplyFrameCounts(const TQuickIni& ini);
  void MakeComboComposite();
  void ReplaceBrush();
  // Takes every member a load fills from a component that has just read a skin.
  void AdoptModel(TSkinData& loaded);

  ISkinPlatform& FPlatform;
  bool FModelOnly = false;  // a skin being read beside the one in use: never registered
  bool FActive = false;
  std::string FSkinFile;
  std::vector<std::string> FSkin3rd;
};

// The lines Skin3rd holds at construction (ClassName=kind).
const std::vector<std::string>& DefaultSkin3rdLines();
