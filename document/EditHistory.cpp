#include "document/EditHistory.h"

#include <iterator>
#include <utility>

namespace velmora {
namespace {

// The names of the steps, as the menu items of their commands say them.
// "答えを追加"
constexpr std::string_view kAddAnswerName = "\x93\x9a\x82\xa6\x82\xf0\x92\xc7\x89\xc1";
// "貼り付け"
constexpr std::string_view kPasteName = "\x93\x5c\x82\xe8\x95\x74\x82\xaf";
// "削除"
constexpr std::string_view kDeleteName = "\x8d\xed\x8f\x9c";
// "切り取り"
constexpr std::string_view kCutName = "\x90\xd8\x82\xe8\x8e\xe6\x82\xe8";
// "入れ替え"
constexpr std::string_view kExchangeName = "\x93\xfc\x82\xea\x91\xd6\x82\xa6";
// "文字列を編集"
constexpr std::string_view kNodeTextName = "\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x95\xd2\x8f\x57";
// "確認ダイアログで表示", "通知ダイアログで表示", "強調ダイアログで表示", "禁止ダイアログで表示"
constexpr std::string_view kKindNames[KindCount] = {
    "\x8a\x6d\x94\x46\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6",
    "\x92\xca\x92\x6d\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6",
    "\x8b\xad\x92\xb2\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6",
    "\x8b\xd6\x8e\x7e\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6",
};
// "［はい］を初期設定"
constexpr std::string_view kYesDefaultName = "\x81\x6d\x82\xcd\x82\xa2\x81\x6e\x82\xf0\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";
// "［いいえ］を初期設定"
constexpr std::string_view kNoDefaultName =
    "\x81\x6d\x82\xa2\x82\xa2\x82\xa6\x81\x6e\x82\xf0\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";
// "改行文字を指定"
constexpr std::string_view kNewLineMarkName = "\x89\xfc\x8d\x73\x95\xb6\x8e\x9a\x82\xf0\x8e\x77\x92\xe8";
// "色"
constexpr std::string_view kColourName = "\x90\x46";
// "タイトル"
constexpr std::string_view kTitleName = "\x83\x5e\x83\x43\x83\x67\x83\x8b";
// "元に戻す(&U)" and "やり直し(&R)"
constexpr std::string_view kUndoMenuText = "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U)";
constexpr std::string_view kRedoMenuText = "\x82\xe2\x82\xe8\x92\xbc\x82\xb5(&R)";

// A kind step is named after the kind it gave, a default step after the
// answer it made the default.
std::string_view NameOf(EditStep kind, int afterValue, std::string_view afterText) {
  switch (kind) {
    case EditStep::AddAnswer: return kAddAnswerName;
    case EditStep::Paste: return kPasteName;
    case EditStep::Delete: return kDeleteName;
    case EditStep::Cut: return kCutName;
    case EditStep::Exchange: return kExchangeName;
    case EditStep::NodeText: return kNodeTextName;
    case EditStep::Kind:
      return kKindNames[afterValue >= 0 && afterValue < KindCount ? static_cast<std::size_t>(afterValue) : 0];
    case EditStep::DefaultAnswer:
      return DefaultSuffixOf(afterText) == DefaultSuffix::No ? kNoDefaultName : kYesDefaultName;
    case EditStep::NewLineMark: return kNewLineMarkName;
    case EditStep::Colour: return kColourName;
    case EditStep::Title: return kTitleName;
  }
  return {};
}

// Adds the packed branch back at `path` and returns its top node.
TreeNode* PutBranch(Editor& editor, const NodePath& path, std::string_view packed) {
  TreeNode* parent = NodeAt(editor.Tree(), NodePath(path.begin(), std::prev(path.end())));
  if (parent == nullptr) return nullptr;
  TreeNode* top = UnpackBranch(editor.Tree(), parent, packed);
  MoveLastChildTo(editor.Tree(), top, path.back());
  // The restored branch is selected, so it must be visible.
  for (TreeNode* above = parent; above != nullptr; above = above->Parent()) above->expanded = true;
  return top;
}

// Removes the branch at `path` and returns its parent. The editor's own
// delete moves a selection inside the branch out of it.
TreeNode* TakeBranch(Editor& editor, const NodePath& path) {
  TreeNode* node = NodeAt(editor.Tree(), path);
  if (node == nullptr || node->Parent() == nullptr) return nullptr;
  TreeNode* parent = node->Parent();
  editor.DeleteNode(node);
  return parent;
}

// Exchange moves the first answer behind the others; taking that back moves
// each of the others behind it in turn, so any number of answers returns to
// its order.
TreeNode* RotateAnswers(Editor& editor, const NodePath& path, bool forward) {
  TreeNode* node = NodeAt(editor.Tree(), path);
  if (node == nullptr || !node->HasChildren()) return node;
  const std::size_t moves = forward ? 1 : node->ChildCount() - 1;
  for (std::size_t moved = 0; moved < moves; ++moved) editor.Tree().MoveToEnd(node->FirstChild());
  return node;
}

// What the reversed or repeated command does to Modified and the save
// commands (see EditCommands.h and ChooseProgressColour).
void RepeatCommandEffect(Editor& editor, EditStep kind) {
  if (kind == EditStep::Colour && editor.State().CurrentFileName.Empty()) return;
  editor.MarkModified();
  if (kind == EditStep::NodeText || kind == EditStep::Colour) editor.Commands().SaveAs = true;
}

std::string MenuText(std::string_view item, std::string_view stepName) {
  std::string text(item);
  if (!stepName.empty()) text.append(": ").append(stepName);
  return text;
}

}  // namespace

std::string_view EditHistory::UndoName() const {
  if (!CanUndo()) return {};
  const Step& step = steps_[position_ - 1];
  return NameOf(step.kind, step.afterValue, step.after);
}

std::string_view EditHistory::RedoName() const {
  if (!CanRedo()) return {};
  const Step& step = steps_[position_];
  return NameOf(step.kind, step.afterValue, step.after);
}

EditHistory::Capture EditHistory::Begin(Editor& editor, EditStep kind) const {
  Capture capture;
  capture.kind = kind;
  const DocumentState& state = editor.State();
  switch (kind) {
    case EditStep::AddAnswer:
    case EditStep::Paste:
      capture.node = editor.CurrentNode;
      if (capture.node != nullptr) capture.answer = capture.node->LastChild();
      break;
    case EditStep::Delete:
    case EditStep::Cut:
      // Once the command has run, the branch is gone: it is packed now,
      // also when the author then answers No. A top-level node is never
      // removed, and packing the root would copy the whole tree.
      capture.node = editor.Selected();
      capture.count = editor.Tree().Count();
      if (capture.node != nullptr && capture.node->Level() != 0) {
        capture.path = PathOf(*capture.node);
        capture.text = PackBranch(editor.Tree(), *capture.node);
      }
      break;
    case EditStep::Exchange:
      capture.node = editor.Selected();
      if (capture.node != nullptr) capture.answer = capture.node->FirstChild();
      break;
    case EditStep::NodeText:
    case EditStep::Kind:
    case EditStep::DefaultAnswer:
      capture.node = kind == EditStep::DefaultAnswer ? editor.CurrentNode : editor.Selected();
      if (capture.node != nullptr) {
        capture.text = std::string(capture.node->Text());
        capture.value = capture.node->kind;
      }
      break;
    case EditStep::NewLineMark: capture.text = state.NewLineMark; break;
    case EditStep::Title: capture.text = state.Title; break;
    case EditStep::Colour: capture.value = state.Color; break;
  }
  return capture;
}

void EditHistory::End(Editor& editor, const Capture& capture) {
  const DocumentState& state = editor.State();
  TreeNode* node = capture.node;
  Step step;
  step.kind = capture.kind;
  step.before = capture.text;
  step.beforeValue = capture.value;
  switch (capture.kind) {
    case EditStep::AddAnswer:
    case EditStep::Paste: {
      TreeNode* added = node != nullptr ? node->LastChild() : nullptr;
      if (added == nullptr || added == capture.answer) return;
      step.path = PathOf(*added);
      step.before = PackBranch(editor.Tree(), *added);
      break;
    }
    case EditStep::Delete:
    case EditStep::Cut:
      if (editor.Tree().Count() >= capture.count) return;
      step.path = capture.path;
      break;
    case EditStep::Exchange:
      if (node == nullptr || node->FirstChild() == capture.answer) return;
      step.path = PathOf(*node);
      step.before.clear();
      break;
    case EditStep::NodeText:
    case EditStep::Kind:
    case EditStep::DefaultAnswer:
      if (node == nullptr || (node->Text() == capture.text && node->kind == capture.value)) return;
      step.path = PathOf(*node);
      step.after = std::string(node->Text());
      step.afterValue = node->kind;
      break;
    case EditStep::NewLineMark:
    case EditStep::Title: {
      const std::string& now = capture.kind == EditStep::Title ? state.Title : state.NewLineMark;
      if (now == capture.text) return;
      // Typing goes on: the open title step takes the newest text.
      if (capture.kind == EditStep::Title && titleOpen_ && CanUndo() && !CanRedo() &&
          steps_.back().kind == EditStep::Title) {
        steps_.back().after = now;
        return;
      }
      step.after = now;
      break;
    }
    case EditStep::Colour:
      if (state.Color == capture.value) return;
      step.afterValue = state.Color;
      break;
  }
  Push(std::move(step));
  titleOpen_ = capture.kind == EditStep::Title;
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
  Pause();
  if (!CanUndo()) return editor.Selected();
  --position_;
  return Move(editor, position_, false);
}

TreeNode* EditHistory::Redo(Editor& editor) {
  Pause();
  if (!CanRedo()) return editor.Selected();
  ++position_;
  return Move(editor, position_ - 1, true);
}

TreeNode* EditHistory::Move(Editor& editor, std::size_t index, bool forward) {
  const Step& step = steps_[index];
  TreeNode* node = Apply(editor, step, forward);
  // Selecting also brings the answer marks and the structure commands up
  // to the changed tree.
  editor.Select(node != nullptr ? node : editor.Selected());
  RepeatCommandEffect(editor, step.kind);
  if (position_ == savedAt_) {
    editor.State().Modified = false;
    editor.Commands().Save = false;
  }
  return editor.Selected();
}

TreeNode* EditHistory::Apply(Editor& editor, const Step& step, bool forward) const {
  DocumentState& state = editor.State();
  const std::string& text = forward ? step.after : step.before;
  const int value = forward ? step.afterValue : step.beforeValue;
  switch (step.kind) {
    case EditStep::AddAnswer:
    case EditStep::Paste:
      return forward ? PutBranch(editor, step.path, step.before) : TakeBranch(editor, step.path);
    case EditStep::Delete:
    case EditStep::Cut:
      return forward ? TakeBranch(editor, step.path) : PutBranch(editor, step.path, step.before);
    case EditStep::Exchange: return RotateAnswers(editor, step.path, forward);
    case EditStep::NodeText:
    case EditStep::Kind:
    case EditStep::DefaultAnswer: {
      TreeNode* node = NodeAt(editor.Tree(), step.path);
      if (node == nullptr) return nullptr;
      node->SetText(text);
      node->kind = value;
      return node;
    }
    case EditStep::NewLineMark: state.NewLineMark = text; break;
    case EditStep::Title: state.Title = text; break;
    case EditStep::Colour: state.Color = value; break;
  }
  return nullptr;
}

void EditHistory::Pause() {
  if (titleOpen_ && CanUndo() && !CanRedo() && steps_.back().kind == EditStep::Title &&
      steps_.back().before == steps_.back().after) {
    steps_.pop_back();
    --position_;
    if (savedAt_ != kNoSavePoint && savedAt_ > position_) savedAt_ = kNoSavePoint;
  }
  titleOpen_ = false;
}

void EditHistory::MarkSaved() {
  Pause();
  savedAt_ = position_;
}

void EditHistory::Clear(const Editor& editor) {
  steps_.clear();
  position_ = 0;
  savedAt_ = editor.State().Modified ? kNoSavePoint : 0;
  titleOpen_ = false;
}

std::size_t EditHistory::StoredBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Step& step : steps_) {
    bytes += sizeof(Step) + step.path.capacity() * sizeof(NodePath::value_type) + step.before.capacity() +
             step.after.capacity();
  }
  return bytes;
}

std::string UndoMenuText(const EditHistory& history) { return MenuText(kUndoMenuText, history.UndoName()); }
std::string RedoMenuText(const EditHistory& history) { return MenuText(kRedoMenuText, history.RedoName()); }

}  // namespace velmora
