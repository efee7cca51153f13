#pragma once
// The conventions that pack extra information into a node's one-line text:
// line breaks as the newline mark, the default answer as a "(N)" suffix and,
// in stored form only, the node kind as a two-byte marker. All texts are
// code page 932 byte strings and every rule counts bytes.

#include <string>
#include <string_view>

namespace velmora {

// The node kind is the node's image index in the tree; the numbers are stored
// indirectly (as markers) in files, so they must not change.
enum NodeKind : int {
  Unset = -1,
  Question = 0,
  Information = 1,
  Exclaimation = 2,
  Inhibit = 3,
};

constexpr int KindCount = 4;

// "…" (U+2026): the text of every new answer and of an emptied node.
inline constexpr std::string_view PlaceholderText = "\x81\x63";
// "↓" (U+2193): the newline mark of a fresh program.
inline constexpr std::string_view DefaultNewLineMark = "\x81\xAB";
inline constexpr std::string_view NoDefaultSuffix = "(N)";
inline constexpr std::string_view YesDefaultSuffix = "(Y)";

// The stored-form prefix of `kind` ("? ", "i ", "! ", "x "); empty for Unset
// or any value outside 0..3, so a writer simply prefixes whatever this gives.
std::string_view KindMarker(int kind);

// The kind whose marker begins `text` (ASCII letters compared in lower case,
// so "I " and "X " count), or -1 when none does or the text is shorter than
// two bytes.
int KindOfMarker(std::string_view text);

// Removes the first two bytes: the caller has checked that a marker is there.
std::string RemoveKindMarker(std::string_view text);

// The kind commands strip only the "i ", "! " and "x " markers; a leading
// "? " stays part of the text.
std::string StripKindMarker(std::string_view text);

enum class DefaultSuffix { None, No, Yes };

// Reads the last three bytes in upper case; shorter texts have no suffix.
DefaultSuffix DefaultSuffixOf(std::string_view text);
bool HasDefaultSuffix(std::string_view text);
// Deletes the last three bytes when they are "(N)" or "(Y)" in any case.
std::string RemoveDefaultSuffix(std::string_view text);
// The same as a part of `text`, without a copy.
std::string_view WithoutDefaultSuffix(std::string_view text);
std::string AppendNoDefault(std::string_view text);

// Every occurrence of `mark` becomes CR LF. Matches only on whole characters;
// an empty mark leaves the text unchanged.
std::string ExpandNewLines(std::string_view text, std::string_view mark);
// Every CR LF becomes `mark`; an empty mark deletes the line breaks.
std::string FoldNewLines(std::string_view text, std::string_view mark);

// Removes the bytes 0x00-0x20 from both ends. The full-width space (0x81 0x40)
// is a character of the text and stays.
std::string_view TrimBlanksView(std::string_view text);
std::string TrimBlanks(std::string_view text);
constexpr bool IsBlankByte(unsigned char byte) { return byte <= 0x20; }

}  // namespace velmora
