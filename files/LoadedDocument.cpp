#include "files/LoadedDocument.h"

#include <utility>

#include "files/FieldSection.h"
#include "files/TreeTextParser.h"

namespace velmora {

LoadedDocument DocumentOfSteps(LoadedSteps read) {
  LoadedDocument document{DecisionTree(), std::move(read.state), read.stoppedAtNulLine};
  const StepList& steps = read.steps;
  // The tree keeps a copy of the steps' bytes; a text's place in it stays
  // the same.
  const std::string_view source = read.bytes ? std::string_view(*read.bytes) : steps.Source();
  const std::string_view kept = document.tree.KeepSource(std::string(source));
  TreeNode* previous = nullptr;
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    const std::string_view text = kept.substr(static_cast<std::size_t>(steps[i].text.data() - source.data()),
                                              steps[i].text.size());
    previous = AddInPreOrder(document.tree, previous, static_cast<std::size_t>(steps[i].level), text, steps[i].kind);
  }
  ApplyFieldTable(document.tree, std::move(read.fields));
  return document;
}

}  // namespace velmora
