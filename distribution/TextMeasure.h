#pragma once
// How wide a procedure's text is drawn, without asking any font library.
// The exports name one font, IPAGothic (Debian's fonts-ipafont-gothic), a
// fixed-pitch Japanese font: in its metrics every character of CP932's
// single-byte half (ASCII, half-width katakana) advances 1024 of 2048 units
// and every double-byte character 2048, exactly the one-column/two-column
// split of the bytes. So a text's width is its byte count in half-em
// columns, and a box sized by it holds its text wherever that font is.

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora {

// The font family written into the SVG and the HTML, first choice of the
// CSS font list (a fallback font may be narrower, never wider in practice).
inline constexpr std::string_view kExportFontFamily = "IPAGothic";
// What follows it in the CSS list where it is missing.
inline constexpr std::string_view kExportFontFallbacks = "'IPA Gothic', 'Noto Sans Mono CJK JP', monospace";

// The width of a one-line CP932 text in half-em columns: one per single-byte
// character, two per double-byte character.
std::size_t TextColumns(std::string_view cp932Line);

// The lines of an expanded message (lines separated by CR LF). An empty
// text is one empty line.
std::vector<std::string_view> MessageLines(std::string_view expanded);
// The same into `lines`, which is emptied first: a caller splitting many
// messages keeps one list for all of them.
void SplitMessageLines(std::string_view expanded, std::vector<std::string_view>& lines);

// The widest of the lines in half-em columns.
std::size_t WidestColumns(const std::vector<std::string_view>& lines);

}  // namespace velmora
