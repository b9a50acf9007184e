#pragma once
// The built-in skin of the program's resources, read into a component as a form reads it:
// its properties while loading, the stored skin, then Loaded (which makes the skin manager
// once the engine is installed).
#include <windows.h>

#include "skin/data/SkinData_win.h"

// Answers whether the skin was read and is in use.
inline bool LoadBuiltinSkin(TSkinData& d, TSkinFormType type = sfMainform, bool active = true) {
  d.BeginLoading();
  d.SkinFormtype = type;
  d.SetActive(active);
  const bool read = ReadSkinStreamResource(d, GetModuleHandleA(nullptr));
  d.Loaded();
  return read && !d.NoSkin;
}
