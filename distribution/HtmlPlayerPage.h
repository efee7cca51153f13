#pragma once
// The fixed parts of the HTML player: its style sheet and its script. They
// are ASCII only; every text the page shows comes with the procedure's data,
// so the script never needs to know a language.

#include <string_view>

namespace velmora {

std::string_view HtmlPlayerStyle();
std::string_view HtmlPlayerScript();

}  // namespace velmora
