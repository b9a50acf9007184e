#include "skin/data/SkinData_win.h"

#include <span>

#include "skin/data/SkinRead.h"

namespace {

class TBitmapSkinImage : public TSkinImage {
 public:
  int Width() const override { return Bitmap.Width(); }
  int Height() const override { return Bitmap.Height(); }
  TPixelBuffer Pixels() const override { return Bitmap.ToPixelBuffer(); }
  void Assign(const TPixelBuffer& pixels) override {
    if (pixels.Empty())
      Bitmap.SetSize(0, 0);
    else
      Bitmap.LoadFromPixelBuffer(pixels);
  }
  mutable TBitmap Bitmap;
};

class TGdiSkinPlatform : public ISkinPlatform {
 public:
  std::unique_ptr<TSkinImage> NewImage() override { return std::make_unique<TBitmapSkinImage>(); }
  int HScrollArrowWidth() override { return GetSystemMetrics(SM_CXHSCROLL); }
  TSkinColour SysColor(int index) override { return GetSysColor(index); }
  uintptr_t CreateBrush(TSkinColour colour) override {
    // A system colour reference is not a colour GDI knows; resolve it first.
    const COLORREF c = IsSysColourRef(colour) ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
    return reinterpret_cast<uintptr_t>(CreateSolidBrush(c));
  }
  void DeleteBrush(uintptr_t brush) override {
    if (brush) DeleteObject(reinterpret_cast<HBRUSH>(brush));
  }
  int ScreenDpi() override { return ScreenPixelsPerInch(); }
  void LoadMenuGlyphs(TSkinImage& target) override {
    // The module that carries the engine: the program, or the skin library.
    HMODULE module = ThisModule();
    if (!FindResourceA(module, MenuGlyphsResource, MAKEINTRESOURCEA(2) /* RT_BITMAP */)) {
      target.Clear();
      return;
    }
    try {
      static_cast<TBitmapSkinImage&>(target).Bitmap.LoadFromResourceName(module, MenuGlyphsResource);
    } catch (const Exception&) {
      target.Clear();
    }
  }
};

}  // namespace

ISkinPlatform& GdiSkinPlatform() {
  static TGdiSkinPlatform platform;
  static const bool messageBox = (InstallSkinMessageBox(), true);  // the old-version message
  (void)messageBox;
  return platform;
}

TBitmap& SkinBitmap(const TSkinImage& image) { return static_cast<const TBitmapSkinImage&>(image).Bitmap; }

TSkinData::TSkinData(TComponent* AOwner) : TSkinData(AOwner, GdiSkinPlatform()) {}

bool ReadSkinStreamResource(TSkinData& data, HMODULE module, const char* name) {
  HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!res) return false;
  HGLOBAL handle = LoadResource(module, res);
  const auto* bytes = static_cast<const uint8_t*>(handle ? LockResource(handle) : nullptr);
  if (!bytes) return false;
  TMemoryStream stream(std::vector<uint8_t>(bytes, bytes + SizeofResource(module, res)));
  data.ReadSkinStream(stream);
  return true;
}

TImageList& MenuGlyphImages(TSkinData& data) {
  static constexpr const char* name = "MenuGlyphImages";
  if (auto* list = dynamic_cast<TImageList*>(data.FindComponent(name))) return *list;
  auto* list = new TImageList(&data, 16, 16);  // owned and freed by the component
  list->Name = name;
  if (!data.MenuGlyphs->Empty()) list->AddMasked(SkinBitmap(*data.MenuGlyphs), clWhite);
  return *list;
}
