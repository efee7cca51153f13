#include "document/Errors.h"

namespace velmora {

std::string GeneralErrorReportText(std::string_view message) {
  std::string text(message);
  // Compared as bytes: the last byte of a double-byte character is at least
  // 0x40, so every Japanese ending sorts after ".".
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

}  // namespace velmora
