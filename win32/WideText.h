#pragma once
// The one place where the program's CP932 texts meet the UTF-16 of the W
// functions. Conversions always name code page 932 explicitly, so the
// Japanese interface shows on a Windows with any ANSI code page.

#include <optional>
#include <string>
#include <string_view>

#include "document/FilePath.h"

namespace velmora::win32 {

constexpr unsigned kCodePage932 = 932;

std::wstring ToWide(std::string_view cp932);

// The same conversions for any other code page (UTF-8 or the console's,
// for the command-line tool's output); characters it cannot hold become
// the code page's default character.
std::wstring FromCodePage(std::string_view bytes, unsigned codePage);
std::string ToCodePage(std::wstring_view text, unsigned codePage);

// Converts to CP932; characters that CP932 cannot hold become "?".
std::string ToCp932(std::wstring_view text);

// The first character of `text` that CP932 cannot hold (one UTF-16 unit, or
// a surrogate pair), or nothing when the whole text converts faithfully.
std::optional<std::wstring> FirstUnrepresentableChar(std::wstring_view text);

// Paths between the W functions and the core, without loss: UTF-16 and the
// core's UTF-8 both ways, a lone surrogate (which some file names hold)
// carried through as its own three-byte sequence.
std::wstring ToWidePath(const FilePath& path);
FilePath FromWidePath(std::wstring_view path);

// The path as a CP932 text for a message or a caption; a character CP932
// cannot hold shows as "?".
std::string PathDisplayText(const FilePath& path);

}  // namespace velmora::win32
