#include "desktop/HelpMenu.h"

#include "desktop/MakerFacts.h"

namespace velmora {
namespace {

// "バージョン情報"
constexpr std::string_view kAboutCaption = "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1";
constexpr std::string_view kOkCaption = "&OK";
constexpr std::string_view kHomePageCaption = "&HomePage";
constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

void OpenHelpFile(ShellOpenPort& shell, const FilePath& programPath) {
  shell.OpenInShell(programPath.WithExtension(".chm").Utf8());
}

void OpenHomePage(ShellOpenPort& shell) { shell.OpenInShell(kHomePageUrl); }

void ShowAboutBox(DesktopPorts& ports, const ProgramFacts& program) {
  const AboutBoxInput input = AboutBoxFor(program.productTitle, program.displayText(program.path));
  if (ports.about.ShowAboutBox(input).closedWith == AboutBoxChoice::HomePage) OpenHomePage(ports.shell);
}

std::string AboutText(std::string_view productTitle, std::string_view programPathText) {
  std::string text;
  for (std::string_view part : {productTitle, std::string_view(" "), kVersionText, kLineBreak, programPathText,
                                kLineBreak, kLineBreak, kRightsNotice, kLineBreak, kContactAddress, kLineBreak,
                                kHomePageUrl}) {
    text += part;
  }
  return text;
}

AboutBoxInput AboutBoxFor(std::string_view productTitle, std::string_view programPathText) {
  AboutBoxInput input;
  input.text = AboutText(productTitle, programPathText);
  input.caption = std::string(kAboutCaption);
  input.okCaption = std::string(kOkCaption);
  input.homePageCaption = std::string(kHomePageCaption);
  return input;
}

AboutGradient AboutGradientFor(std::uint32_t endColour) {
  AboutGradient gradient;
  gradient.endColour = endColour;
  gradient.horizontal = (endColour % 2) == 1;
  return gradient;
}

std::uint32_t DrawAboutColour(const std::function<int()>& draw, int randMax) {
  // The standard promises RAND_MAX >= 32767; the guard only keeps a broken
  // generator from looping forever.
  const std::uint64_t base = static_cast<std::uint64_t>(randMax > 0 ? randMax : 1) + 1;
  std::uint64_t value = 0;
  std::uint64_t span = 1;
  while (span < kAboutGradientWhite) {
    value = value * base + static_cast<std::uint64_t>(draw());
    span *= base;
  }
  return static_cast<std::uint32_t>(value % kAboutGradientWhite);
}

}  // namespace velmora
