// Stored node texts carry their kind as a two-byte marker; the editor and
// the run keep the kind beside the text instead.
#include "files/LoadedDocument.h"

namespace velmora {
namespace {

struct StoredKind {
  int kind;
  std::size_t markerSize;  // the bytes to take off the front of the text
};

StoredKind KindOfStoredText(std::string_view text, bool hasAnswers) {
  // Comment-like lines (a legacy trailer that was not recognised) keep
  // every byte and the kind every new node has.
  if (!text.empty() && text.front() == ';') return {Question, 0};
  const int kind = KindOfMarker(text);
  if (kind >= 0) return {kind, 2};
  return {hasAnswers ? Question : Information, 0};
}

}  // namespace

void RestoreKinds(DecisionTree& tree) {
  tree.ForEachPreOrder([](TreeNode& node) {
    const StoredKind stored = KindOfStoredText(node.Text(), node.HasChildren());
    node.kind = stored.kind;
    node.RemoveTextPrefix(stored.markerSize);
  });
}

void RestoreKinds(StepList& steps) {
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    const StoredKind stored = KindOfStoredText(steps[i].text, steps.HasAnswers(i));
    steps[i].kind = stored.kind;
    steps[i].text.remove_prefix(stored.markerSize);
  }
}

}  // namespace velmora
