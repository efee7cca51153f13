#include "files/PathText.h"

#include <string>

#include "document/Cp932.h"

namespace velmora {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += cp932::CharLengthAt(path, pos)) {
    if (IsSeparator(path[pos])) start = pos + 1;
  }
  return start;
}

std::string_view FileNameOf(std::string_view path) { return path.substr(FileNameStart(path)); }

std::string_view FolderOf(std::string_view path) { return path.substr(0, FileNameStart(path)); }

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  std::size_t dot = std::string_view::npos;
  // "." is never a trail byte, but walking by characters keeps the rule in
  // one shape with the separator search.
  for (std::size_t pos = 0; pos < name.size(); pos += cp932::CharLengthAt(name, pos)) {
    if (name[pos] == '.') dot = pos;
  }
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

std::string LowerCaseExtensionOf(std::string_view path) {
  const std::string_view extension = ExtensionOf(path);
  std::string lower;
  lower.reserve(extension.size());
  for (std::size_t pos = 0; pos < extension.size();) {
    const std::size_t length = cp932::CharLengthAt(extension, pos);
    if (length == 1) lower += AsciiLower(extension[pos]);
    else lower.append(extension, pos, length);
    pos += length;
  }
  return lower;
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  std::string result(path.substr(0, path.size() - ExtensionOf(path).size()));
  result += extension;
  return result;
}

}  // namespace velmora
