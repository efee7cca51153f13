#include "app/win32/UserLocaleCollation.h"

#include <windows.h>

#include <string>

#include "win32/WideText.h"

namespace velmora::win32 {

bool UserLocaleCollation::Equal(const FilePath& a, const FilePath& b) {
  if (a.Empty() || b.Empty()) return a == b;
  const std::wstring wideA = ToWidePath(a);
  const std::wstring wideB = ToWidePath(b);
  return CompareStringW(LOCALE_USER_DEFAULT, 0, wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                        static_cast<int>(wideB.size())) == CSTR_EQUAL;
}

}  // namespace velmora::win32
