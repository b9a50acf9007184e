#include "ui/ImgList.h"

#include <vector>

DEFINE_CLASS_INFO(TImageList, TComponent, Prop<&TImageList::Width>("Width"),
                  Prop<&TImageList::Height>("Height"))

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), FWidth(width > 0 ? width : 16), FHeight(height > 0 ? height : 16) {
  Recreate();
}

TImageList::~TImageList() {
  if (FHandle) ImageList_Destroy(FHandle);
}

void TImageList::Recreate() {
  if (FHandle) ImageList_Destroy(FHandle);
  FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
}

void TImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0 || (width == FWidth && height == FHeight)) return;
  FWidth = width;
  FHeight = height;
  Recreate();
  Change();
}

int TImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TImageList::Change() {
  // A listener may unregister itself: walk a copy.
  const auto listeners = FListeners;
  for (const auto& [id, fn] : listeners)
    if (fn) fn();
}

int TImageList::RegisterChanges(std::function<void()> listener) {
  const int id = FNextListener++;
  FListeners[id] = std::move(listener);
  return id;
}

void TImageList::UnRegisterChanges(int id) { FListeners.erase(id); }

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  if (!FHandle || bitmap.Empty() || bitmap.Width() < FWidth) return -1;
  // The platform blackens the masked pixels of the bitmap it is given: hand it a copy,
  // cut to whole images and to the list's height.
  TBitmap copy;
  copy.Assign(bitmap);
  const int images = bitmap.Width() / FWidth;
  copy.SetSize(images * FWidth, FHeight);
  if (maskColor == clDefault) {
    TBitmap probe;
    probe.Assign(bitmap);
    maskColor = probe.TransparentColor();
  }
  HBITMAP h = copy.ReleaseHandle();
  const int first = ImageList_AddMasked(FHandle, h, ColorToRGB(maskColor));
  DeleteObject(h);
  if (first >= 0) Change();
  return first;
}

void TImageList::LoadFromResourceName(HINSTANCE instance, const std::string& name, TColor maskColor) {
  TBitmap bitmap;
  bitmap.LoadFromResourceName(instance, name);
  ImageList_RemoveAll(FHandle);
  AddMasked(bitmap, maskColor);
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  ImageList_Remove(FHandle, index);
  Change();
}

void TImageList::Clear() {
  if (Count() == 0) return;
  ImageList_RemoveAll(FHandle);
  Change();
}

bool TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  return Draw(canvas.Handle(), x, y, index, enabled);
}

bool TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
  if (!dc || index < 0 || index >= Count()) return false;
  if (enabled) return ImageList_Draw(FHandle, index, dc, x, y, ILD_NORMAL);
  TIconHandle icon(ImageList_GetIcon(FHandle, index, ILD_NORMAL));
  if (!icon) return false;
  return DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, FWidth, FHeight,
                    DST_ICON | DSS_DISABLED);
}

bool TImageList::GetIcon(int index, TIcon& icon) const {
  if (index < 0 || index >= Count()) return false;
  HICON h = ImageList_GetIcon(FHandle, index, ILD_NORMAL);
  if (!h) return false;
  icon.SetHandle(h);
  return true;
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  if (index < 0 || index >= Count()) return false;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(FWidth, FHeight);
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(clBlack);
  c->FillRect(RECT{0, 0, FWidth, FHeight});
  return ImageList_Draw(FHandle, index, c->Handle(), 0, 0, ILD_NORMAL);
}
