#pragma once
// The About box: a modal dialog with the program's icon, a text and two
// buttons. It answers which of them closed it; Escape and the close box
// count as the first, "&OK".

#include <string>

namespace velmora {

struct AboutBoxInput {
  std::string text;     // CP932, lines separated by CR LF
  std::string caption;  // CP932
  std::string okCaption;
  std::string homePageCaption;
};

enum class AboutBoxChoice { Ok, HomePage };

struct AboutBoxResult {
  AboutBoxChoice closedWith = AboutBoxChoice::Ok;
};

class AboutDialogPort {
 public:
  virtual ~AboutDialogPort() = default;
  virtual AboutBoxResult ShowAboutBox(const AboutBoxInput& input) = 0;
};

}  // namespace velmora
