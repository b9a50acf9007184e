#pragma once
// One owner per Win32 handle: move-only RAII wrappers with explicit .get(), and scope
// guards for device contexts and selections. Nothing here converts to a raw handle by itself.
#include <windows.h>

#include <utility>

// The module this code is linked into: the program, or a DLL that carries the class library
// (and the skin engine). The window classes and resources of the class library are its own.
extern "C" IMAGE_DOS_HEADER __ImageBase;
inline HINSTANCE ThisModule() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

template <class H, class Traits>
class TUniqueHandle {
 public:
  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(H h) noexcept : FHandle(h) {}
  ~TUniqueHandle() { reset(); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& o) noexcept : FHandle(o.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  H get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Traits::Invalid(); }
  // Gives the handle away (e.g. to SetWindowRgn after it succeeded).
  H release() noexcept { return std::exchange(FHandle, Traits::Invalid()); }
  void reset(H h = Traits::Invalid()) noexcept {
    H old = std::exchange(FHandle, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  H FHandle = Traits::Invalid();
};

namespace handle_traits {
template <class H>
struct GdiObject {
  static H Invalid() noexcept { return nullptr; }
  static void Close(H h) noexcept { DeleteObject(h); }
};
struct Dc {
  static HDC Invalid() noexcept { return nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct Icon {
  static HICON Invalid() noexcept { return nullptr; }
  static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct Menu {
  static HMENU Invalid() noexcept { return nullptr; }
  static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
struct Hook {
  static HHOOK Invalid() noexcept { return nullptr; }
  static void Close(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
};
struct Kernel {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct File {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct Key {
  static HKEY Invalid() noexcept { return nullptr; }
  static void Close(HKEY h) noexcept { RegCloseKey(h); }
};
}  // namespace handle_traits

using TBitmapHandle = TUniqueHandle<HBITMAP, handle_traits::GdiObject<HBITMAP>>;
using TBrushHandle = TUniqueHandle<HBRUSH, handle_traits::GdiObject<HBRUSH>>;
using TPenHandle = TUniqueHandle<HPEN, handle_traits::GdiObject<HPEN>>;
using TFontHandle = TUniqueHandle<HFONT, handle_traits::GdiObject<HFONT>>;
using TRegionHandle = TUniqueHandle<HRGN, handle_traits::GdiObject<HRGN>>;
using TDcHandle = TUniqueHandle<HDC, handle_traits::Dc>;  // from CreateCompatibleDC / CreateDC
using TIconHandle = TUniqueHandle<HICON, handle_traits::Icon>;
using TMenuHandle = TUniqueHandle<HMENU, handle_traits::Menu>;
using THookHandle = TUniqueHandle<HHOOK, handle_traits::Hook>;
using TKernelHandle = TUniqueHandle<HANDLE, handle_traits::Kernel>;
using TFileHandle = TUniqueHandle<HANDLE, handle_traits::File>;
using TKeyHandle = TUniqueHandle<HKEY, handle_traits::Key>;

// A memory DC compatible with another (or with the screen when dc is null).
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith = nullptr) noexcept : FDc(CreateCompatibleDC(compatibleWith)) {}
  HDC get() const noexcept { return FDc.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(FDc); }

 private:
  TDcHandle FDc;
};

// GetDC / ReleaseDC (client area, or the screen for a null window).
class ClientDc {
 public:
  explicit ClientDc(HWND wnd) noexcept : FWnd(wnd), FDc(GetDC(wnd)) {}
  ~ClientDc() {
    if (FDc) ReleaseDC(FWnd, FDc);
  }
  ClientDc(const ClientDc&) = delete;
  ClientDc& operator=(const ClientDc&) = delete;
  HDC get() const noexcept { return FDc; }

 private:
  HWND FWnd;
  HDC FDc;
};

// GetWindowDC / ReleaseDC (whole window, frame included).
class WindowDc {
 public:
  explicit WindowDc(HWND wnd) noexcept : FWnd(wnd), FDc(GetWindowDC(wnd)) {}
  ~WindowDc() {
    if (FDc) ReleaseDC(FWnd, FDc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return FDc; }

 private:
  HWND FWnd;
  HDC FDc;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND wnd) noexcept : FWnd(wnd) { FDc = BeginPaint(wnd, &FPs); }
  ~PaintDc() { EndPaint(FWnd, &FPs); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const noexcept { return FDc; }
  const PAINTSTRUCT& Info() const noexcept { return FPs; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPs{};
  HDC FDc = nullptr;
};

// SaveDC / RestoreDC: what a drawing changes in a DC it was lent (origin, clipping,
// selections, modes) is put back on scope exit.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) noexcept : FDc(dc), FSaved(dc ? SaveDC(dc) : 0) {}
  ~SavedDc() {
    if (FSaved) RestoreDC(FDc, FSaved);
  }
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;

 private:
  HDC FDc;
  int FSaved;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) noexcept : FDc(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectGuard() {
    if (FOld) SelectObject(FDc, FOld);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC FDc;
  HGDIOBJ FOld;
};
