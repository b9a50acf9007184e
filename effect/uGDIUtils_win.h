#pragma once
// Thin wrappers over the GDI+ flat API: the picture objects of the particles, start-up and
// shut-down, and the two picture helpers on real pictures. A picture that failed to load
// has no native image and reads as 0 x 0; every call on it is a harmless no-op.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "effect/uGDIUtils.h"
#include "ui/Handles.h"

namespace gdip {
struct GpImage;
using Status = int;
inline constexpr Status Ok = 0;
inline constexpr Status InvalidParameter = 2;
}  // namespace gdip

// Memory of the wrappers comes from GDI+'s own allocator.
class TGdiplusBase {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;
};

class TGPImage : public TGdiplusBase, public IParticleImage {
 public:
  // Takes ownership of the native image (null for an empty image).
  explicit TGPImage(gdip::GpImage* native = nullptr, gdip::Status status = gdip::Ok)
      : FNative(native), FLastStatus(status) {}
  ~TGPImage() override;
  TGPImage(const TGPImage&) = delete;
  TGPImage& operator=(const TGPImage&) = delete;

  uint32_t Width() const override;
  uint32_t Height() const override;
  std::unique_ptr<IParticleImage> Thumbnail(uint32_t width, uint32_t height) const override;

  // A 32-bit GDI bitmap of the picture over the background colour (ARGB); empty when the
  // picture has no pixels.
  TBitmapHandle MakeHBitmap(uint32_t background) const;

  gdip::GpImage* Native() const { return FNative; }
  gdip::Status LastStatus() const { return FLastStatus; }

 protected:
  gdip::Status Check(gdip::Status s) const {
    if (s != gdip::Ok) FLastStatus = s;
    return s;
  }
  gdip::GpImage* FNative;
  mutable gdip::Status FLastStatus;
};

class TGPBitmap final : public TGPImage {
 public:
  // Decodes a picture file, without embedded colour management. A missing or unreadable
  // file gives an empty bitmap.
  explicit TGPBitmap(const std::wstring& fileName);
  // Screen-blends every pixel with the tint (see TintPixels); false when the pixels
  // could not be locked, which leaves the bitmap as it was.
  bool Tint(uint8_t red, uint8_t green, uint8_t blue);
};

// Starts GDI+ (version 1, background thread and external codecs allowed) and shuts it
// down when destroyed. One per process, made before any picture.
class TGdiplusSession {
 public:
  TGdiplusSession();
  ~TGdiplusSession();
  TGdiplusSession(const TGdiplusSession&) = delete;
  TGdiplusSession& operator=(const TGdiplusSession&) = delete;
  bool Started() const { return FToken != 0; }

 private:
  ULONG_PTR FToken = 0;
};

// The scaled copy of a real picture, as a GDI+ image owned by the caller.
std::unique_ptr<IParticleImage> ScaledCopy(const TGPImage& image, float scale);

void Tint(TGPBitmap& bitmap, uint8_t red, uint8_t green, uint8_t blue);

// A particle's picture: the file decoded afresh, then tinted with three draws from the
// process-wide generator (blue, green, red). The path is in the system's code page.
std::unique_ptr<TGPBitmap> LoadTintedPicture(const std::string& path);
