#pragma once
// Recent-file names compared as the user's locale compares texts
// (CompareStringW with the user's default locale, on the UTF-16 forms).

#include "app/FileNameComparison.h"

namespace velmora::win32 {

class UserLocaleCollation final : public TextCollationPort {
 public:
  bool Equal(const FilePath& a, const FilePath& b) override;
};

}  // namespace velmora::win32
