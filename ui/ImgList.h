#pragma once
// A list of equal-sized images (16 x 16 by default) with transparency from a mask colour,
// kept in a platform image list.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>

#include "ui/Classes.h"
#include "ui/Graphics.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner, int width = 16, int height = 16);
  ~TImageList() override;
  DECLARE_CLASS_INFO;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  HIMAGELIST Handle() const { return FHandle; }

  // Cuts the bitmap into Width-wide images, left to right (a partial last column is
  // dropped); pixels of maskColor become transparent (clDefault: the bitmap's bottom-left
  // pixel). Returns the index of the first image added, or -1 when none was.
  int AddMasked(const TBitmap& bitmap, TColor maskColor);
  // Replaces the contents with the images of a bitmap resource. Raises EInvalidGraphic when
  // the resource is missing or unreadable.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name, TColor maskColor);
  void Delete(int index);
  void Clear();

  // Out-of-range indices draw nothing and return false. Disabled images are drawn greyed
  // and embossed, the system's look for a disabled picture.
  bool Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  bool Draw(HDC dc, int x, int y, int index, bool enabled = true);
  bool GetIcon(int index, TIcon& icon) const;
  bool GetBitmap(int index, TBitmap& bitmap) const;

  // Listeners told after every change of the images; the id removes the listener.
  int RegisterChanges(std::function<void()> listener);
  void UnRegisterChanges(int id);

 private:
  void Change();
  void Recreate();
  int FWidth;
  int FHeight;
  HIMAGELIST FHandle = nullptr;
  std::map<int, std::function<void()>> FListeners;
  int FNextListener = 1;
};
