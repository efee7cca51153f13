#pragma once
// The filter of the system's open and save dialogs, written as
// "description|pattern|..." (CP932) where the dialog wants NULs.

#include <string>

#include "win32/WideText.h"

namespace velmora::win32 {

// Each piece ended by a NUL and the whole by a second one; empty for none.
inline std::wstring FileDialogFilter(const std::string& cp932Filter) {
  if (cp932Filter.empty()) return {};
  std::wstring filter = ToWide(cp932Filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

}  // namespace velmora::win32
