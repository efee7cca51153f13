#pragma once
// A file's path as the system names it. Paths are not texts: texts are CP932
// bytes because the text rules count them, but a path must be able to name
// every file the system can, including one in a folder whose name CP932
// cannot hold ("Procédures" on a Western Windows). So a path is kept as
// UTF-8 (on Windows converted from and back to the W functions' UTF-16
// without loss, on Linux the name's own bytes) and becomes CP932 only where
// a CP932 text needs it (a message, the caption, the settings file), through
// the file system port (FileSystemPort::DisplayText, ExactCp932).
//
// The pieces below scan bytes: in UTF-8 no byte of a multi-byte character
// is an ASCII "\", "/" or ".", so no character is ever cut.

#include <string>
#include <string_view>
#include <utility>

namespace velmora {

class FilePath {
 public:
  FilePath() = default;
  static FilePath FromUtf8(std::string_view utf8) { return FilePath(std::string(utf8)); }

  const std::string& Utf8() const { return utf8_; }
  bool Empty() const { return utf8_.empty(); }

  // The last component ("C:\work\abc.tre" gives "abc.tre").
  FilePath FileName() const;
  // Everything up to and including the last separator, empty without one.
  FilePath Folder() const;
  // The extension of the last component from its last "." on, dot included
  // (".TRE"); empty when the component has none.
  std::string Extension() const;
  // The extension with ASCII letters in lower case (".tre").
  std::string LowerCaseExtension() const;
  // The path with its extension replaced, or `extension` appended when it
  // has none ("Tool.exe" with ".bin" gives "Tool.bin").
  FilePath WithExtension(std::string_view extension) const;
  // The last component without its extension ("abc" for "C:\work\abc.tre").
  FilePath Stem() const;
  // `name` inside this folder; a separator is put between them unless this
  // path already ends in one. The separator is "\" when this path already
  // uses it, "/" otherwise.
  FilePath Join(std::string_view name) const;

  friend bool operator==(const FilePath& a, const FilePath& b) { return a.utf8_ == b.utf8_; }
  friend bool operator!=(const FilePath& a, const FilePath& b) { return a.utf8_ != b.utf8_; }

 private:
  explicit FilePath(std::string utf8) : utf8_(std::move(utf8)) {}
  std::size_t FileNameStart() const;

  std::string utf8_;
};

}  // namespace velmora
