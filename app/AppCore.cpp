// The application core: the entries the window calls, the start-up, the
// close sequence and the view. The command table and its actions are in
// CommandTable.cpp.
#include "app/AppCore.h"

#include <new>
#include <utility>

#include "app/CloseSequence.h"
#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "document/EditCommands.h"
#include "document/Errors.h"
#include "document/FlagScope.h"
#include "files/DocumentCommands.h"

namespace velmora {
namespace {

// "予期しないエラーが発生しました" (an unexpected error occurred): the report
// for a failure that carries no text of its own.
constexpr const char* kUnexpectedError =
    "\x97\x5c\x8a\xfa\x82\xb5\x82\xc8\x82\xa2\x83\x47\x83\x89\x81\x5b\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5"
    "\x82\xbd";
// "メモリが不足しています" (out of memory).
constexpr const char* kOutOfMemory =
    "\x83\x81\x83\x82\x83\x8a\x82\xaa\x95\x73\x91\xab\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7";

// The undo steps of the entries that are no commands: "タイトル" and "色".
constexpr std::string_view kTitleStep = "\x83\x5e\x83\x43\x83\x67\x83\x8b";
constexpr std::string_view kColourStep = "\x90\x46";

}  // namespace

CommandView View::Command(int id) const {
  for (const CommandView& command : commands) {
    if (command.id == id) return command;
  }
  return CommandView{id, true, false, false};
}

AppCore::AppCore(const AppPorts& ports, AppFacts facts)
    : ports_(ports),
      facts_(std::move(facts)),
      recentFiles_(ports.collation),
      settings_(facts_.settingsProgram, ports.files),
      caption_(facts_.program.productTitle) {}

void AppCore::Start(bool taskbarProgress) {
  caption_ = ProductTitle();
  MainWindowState state = WindowState();
  Guarded([&] { settings_.Load(state, ports_.dialogs, caption_); });
  // The command states are those New leaves: the starting tree has three
  // nodes, so Generate is available from the start.
  Guarded([this] { New(); });
  taskbarProgress_ = taskbarProgress;
}

bool AppCore::Run(int id) {
  const Command* command = Find(id);
  if (command == nullptr || !IsEnabled(id)) return false;
  Guarded([this, command] { edits_.Run(command->stepName, [this, command] { (this->*(command->action))(); }); });
  AfterChange();
  return true;
}

bool AppCore::IsEnabled(int id) const {
  const Command* command = Find(id);
  return command != nullptr && (command->enabled == nullptr || (this->*(command->enabled))());
}

void AppCore::Select(TreeNode* node) {
  Guarded([this, node] {
    if (node != nullptr) editor_.Select(node);
  });
}

void AppCore::TypeTitle(const std::string& title) {
  Guarded([&] { edits_.Run(kTitleStep, [&] { LabeledEdit1Change(editor_, title); }, EditHistory::Typing::Yes); });
  AfterChange();
}

void AppCore::ChooseColour(int colour) {
  Guarded([&] { edits_.Run(kColourStep, [&] { ChooseProgressColour(editor_, colour); }); });
  AfterChange();
}

bool AppCore::KeyInTree(int key) {
  if (key == kEnterKey && links_.CanGoToTarget()) {
    Run(IDM_GOTOLINK);
    return false;
  }
  bool passes = true;
  // Enter opens the node editor, whose OK is a step.
  Guarded([&] {
    edits_.Run(Find(IDM_EDIT1)->stepName, [&] { passes = TreeView1KeyPress(editor_, ports_.dialogs, key); });
  });
  AfterChange();
  return passes;
}

void AppCore::OpenAsDroppedFile(const FilePath& path) {
  Guarded([&] {
    edits_.Follow([&] {
      DocumentCommands documents(editor_, Documents(), ProductTitle(), caption_);
      documents.Open(path);
    });
  });
  AfterChange();
}

void AppCore::OpenHandedOverFile(const FilePath& path) {
  Guarded([&] {
    edits_.Follow([&] { DocumentCommands(editor_, Documents(), ProductTitle(), caption_).ReadFile(path); });
  });
  AfterChange();
}

bool AppCore::CloseQuery() {
  // A second request while the first one's questions are up (the system's
  // end-of-session query, say) waits for the answers to the first.
  if (closeQueryRunning_) return false;
  const FlagScope running(closeQueryRunning_);
  bool allowed = false;
  Guarded([&] {
    MainWindowState state = WindowState();
    const CloseSequence close{state, settings_, ports_.dialogs, [this] { return caption_; },
                              [this] { return SaveAsAndTell(); }};
    allowed = FormCloseQuery(close);
  });
  // A save at the question is a save point, should the window stay.
  Guarded([this] { edits_.AfterSave(); });
  // A normal end leaves no recovery copy.
  if (allowed) Guarded([this] { recovery_.Discard(); });
  return allowed;
}

void AppCore::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const VelmoraError& error) {
    ReportError(error.what());
  } catch (const std::bad_alloc&) {
    ReportError(kOutOfMemory);
  } catch (const std::exception& error) {
    ReportError(*error.what() != '\0' ? std::string(error.what()) : std::string(kUnexpectedError));
  } catch (...) {
    ReportError(kUnexpectedError);
  }
}

void AppCore::ReportError(const std::string& cp932Message) {
  ports_.dialogs.ShowMessage(GeneralErrorReportText(cp932Message), ProductTitle(),
                             message_box::kOk | message_box::kIconStop);
}

void AppCore::ReportUnexpectedError() { ReportError(kUnexpectedError); }

View AppCore::CurrentView() const {
  View view;
  // "*" before the file name while there are unsaved changes, as Windows
  // editors show it; undo back to the saved state takes it away again.
  view.caption = editor_.State().Modified ? "*" + caption_ : caption_;
  view.commands.reserve(Table().size());
  for (const Command& command : Table()) {
    const bool checkable = command.checked != nullptr;
    view.commands.push_back(
        CommandView{command.id, IsEnabled(command.id), checkable && (this->*(command.checked))(), checkable});
  }
  view.title = editor_.State().Title;
  view.colour = editor_.State().Color;
  view.colourButtonsEnabled = taskbarProgress_;
  view.treeButtons = editor_.Settings().ShowButtons;
  for (int n = 1; n <= HistorySize; ++n) {
    view.recentFiles[static_cast<std::size_t>(n - 1)] = recentFiles_.Caption(n, ports_.files);
  }
  view.tree = &editor_.Tree();
  view.selection = editor_.Selected();
  view.treeRevision = editor_.TreeRevision();
  view.generation = editor_.Generation();
  view.requests = requests_;
  view.undoCaption = edits_.UndoCaption();
  view.redoCaption = edits_.RedoCaption();
  view.searchText = finder_.Text();
  view.searchStatus = finder_.Status();
  check_.Refresh(editor_.Tree(), editor_.State(), editor_.TreeRevision());
  view.checkReport = check_.Report();
  view.checkRevision = check_.Revision();
  comparison_.Refresh(editor_.Tree(), editor_.State(), editor_.TreeRevision());
  view.comparisonReport = comparison_.Report();
  view.comparisonRevision = comparison_.Revision();
  view.runStatisticsReport = runStatistics_.Report();
  view.runStatisticsRevision = runStatistics_.Revision();
  return view;
}

// A window that misses a few renders still finds every request it has not
// carried out among the latest ones; older ones are dropped.
void AppCore::Request(ViewRequest request) {
  constexpr std::size_t kKept = 16;
  if (requests_.size() == kKept) requests_.erase(requests_.begin());
  requests_.push_back(NumberedRequest{++requestNumber_, request});
}

// ---------------------------------------------------------------------------
// Find and the recovery copy

std::string AppCore::TipOf(const TreeNode& node) const {
  std::string tip;
  editor_.Tree().LaterOf(node).ForEach([&](FieldIndex field, std::string_view value) {
    if (!tip.empty()) tip += "\r\n";
    tip += std::string(DeclaredFields()[field].label) + ": " +
           ExpandNewLines(ShownValue(field, value), editor_.State().NewLineMark);
  });
  return tip;
}

void AppCore::SetSearchText(const std::string& text) {
  if (text != finder_.Text()) finder_.SetText(text);
}

void AppCore::RecoveryTick() {
  Guarded([this] { recovery_.Tick(editor_); });
}

bool AppCore::OfferRecovery() {
  bool restored = false;
  Guarded([this, &restored] { restored = recovery_.Offer(editor_, ports_.dialogs, ProductTitle(), caption_); });
  return restored;
}

void AppCore::AfterChange() {
  recovery_.Changed(editor_.Revision());
  Guarded([this] { recovery_.Follow(editor_); });
}

DocumentPorts AppCore::Documents() {
  return DocumentPorts{ports_.files, ports_.dialogs, ports_.dialogs, recentFiles_, &ports_.shell};
}

DesktopPorts AppCore::Desktop() {
  return DesktopPorts{ports_.dialogs, ports_.shell, ports_.shell, ports_.shell, ports_.dialogs};
}

MainWindowState AppCore::WindowState() { return MainWindowState{editor_, recentFiles_, ports_.placement}; }

}  // namespace velmora
