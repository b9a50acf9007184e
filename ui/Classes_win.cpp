#include "ui/Classes.h"

#include <windows.h>

std::wstring GetTextProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) return {};
  if (p->Kind == TTypeKind::tkWString && p->GetWStr) return p->GetWStr(*obj);
  if (p->Kind != TTypeKind::tkString || !p->GetStr) return {};
  const std::string text = p->GetStr(*obj);
  if (text.empty()) return {};
  // Narrow text is in the system code page.
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}
