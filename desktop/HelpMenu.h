#pragma once
// The help menu: the help file beside the program, the About box and the
// maker's home page.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "desktop/DesktopContext.h"

namespace velmora {

// H1Click: the program's own path with the extension ".chm", to the shell.
void OpenHelpFile(ShellOpenPort& shell, const FilePath& programPath);

// Site1Click: the home page, to the shell.
void OpenHomePage(ShellOpenPort& shell);

// About1Click: shows the About box; its "&HomePage" button opens the home
// page as Site1Click does.
void ShowAboutBox(DesktopPorts& ports, const ProgramFacts& program);

// ProductTitle, " ", the version, CR LF, the program's path, CR LF, CR LF,
// the rights line, CR LF, the e-mail address, CR LF, the home page.
std::string AboutText(std::string_view productTitle, std::string_view programPathText);

// What the About box shows and how its buttons read.
AboutBoxInput AboutBoxFor(std::string_view productTitle, std::string_view programPathText);

// The About box's background: a gradient from white to `endColour` (red in
// the low byte, green in the middle, blue in the high byte), from left to
// right when the value is odd, from top to bottom when it is even.
struct AboutGradient {
  std::uint32_t endColour = 0;
  bool horizontal = false;
};
AboutGradient AboutGradientFor(std::uint32_t endColour);

// White itself, the one colour the end colour never is.
constexpr std::uint32_t kAboutGradientWhite = 0xFFFFFF;

// An end colour from 0 up to but not including white, from draws of a
// generator that yields 0..randMax (std::rand with RAND_MAX). One draw of
// the C library's generator may hold only 15 bits (MinGW's does), which
// would never reach the green and blue bytes, so draws are combined until
// they span the whole range.
std::uint32_t DrawAboutColour(const std::function<int()>& draw, int randMax);

}  // namespace velmora
