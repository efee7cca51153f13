#include "document/FilePath.h"

namespace velmora {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::size_t FilePath::FileNameStart() const {
  for (std::size_t pos = utf8_.size(); pos > 0; --pos) {
    if (IsSeparator(utf8_[pos - 1])) return pos;
  }
  return 0;
}

FilePath FilePath::FileName() const { return FilePath(utf8_.substr(FileNameStart())); }

FilePath FilePath::Folder() const { return FilePath(utf8_.substr(0, FileNameStart())); }

std::string FilePath::Extension() const {
  const std::size_t start = FileNameStart();
  const std::size_t dot = utf8_.rfind('.');
  if (dot == std::string::npos || dot < start) return {};
  return utf8_.substr(dot);
}

std::string FilePath::LowerCaseExtension() const {
  std::string extension = Extension();
  for (char& c : extension) c = AsciiLower(c);
  return extension;
}

FilePath FilePath::WithExtension(std::string_view extension) const {
  std::string result = utf8_.substr(0, utf8_.size() - Extension().size());
  result += extension;
  return FilePath(std::move(result));
}

FilePath FilePath::Stem() const {
  const FilePath name = FileName();
  return FilePath(name.utf8_.substr(0, name.utf8_.size() - name.Extension().size()));
}

FilePath FilePath::Join(std::string_view name) const {
  if (utf8_.empty()) return FilePath(std::string(name));
  std::string result = utf8_;
  if (!IsSeparator(result.back())) result += utf8_.find('\\') != std::string::npos ? '\\' : '/';
  result += name;
  return FilePath(std::move(result));
}

}  // namespace velmora
