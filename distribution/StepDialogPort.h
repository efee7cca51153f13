#pragma once
// What one step of a run shows, and the port through which it is shown.
// The editor and the player both show steps with the same Win32 dialog;
// tests and the CLI answer them without a window.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// How a step dialog was closed. Yes/No/Back come from a question, Ok and
// LeafBack from an end of a path; Closed is the close box or Alt+F4.
enum class StepAnswer { Yes, No, Back, Ok, LeafBack, Closed };

// The four standard message-dialog types, each with the system's icon
// (question mark, information, exclamation, stop).
enum class StepDialogType { Confirmation, Information, Warning, Error };

struct StepDescription {
  // The step's place in the procedure (its node's line less one), for a
  // record of the run.
  std::size_t index = 0;
  std::string message;  // CP932, lines separated by CR LF; may be empty
  std::string caption;  // CP932; may be empty
  StepDialogType type = StepDialogType::Information;
  bool noDefault = false;  // No is the default (and focused) button
  bool question = false;   // the node has answers: Yes, No, Back
  bool topLevel = false;   // level 0: Back reads "終了" (finish)
  // The path taken so far as plain text (CP932, CR LF lines), for the end
  // user to hand to support: when it is given (the player), an end of a
  // path offers a third button that copies it and Ctrl+C copies it on any
  // step. Empty in the editor's preview, whose dialogs offer no copy.
  std::string path;
  // An end whose outcome sends the end user to support: the path's copy is
  // the focused button, ready for the call.
  bool copyFirst = false;
  // The step's picture (base64, as stored; empty for none), shown above
  // the message, and its words, the picture's name for a screen reader.
  // The dialog decodes it: only the step on screen costs the time.
  std::string_view picture;
  std::string_view alt;
};

class StepDialogPort {
 public:
  virtual ~StepDialogPort() = default;
  // Shows the step modally and returns how it was closed.
  virtual StepAnswer ShowStepDialog(const StepDescription& step) = 0;
};

}  // namespace velmora
