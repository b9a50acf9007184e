#pragma once
// Keyboard shortcuts of menu items (portable): a virtual-key code in the low byte and
// modifier bits above it, written as text like "Ctrl+Shift+S".
#include <cstdint>
#include <string>

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(uint8_t key, TShortCut modifiers);
// Empty for scNone or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// scNone when the text names no key.
TShortCut TextToShortCut(const std::string& text);
