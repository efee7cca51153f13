// Stored node texts carry their kind as a two-byte marker; the editor keeps
// the kind beside the text instead.
#include "files/LoadedDocument.h"

namespace velmora {

void RestoreKinds(DecisionTree& tree) {
  tree.ForEachPreOrder([](TreeNode& node) {
    // Comment-like lines (a legacy trailer that was not recognised) keep
    // every byte and the kind every new node has.
    const std::string_view text = node.Text();
    if (!text.empty() && text.front() == ';') {
      node.kind = Question;
      return;
    }
    const int kind = KindOfMarker(text);
    if (kind >= 0) {
      node.kind = kind;
      node.RemoveTextPrefix(2);
    } else {
      node.kind = node.HasChildren() ? Question : Information;
    }
  });
}

}  // namespace velmora
