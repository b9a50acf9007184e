#include "effect/uGDIUtils_win.h"

#include <new>

// The few flat GDI+ entry points we use, declared here rather than pulling in the C++
// class headers (all are WINGDIPAPI, i.e. stdcall).
extern "C" {
struct GdiplusStartupInputFlat {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
struct GpRectFlat {
  INT X, Y, Width, Height;
};
struct BitmapDataFlat {
  UINT Width;
  UINT Height;
  INT Stride;
  INT PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInputFlat* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
int WINAPI GdipCreateBitmapFromFile(const WCHAR* fileName, gdip::GpImage** bitmap);
int WINAPI GdipGetImageWidth(gdip::GpImage* image, UINT* width);
int WINAPI GdipGetImageHeight(gdip::GpImage* image, UINT* height);
int WINAPI GdipGetImageThumbnail(gdip::GpImage* image, UINT width, UINT height, gdip::GpImage** thumb,
                                 void* callback, void* callbackData);
int WINAPI GdipBitmapLockBits(gdip::GpImage* bitmap, const GpRectFlat* rect, UINT flags, INT format,
                              BitmapDataFlat* data);
int WINAPI GdipBitmapUnlockBits(gdip::GpImage* bitmap, BitmapDataFlat* data);
int WINAPI GdipCreateHBITMAPFromBitmap(gdip::GpImage* bitmap, HBITMAP* hbm, DWORD background);
int WINAPI GdipDisposeImage(gdip::GpImage* image);
void* WINAPI GdipAlloc(size_t size);
void WINAPI GdipFree(void* p);
}

namespace {
constexpr INT kPixelFormat32bppARGB = 0x26200A;
constexpr UINT kImageLockModeReadWrite = 3;
}  // namespace

void* TGdiplusBase::operator new(std::size_t size) {
  void* p = GdipAlloc(size);
  if (!p) throw std::bad_alloc();
  return p;
}

void TGdiplusBase::operator delete(void* p) noexcept { GdipFree(p); }

TGPImage::~TGPImage() {
  if (FNative) GdipDisposeImage(FNative);
}

uint32_t TGPImage::Width() const {
  UINT w = 0;
  if (!FNative || Check(GdipGetImageWidth(FNative, &w)) != gdip::Ok) return 0;
  return w;
}

uint32_t TGPImage::Height() const {
  UINT h = 0;
  if (!FNative || Check(GdipGetImageHeight(FNative, &h)) != gdip::Ok) return 0;
  return h;
}

std::unique_ptr<IParticleImage> TGPImage::Thumbnail(uint32_t width, uint32_t height) const {
  gdip::GpImage* thumb = nullptr;
  if (FNative) Check(GdipGetImageThumbnail(FNative, width, height, &thumb, nullptr, nullptr));
  try {
    return std::unique_ptr<IParticleImage>(new TGPImage(thumb));
  } catch (...) {
    if (thumb) GdipDisposeImage(thumb);
    throw;
  }
}

TBitmapHandle TGPImage::MakeHBitmap(uint32_t background) const {
  HBITMAP bmp = nullptr;
  if (!FNative || Check(GdipCreateHBITMAPFromBitmap(FNative, &bmp, background)) != gdip::Ok) return {};
  return TBitmapHandle(bmp);
}

TGPBitmap::TGPBitmap(const std::wstring& fileName) {
  gdip::GpImage* native = nullptr;
  const gdip::Status s = GdipCreateBitmapFromFile(fileName.c_str(), &native);
  if (s == gdip::Ok) {
    FNative = native;
  } else {
    FLastStatus = s;
    if (native) GdipDisposeImage(native);
  }
}

bool TGPBitmap::Tint(uint8_t red, uint8_t green, uint8_t blue) {
  const uint32_t w = Width(), h = Height();
  if (!FNative || w == 0 || h == 0) return false;
  const GpRectFlat rect{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
  BitmapDataFlat data{};
  if (Check(GdipBitmapLockBits(FNative, &rect, kImageLockModeReadWrite, kPixelFormat32bppARGB, &data)) !=
      gdip::Ok)
    return false;
  TintPixels(static_cast<uint8_t*>(data.Scan0), data.Stride, data.Width, data.Height, red, green, blue);
  Check(GdipBitmapUnlockBits(FNative, &data));
  return true;
}

TGdiplusSession::TGdiplusSession() {
  const GdiplusStartupInputFlat input{1, nullptr, FALSE, FALSE};
  if (GdiplusStartup(&FToken, &input, nullptr) != gdip::Ok) FToken = 0;
}

TGdiplusSession::~TGdiplusSession() {
  if (FToken) GdiplusShutdown(FToken);
}

std::unique_ptr<IParticleImage> ScaledCopy(const TGPImage& image, float scale) {
  return ScaledCopy(static_cast<const IParticleImage&>(image), scale);
}

void Tint(TGPBitmap& bitmap, uint8_t red, uint8_t green, uint8_t blue) { bitmap.Tint(red, green, blue); }

std::unique_ptr<TGPBitmap> LoadTintedPicture(const std::string& path) {
  std::wstring wide;
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n > 0) {
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
  }
  auto bitmap = std::make_unique<TGPBitmap>(wide);
  const TTint t = DrawTint();
  Tint(*bitmap, t.Red, t.Green, t.Blue);
  return bitmap;
}
