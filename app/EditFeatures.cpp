#include "app/EditFeatures.h"

#include <optional>

#include "document/Errors.h"
#include "files/BranchText.h"

namespace velmora {

EditFeatures::EditFeatures(Editor& editor, ClipboardPort* clipboard)
    : editor_(editor), clipboard_(clipboard), generation_(editor.Generation()), saves_(editor.Saves()) {}

// Typing goes on in the title box; anything else ends a typing step first.
void EditFeatures::Run(std::string_view stepName, const std::function<void()>& action, EditHistory::Typing typing) {
  FollowDocument();
  if (typing == EditHistory::Typing::No) history_.Pause(editor_);
  ThenAlways([&] { history_.Record(editor_, stepName, action, typing); }, [this] { FollowDocument(); });
}

void EditFeatures::Follow(const std::function<void()>& action) {
  history_.Pause(editor_);
  ThenAlways(action, [this] { FollowDocument(); });
}

void EditFeatures::Undo() { history_.Undo(editor_); }

void EditFeatures::Redo() { history_.Redo(editor_); }

bool EditFeatures::CanCopy() const { return clipboard_ != nullptr && editor_.Selected() != nullptr; }

bool EditFeatures::CanCut() const { return clipboard_ != nullptr && CanCutBranch(editor_); }

void EditFeatures::Copy() {
  if (!CanCopy()) return;
  const std::optional<std::string> text = CopyBranchText(editor_);
  if (text) clipboard_->WriteText(*text);
}

// The branch goes only once the clipboard holds it: a clipboard that cannot
// be had loses nothing.
void EditFeatures::Cut() {
  if (!CanCut()) return;
  const std::optional<std::string> text = CopyBranchText(editor_);
  if (!text) return;
  clipboard_->WriteText(*text);
  CutBranch(editor_);
}

bool EditFeatures::CanPaste() const { return clipboard_ != nullptr && CanPasteBranch(editor_); }

// A refusal is the author's to read and act on, not a failure of the
// program: a plain message rather than the error report.
void EditFeatures::Paste(MessageBoxPort& messages, const std::string& caption) {
  if (!CanPaste()) return;
  try {
    const std::optional<std::string> text = clipboard_->ReadText();
    std::size_t droppedLinks = 0;
    PasteBranch(editor_, text ? *text : std::string(), &droppedLinks);
    // The branch is in; the author learns which of its links it could not
    // bring along.
    if (droppedLinks > 0) {
      messages.ShowMessage(std::string(kLinksLeftHead) + std::to_string(droppedLinks) + std::string(kLinksLeftTail),
                           caption, message_box::kOk | message_box::kIconInformation);
    }
  } catch (const VelmoraError& refusal) {
    messages.ShowMessage(refusal.what(), caption, message_box::kOk | message_box::kIconExclamation);
  }
}

void EditFeatures::ThenAlways(const std::function<void()>& action, const std::function<void()>& after) {
  try {
    action();
  } catch (...) {
    after();
    throw;
  }
  after();
}

// A replaced document comes first: New after saving the old one, or an
// open after the save question, is a fresh history and no save point.
void EditFeatures::FollowDocument() {
  if (editor_.Generation() != generation_) {
    generation_ = editor_.Generation();
    saves_ = editor_.Saves();
    history_.Clear(editor_);
    return;
  }
  if (editor_.Saves() == saves_) return;
  saves_ = editor_.Saves();
  history_.MarkSaved(editor_);
}

}  // namespace velmora
