#pragma once
// Path pieces of CP932 paths. A trail byte of a double-byte character can be
// 0x5C, the backslash, so separators are searched character by character.
// Both "\" and "/" separate folders: Windows accepts either, Linux uses "/".

#include <string>
#include <string_view>

namespace velmora {

// The byte offset just after the last folder separator (0 when none).
std::size_t FileNameStart(std::string_view path);
// The last path component.
std::string_view FileNameOf(std::string_view path);
// Everything up to and including the last separator; empty when none.
std::string_view FolderOf(std::string_view path);
// The extension of the last component from its last "." on, dot included;
// empty when the component has no ".".
std::string_view ExtensionOf(std::string_view path);
// The extension with ASCII letters in lower case (".TRE" gives ".tre").
std::string LowerCaseExtensionOf(std::string_view path);
// Replaces the extension (or appends `extension` when there is none).
std::string ChangeExtension(std::string_view path, std::string_view extension);

}  // namespace velmora
