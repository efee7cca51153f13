// The stored form of a document, shared by tree files and generated
// executables.
#include <string>

#include "files/TreeFile.h"

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::size_t TreeTextSize(const DecisionTree& tree) {
  std::size_t size = 0;
  tree.ForEachPreOrder([&size](const TreeNode& node) {
    size += static_cast<std::size_t>(node.Level()) + KindMarker(node.kind).size() + node.text.size() + kLineEnd.size();
  });
  return size;
}

void AppendOptionLine(std::string& text, std::string_view key, std::string_view value) {
  text += key;
  text += value;
  text += kLineEnd;
}

}  // namespace

std::string BuildTreeText(const DecisionTree& tree, const DocumentState& state) {
  std::string text;
  text.reserve(TreeTextSize(tree) + 64 + state.NewLineMark.size() + state.Title.size());
  // The markers are added only to the output, so the texts the editor shows
  // never change by saving.
  tree.ForEachPreOrder([&text](const TreeNode& node) {
    text.append(static_cast<std::size_t>(node.Level()), '\t');
    text += KindMarker(node.kind);
    text += node.text;
    text += kLineEnd;
  });
  AppendOptionLine(text, "[OPTION]", "");
  AppendOptionLine(text, "NewLine=", state.NewLineMark);
  AppendOptionLine(text, "Title=", state.Title);
  AppendOptionLine(text, "Color=", std::to_string(state.Color));
  return text;
}

}  // namespace velmora
