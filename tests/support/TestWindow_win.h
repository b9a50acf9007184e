#pragma once
// Window classes for test windows: registered on first use and answered by name, so a test
// says only what its class does differently (its procedure, its background).
#include <windows.h>

inline HBRUSH SystemColourBrush(int index) {
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1));
}

// A second registration of the same name fails and leaves the first in place.
template <class Class, class Char>
const Char* RegisterTestClass(const Char* name, WNDPROC proc, HBRUSH background,
                              ATOM(WINAPI* reg)(const Class*)) {
  Class wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  reg(&wc);
  return name;
}

inline const char* TestClass(const char* name, WNDPROC proc = DefWindowProcA,
                             HBRUSH background = SystemColourBrush(COLOR_WINDOW)) {
  return RegisterTestClass<WNDCLASSEXA>(name, proc, background, RegisterClassExA);
}

// For a program that makes its windows with the wide calls.
inline const wchar_t* TestClass(const wchar_t* name, WNDPROC proc = DefWindowProcW,
                                HBRUSH background = SystemColourBrush(COLOR_WINDOW)) {
  return RegisterTestClass<WNDCLASSEXW>(name, proc, background, RegisterClassExW);
}
