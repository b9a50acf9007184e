#pragma once
// Live GDI objects of this process, for leak checks. Windows counts them
// (GetGuiResources); Wine answers 0 there, but its handle table takes a bare table index as
// a handle, so there the live entries are counted. The next free slot is no measure: Wine
// hands out the most recently freed slot again, so a leak does not move it.
#include <windows.h>

inline DWORD GdiObjectsInUse() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  DWORD n = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
  return n;
}
