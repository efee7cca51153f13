// The stored form of a document, shared by tree files and generated
// executables. One walk over the tree writes it, either into a string sized
// beforehand or in chunks into a file as they fill.
#include <string>

#include "document/BranchRecord.h"
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

// Collects whole lines into a chunk and hands each full chunk to the sink:
// few, large writes, and never more than a chunk (or one long line) held.
class ChunkedOutput {
 public:
  explicit ChunkedOutput(ByteSink& sink) : sink_(sink) { chunk_.reserve(kChunkBytes + 256); }
  void Tabs(std::size_t count) { chunk_.append(count, '\t'); }
  void Add(std::string_view bytes) { chunk_ += bytes; }
  void EndLine() {
    chunk_ += kLineEnd;
    if (chunk_.size() >= kChunkBytes) Flush();
  }
  void Flush() {
    if (chunk_.empty()) return;
    sink_.Write(chunk_);
    chunk_.clear();
  }

 private:
  static constexpr std::size_t kChunkBytes = 256 * 1024;
  ByteSink& sink_;
  std::string chunk_;
};

// One node's line, `level` TABs deep: every field of the node the stored
// form keeps (NodeFields.h). The markers are added only to the output, so
// the texts the editor shows never change by saving.
template <typename Output>
void EmitNodeLine(Output& output, const TreeNode& node, std::size_t level) {
  output.Tabs(level);
  output.Add(KindMarker(node.kind));
  output.Add(node.Text());
  output.EndLine();
}

std::size_t NodeLineSize(const TreeNode& node, std::size_t level) {
  return level + KindMarker(node.kind).size() + node.Text().size() + kLineEnd.size();
}

template <typename Output>
void AddOptionLine(Output& output, std::string_view key, std::string_view value) {
  output.Add(key);
  output.Add(value);
  output.EndLine();
}

template <typename Output>
void Emit(Output& output, const DecisionTree& tree, const DocumentState& state) {
  tree.ForEachPreOrder(
      [&output](const TreeNode& node) { EmitNodeLine(output, node, static_cast<std::size_t>(node.Level())); });
  AddOptionLine(output, "[OPTION]", "");
  AddOptionLine(output, "NewLine=", state.NewLineMark);
  AddOptionLine(output, "Title=", state.Title);
  AddOptionLine(output, "Color=", std::to_string(state.Color));
}

}  // namespace

std::size_t TreeTextSize(const DecisionTree& tree, const DocumentState& state) {
  std::size_t size = 0;
  tree.ForEachPreOrder(
      [&size](const TreeNode& node) { size += NodeLineSize(node, static_cast<std::size_t>(node.Level())); });
  const std::size_t keys = std::string_view("[OPTION]NewLine=Title=Color=").size() + 4 * kLineEnd.size();
  return size + keys + state.NewLineMark.size() + state.Title.size() + std::to_string(state.Color).size();
}

void AppendTreeText(std::string& text, const DecisionTree& tree, const DocumentState& state) {
  StringOutput output(text);
  Emit(output, tree, state);
}

std::string BuildTreeText(const DecisionTree& tree, const DocumentState& state) {
  std::string text;
  text.reserve(TreeTextSize(tree, state));
  AppendTreeText(text, tree, state);
  return text;
}

void WriteTreeText(ByteSink& sink, const DecisionTree& tree, const DocumentState& state) {
  ChunkedOutput output(sink);
  Emit(output, tree, state);
  output.Flush();
}

std::string BranchLines(const DecisionTree& tree, const TreeNode& top) {
  std::string text;
  StringOutput output(text);
  for (const TreeNode* node = &top; node != nullptr; node = NextInBranch(tree, &top, node)) {
    EmitNodeLine(output, *node, static_cast<std::size_t>(node->Level() - top.Level()));
  }
  return text;
}

}  // namespace velmora
