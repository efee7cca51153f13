#include "app/EditFeatures.h"

#include <optional>

#include "app/CommandIds.h"
#include "document/Errors.h"
#include "files/BranchText.h"

namespace velmora {
namespace {

// What a command of the table means to the history.
enum class Role : unsigned char {
  None,      // no change to the document (or one the history makes itself)
  Step,      // one step of its kind
  New,       // a fresh history, unless the author cancelled
  Document,  // an open (a fresh history) or a save (the save point)
};

struct CommandRole {
  int id;
  Role role;
  EditStep step;  // the kind of a Step; unused otherwise
};

constexpr CommandRole kRoles[] = {
    {IDM_NEW1, Role::New, EditStep::Title},
    {IDM_READ1, Role::Document, EditStep::Title},
    {IDM_SAVE1, Role::Document, EditStep::Title},
    {IDM_SAVEAS1, Role::Document, EditStep::Title},
    {IDM_EDIT1, Role::Step, EditStep::NodeText},
    {IDM_ADDYES1, Role::Step, EditStep::AddAnswer},
    {IDM_ADDNO1, Role::Step, EditStep::AddAnswer},
    {IDM_EXCHANGE1, Role::Step, EditStep::Exchange},
    {IDM_QUESTION1, Role::Step, EditStep::Kind},
    {IDM_INFORMATION1, Role::Step, EditStep::Kind},
    {IDM_EXCLAIMATION1, Role::Step, EditStep::Kind},
    {IDM_INHIBIT1, Role::Step, EditStep::Kind},
    {IDM_YESDEFAULT1, Role::Step, EditStep::DefaultAnswer},
    {IDM_NODEFAULT1, Role::Step, EditStep::DefaultAnswer},
    {IDM_DELETE1, Role::Step, EditStep::Delete},
    {IDM_NEWLINE1, Role::Step, EditStep::NewLineMark},
    {IDM_CUT, Role::Step, EditStep::Cut},
    {IDM_PASTE, Role::Step, EditStep::Paste},
};

CommandRole RoleOf(int id) {
  // The recent files are opens.
  if (id >= IDM_HISTORY1 && id <= IDM_HISTORY9) return {id, Role::Document, EditStep::Title};
  for (const CommandRole& role : kRoles) {
    if (role.id == id) return role;
  }
  return {id, Role::None, EditStep::Title};
}

}  // namespace

EditFeatures::EditFeatures(Editor& editor, ClipboardPort* clipboard) : editor_(editor), clipboard_(clipboard) {}

void EditFeatures::Run(int id, const std::function<void()>& action) {
  FollowDocument();
  history_.Pause();
  const CommandRole role = RoleOf(id);
  switch (role.role) {
    case Role::None:
      action();
      return;
    case Role::Step:
      history_.Record(editor_, role.step, action);
      return;
    case Role::New:
      // New goes on unless the author cancelled at its save question, which
      // leaves the changes, and so Modified, in place.
      ThenAlways(action, [this] {
        if (!editor_.State().Modified) Clear();
      });
      return;
    case Role::Document:
      ThenAlways(action, [this] { AfterSave(); });
      return;
  }
}

void EditFeatures::Record(EditStep kind, const std::function<void()>& action) {
  FollowDocument();
  if (kind != EditStep::Title) history_.Pause();
  history_.Record(editor_, kind, action);
}

void EditFeatures::Open(const std::function<void()>& action) {
  history_.Pause();
  ThenAlways(action, [this] { FollowDocument(); });
}

// An open brings a new tree (FollowDocument clears). Otherwise a document
// that is no longer Modified was saved (Save, Save As, or the save at the
// question of Read): the save point is here. An unmodified document is at
// its save point already, so marking it again changes nothing.
void EditFeatures::AfterSave() {
  FollowDocument();
  if (!editor_.State().Modified) history_.MarkSaved();
}

void EditFeatures::Undo() {
  FollowDocument();
  history_.Undo(editor_);
}

void EditFeatures::Redo() {
  FollowDocument();
  history_.Redo(editor_);
}

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
    PasteBranch(editor_, text ? *text : std::string());
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

void EditFeatures::FollowDocument() {
  if (editor_.Tree().Root() != root_) Clear();
}

void EditFeatures::Clear() {
  history_.Clear(editor_);
  root_ = editor_.Tree().Root();
}

}  // namespace velmora
