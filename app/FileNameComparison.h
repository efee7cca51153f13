#pragma once
// When two paths name the same recent file. The list has always compared
// them as the ANSI file-name functions of a Japanese Windows do: only the
// characters that are single bytes in CP932 (ASCII and the half-width
// katakana, of which only ASCII letters have a case) are lower-cased; every
// other character is left as it stands; then the two are compared under the
// user's locale. The locale comparison is the platform's.

#include "document/FilePath.h"

namespace velmora {

class TextCollationPort {
 public:
  virtual ~TextCollationPort() = default;
  // True when the two texts are equal under the user's default locale.
  virtual bool Equal(const FilePath& a, const FilePath& b) = 0;
};

// For platforms and tests without a locale comparison: equal bytes.
class BytewiseCollation final : public TextCollationPort {
 public:
  bool Equal(const FilePath& a, const FilePath& b) override { return a == b; }
};

// The path with its ASCII letters in lower case. In UTF-8 no byte of a
// longer character is ASCII, so no other character can change.
FilePath LowerCaseSingleByteLetters(const FilePath& path);

bool SameFileName(const FilePath& a, const FilePath& b, TextCollationPort& collation);

}  // namespace velmora
