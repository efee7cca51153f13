#pragma once
// How each node kind looks in the exports: the colours of its box and the
// icon the step dialogs show for it (question mark in a bubble, letter i in a
// bubble, exclamation mark in a yellow triangle, white cross on a red disc),
// drawn as SVG symbols so the diagram and the HTML player share them and
// neither needs an image file.

#include <string_view>

namespace velmora {

struct KindStyle {
  std::string_view className;  // CSS class of the node: "question", "information", ...
  std::string_view iconId;     // id of the icon's <symbol>; empty for Unset (no icon)
};

// Unset and any value outside 0..3 draw as "unset", without an icon.
KindStyle StyleOfKind(int kind);

// The icon's kind for a run: a node's dialog type (Unset and any unknown
// value show the information icon, as the step dialogs do).
int DialogKindOf(int kind);

// <symbol> elements for the four icons (20 by 20 units), to go inside <defs>.
std::string_view KindIconSymbols();

// CSS rules giving each kind class its colours, for the diagram.
std::string_view KindBoxStyles();

}  // namespace velmora
