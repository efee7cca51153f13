#pragma once
// Message boxes as the core asks for them: a CP932 text, a caption and the
// platform's flags (0x24 Yes/No with the question icon, 0x33 Yes/No/Cancel
// with the warning icon, 0x10 OK with the stop icon, ...). The answer is the
// platform's code: 1 OK, 2 Cancel, 6 Yes, 7 No.

#include <string>

namespace velmora {

namespace message_box {
constexpr unsigned kOk = 0x00;
constexpr unsigned kYesNoCancel = 0x03;
constexpr unsigned kYesNo = 0x04;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace message_box

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

}  // namespace velmora
