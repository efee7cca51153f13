// The stored form of a document, shared by tree files and generated
// executables. One walk over the tree writes it, either into a string sized
// beforehand or in chunks into a file as they fill.
#include <string>

#include "document/BranchRecord.h"
#include "files/FieldSection.h"
#include "files/SinkBuffer.h"
#include "files/TrailingLines.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Appends to a string whose capacity the caller has set.
class StringOutput {
 public:
  explicit StringOutput(std::string& text) : text_(text) {}
  void Tabs(std::size_t count) { text_.append(count, '\t'); }
  void Add(std::string_view bytes) { text_ += bytes; }
  void EndLine() { text_ += kLineEnd; }

 private:
  std::string& text_;
};

// Writes into a buffer that goes to the sink whenever it fills: few,
// large writes, and never more than the buffer held.
class ChunkedOutput {
 public:
  explicit ChunkedOutput(ByteSink& sink) : out_(sink) {}
  void Tabs(std::size_t count) {
    static constexpr std::string_view kTabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
    for (; count > kTabs.size(); count -= kTabs.size()) out_ += kTabs;
    out_ += kTabs.substr(0, count);
  }
  void Add(std::string_view bytes) { out_ += bytes; }
  void EndLine() { out_ += kLineEnd; }
  void Flush() { out_.Flush(); }

 private:
  SinkBuffer out_;
};

// One node's line, `level` TABs deep: every field of the node the stored
// form keeps (NodeFields.h). The markers are added only to the output, so
// the texts the editor shows never change by saving.
template <typename Output>
void EmitNodeLine(Output& output, std::size_t level, int kind, std::string_view text) {
  output.Tabs(level);
  output.Add(KindMarker(kind));
  output.Add(text);
  output.EndLine();
}

std::size_t NodeLineSize(std::size_t level, int kind, std::string_view text) {
  return level + KindMarker(kind).size() + text.size() + kLineEnd.size();
}

// Calls `visit(level, kind, text)` for every node in pre-order, from a tree
// or from a list of steps: the stored form is the same for both.
template <typename Visit>
void ForEachNodeLine(const DecisionTree& tree, Visit visit) {
  tree.ForEachPreOrder(
      [&visit](const TreeNode& node) { visit(static_cast<std::size_t>(node.Level()), node.kind, node.Text()); });
}

template <typename Visit>
void ForEachNodeLine(const StepProcedure& procedure, Visit visit) {
  const StepList& steps = procedure.steps;
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    visit(static_cast<std::size_t>(steps[i].level), steps[i].kind, steps[i].text);
  }
}

// The declared fields' section, empty where no node carries one.
FieldRefs FieldRefsOfProcedure(const DecisionTree& tree) { return FieldRefsOf(tree); }
FieldRefs FieldRefsOfProcedure(const StepProcedure& procedure) { return FieldRefsOf(procedure.fields); }

template <typename Output>
void AddOptionLine(Output& output, std::string_view key, std::string_view value) {
  output.Add(key);
  output.Add(value);
  output.EndLine();
}

template <typename Output, typename Procedure>
void Emit(Output& output, const Procedure& procedure, const DocumentState& state) {
  ForEachNodeLine(procedure, [&output](std::size_t level, int kind, std::string_view text) {
    EmitNodeLine(output, level, kind, text);
  });
  AddOptionLine(output, "[OPTION]", "");
  AddOptionLine(output, "NewLine=", state.NewLineMark);
  AddOptionLine(output, "Title=", state.Title);
  AddOptionLine(output, "Color=", std::to_string(state.Color));
  if (!state.RecordFolder.empty()) AddOptionLine(output, kRecordFolderKey, state.RecordFolder);
  ForEachFieldSectionPiece(FieldRefsOfProcedure(procedure), [&output](std::string_view piece) { output.Add(piece); });
}

template <typename Procedure>
std::size_t TextSizeOf(const Procedure& procedure, const DocumentState& state) {
  std::size_t size = 0;
  ForEachNodeLine(procedure,
                  [&size](std::size_t level, int kind, std::string_view text) { size += NodeLineSize(level, kind, text); });
  const std::size_t keys = std::string_view("[OPTION]NewLine=Title=Color=").size() + 4 * kLineEnd.size();
  const std::size_t recordFolder =
      state.RecordFolder.empty() ? 0 : kRecordFolderKey.size() + state.RecordFolder.size() + kLineEnd.size();
  return size + keys + state.NewLineMark.size() + state.Title.size() + std::to_string(state.Color).size() +
         recordFolder + FieldSectionSize(FieldRefsOfProcedure(procedure));
}

template <typename Procedure>
void WriteText(ByteSink& sink, const Procedure& procedure, const DocumentState& state) {
  ChunkedOutput output(sink);
  Emit(output, procedure, state);
  output.Flush();
}

}  // namespace

std::size_t TreeTextSize(const DecisionTree& tree, const DocumentState& state) { return TextSizeOf(tree, state); }
std::size_t TreeTextSize(const StepProcedure& steps, const DocumentState& state) { return TextSizeOf(steps, state); }

void AppendTreeText(std::string& text, const DecisionTree& tree, const DocumentState& state) {
  StringOutput output(text);
  Emit(output, tree, state);
}

void AppendTreeText(std::string& text, const StepProcedure& steps, const DocumentState& state) {
  StringOutput output(text);
  Emit(output, steps, state);
}

std::string BuildTreeText(const DecisionTree& tree, const DocumentState& state) {
  std::string text;
  text.reserve(TreeTextSize(tree, state));
  AppendTreeText(text, tree, state);
  return text;
}

void WriteTreeText(ByteSink& sink, const DecisionTree& tree, const DocumentState& state) { WriteText(sink, tree, state); }
void WriteTreeText(ByteSink& sink, const StepProcedure& steps, const DocumentState& state) { WriteText(sink, steps, state); }

std::string BranchLines(const DecisionTree& tree, const TreeNode& top) {
  std::string text;
  StringOutput output(text);
  for (const TreeNode* node = &top; node != nullptr; node = NextInBranch(tree, &top, node)) {
    EmitNodeLine(output, static_cast<std::size_t>(node->Level() - top.Level()), node->kind, node->Text());
  }
  return text;
}

}  // namespace velmora
