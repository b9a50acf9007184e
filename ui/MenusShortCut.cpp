#include "ui/MenusShortCut.h"

#include <cctype>
#include <cstdio>
#include <string_view>
#include <utility>

namespace {
// Virtual-key codes with names (the platform's values, kept here so the code stays portable).
struct KeyName {
  uint8_t Key;
  const char* Name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string KeyToText(uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x87) {  // F1..F24
    char name[4];
    std::snprintf(name, sizeof name, "F%d", key - 0x70 + 1);
    return name;
  }
  for (const KeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}
}  // namespace

TShortCut ShortCut(uint8_t key, TShortCut modifiers) {
  return static_cast<TShortCut>(key | (modifiers & (scShift | scCtrl | scAlt)));
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string key = KeyToText(static_cast<uint8_t>(shortCut & 0xFF));
  if (key.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string_view rest(text);
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (auto [name, bit] :
         {std::pair<std::string_view, TShortCut>{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}}) {
      if (StartsWithNoCase(rest, name)) {
        modifiers |= bit;
        rest.remove_prefix(name.size());
        found = true;
      }
    }
  }
  if (rest.empty()) return scNone;
  for (int key = 1; key < 256; ++key) {
    std::string name = KeyToText(static_cast<uint8_t>(key));
    if (!name.empty() && name.size() == rest.size() && StartsWithNoCase(rest, name))
      return ShortCut(static_cast<uint8_t>(key), modifiers);
  }
  return scNone;
}
