#pragma once
// What the program says about itself and its maker: the version the About
// box shows and the three facts of the maker (the rights line, where to
// write, the home page). They live here, once, so that the About text and
// the home-page command can never disagree. ASCII only, so the same bytes
// serve as CP932 texts and as the URL the shell opens.

#include <string_view>

namespace velmora {

constexpr std::string_view kVersionText = "V1.7";
constexpr std::string_view kRightsNotice = "Copyright (C) 2026 Velmora Project";
constexpr std::string_view kContactAddress = "support@velmora.example.org";
constexpr std::string_view kHomePageUrl = "https://velmora.example.org/";

}  // namespace velmora
