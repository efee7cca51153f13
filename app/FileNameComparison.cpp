#include "app/FileNameComparison.h"

#include <string>

namespace velmora {

FilePath LowerCaseSingleByteLetters(const FilePath& path) {
  std::string bytes = path.Utf8();
  for (char& c : bytes) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return FilePath::FromUtf8(bytes);
}

bool SameFileName(const FilePath& a, const FilePath& b, TextCollationPort& collation) {
  return collation.Equal(LowerCaseSingleByteLetters(a), LowerCaseSingleByteLetters(b));
}

}  // namespace velmora
