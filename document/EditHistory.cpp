#include "document/EditHistory.h"

#include <utility>

namespace velmora {
namespace {

// "元に戻す(&U)" and "やり直し(&R)"
constexpr std::string_view kUndoMenuText = "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U)";
constexpr std::string_view kRedoMenuText = "\x82\xe2\x82\xe8\x92\xbc\x82\xb5(&R)";

std::string MenuText(std::string_view item, std::string_view stepName) {
  std::string text(item);
  if (!stepName.empty()) text.append(": ").append(stepName);
  return text;
}

// Whether a typing step's edits (the title as it was before the first
// keystroke) would change nothing now: the author typed back to where the
// step began.
bool CameBack(const std::vector<DocumentEdit>& edits, const Editor& editor) {
  for (const DocumentEdit& edit : edits) {
    if (edit.kind != EditKind::SetTitle || edit.bytes != editor.State().Title) return false;
  }
  return true;
}

}  // namespace

void EditHistory::Keep(std::string_view name, std::vector<DocumentEdit> inverses, Typing typing) {
  if (inverses.empty()) return;
  // Typing goes on: the open step keeps the title from before its first
  // keystroke, which is all its undo needs.
  if (typing == Typing::Yes && typingOpen_ && CanUndo() && !CanRedo() && steps_.back().typing) return;
  Push(Step{std::string(name), std::move(inverses), typing == Typing::Yes});
  typingOpen_ = typing == Typing::Yes;
}

void EditHistory::Push(Step step) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  // The saved document was among the steps just dropped: no undo or redo
  // can reach it any more.
  if (savedAt_ != kNoSavePoint && savedAt_ > position_) savedAt_ = kNoSavePoint;
  steps_.push_back(std::move(step));
  ++position_;
  if (steps_.size() <= kMaxSteps) return;
  steps_.pop_front();
  --position_;
  savedAt_ = (savedAt_ == 0 || savedAt_ == kNoSavePoint) ? kNoSavePoint : savedAt_ - 1;
}

TreeNode* EditHistory::Undo(Editor& editor) {
  Pause(editor);
  if (!CanUndo()) return editor.Selected();
  --position_;
  return Move(editor, steps_[position_]);
}

TreeNode* EditHistory::Redo(Editor& editor) {
  Pause(editor);
  if (!CanRedo()) return editor.Selected();
  ++position_;
  return Move(editor, steps_[position_ - 1]);
}

// Applies the step's edits from the last to the first; their inverses,
// gathered in that order, are the step's way back again.
TreeNode* EditHistory::Move(Editor& editor, Step& step) {
  // Undo runs as a command, whose own recording must not take these edits
  // for a new step.
  const Editor::Recording ownEdits(editor);
  std::vector<DocumentEdit> back;
  back.reserve(step.edits.size());
  TreeNode* touched = nullptr;
  for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) {
    AppliedEdit applied = editor.Apply(*edit);
    if (applied.touched != nullptr || edit->ChangesTree()) touched = applied.touched;
    back.push_back(std::move(applied.inverse));
  }
  step.edits = std::move(back);
  // Selecting also brings the answer marks and the structure commands up
  // to the changed tree.
  editor.Select(touched != nullptr ? touched : editor.Selected());
  if (position_ == savedAt_) editor.State().Modified = false;
  return editor.Selected();
}

void EditHistory::Pause(const Editor& editor) {
  if (typingOpen_ && CanUndo() && !CanRedo() && steps_.back().typing && CameBack(steps_.back().edits, editor)) {
    steps_.pop_back();
    --position_;
    if (savedAt_ != kNoSavePoint && savedAt_ > position_) savedAt_ = kNoSavePoint;
  }
  typingOpen_ = false;
}

void EditHistory::MarkSaved(const Editor& editor) {
  Pause(editor);
  savedAt_ = position_;
}

void EditHistory::Clear(const Editor& editor) {
  steps_.clear();
  position_ = 0;
  savedAt_ = editor.State().Modified ? kNoSavePoint : 0;
  typingOpen_ = false;
}

std::size_t EditHistory::StoredBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Step& step : steps_) {
    bytes += sizeof(Step) + step.name.capacity();
    for (const DocumentEdit& edit : step.edits) bytes += edit.StoredBytes();
  }
  return bytes;
}

std::string UndoMenuText(const EditHistory& history) { return MenuText(kUndoMenuText, history.UndoName()); }
std::string RedoMenuText(const EditHistory& history) { return MenuText(kRedoMenuText, history.RedoName()); }

}  // namespace velmora
