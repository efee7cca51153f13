#pragma once
// The close sequence FormCloseQuery: what every request to close the main
// window runs (the exit button and Exit1, the close box, Alt+F4, the
// system's end-of-session query) before the window may go. Unsaved changes
// are asked about, the exit is confirmed when CloseQuery is on, and then the
// settings file is written.

#include <functional>
#include <string>

#include "app/SettingsFile.h"
#include "document/MessageBoxPort.h"

namespace velmora {

// "終了します。定義の変更を保存しますか？" (Yes / No / Cancel, warning icon).
inline constexpr const char* kExitSaveQuestion =
    "\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb7\x81\x42\x92\xe8\x8b\x60\x82\xcc\x95\xcf\x8d\x58\x82\xf0\x95\xdb"
    "\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";
// "終了してもよいですか？" (Yes / No, question icon).
inline constexpr const char* kExitConfirmation =
    "\x8f\x49\x97\xb9\x82\xb5\x82\xc4\x82\xe0\x82\xe6\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48";

struct CloseSequence {
  MainWindowState& state;
  SettingsFile& settings;
  MessageBoxPort& messages;
  // The application's current title, the caption of every question: a Save
  // As on the way changes it.
  std::function<std::string()> currentCaption;
  // The Save As command: true only when the document was saved.
  std::function<bool()> saveAs;
};

// True when the window may close. A refusal writes nothing; the program then
// keeps running with all its state, and a save done before the refusal
// stays done. Yes at the save question saves first, and a Save As that is
// cancelled refuses the close, so the changes are never lost unasked; one
// that fails raises its error, which refuses it as well.
bool FormCloseQuery(const CloseSequence& close);

}  // namespace velmora
