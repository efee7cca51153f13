#include "distribution/TreeSteps.h"

#include <algorithm>

#include "distribution/PreviewRun.h"

namespace velmora {

TreeSteps StepsOfTree(const DecisionTree& tree) {
  TreeSteps result{StepList(tree.Count()), {}};
  result.nodes.reserve(tree.Count());
  static const FieldIndex outcome = *FieldNamed("outcome");
  static const FieldIndex picture = *FieldNamed("picture");
  static const FieldIndex alt = *FieldNamed("alt");
  tree.ForEachPreOrder([&](TreeNode& node) {
    result.steps.Add(node.Text(), node.Level(), node.kind);
    Step& step = result.steps[result.steps.Size() - 1];
    const LaterFields& later = tree.LaterOf(node);
    if (!node.HasChildren()) step.outcome = OutcomeOfValue(later.Get(outcome));
    step.picture = later.Get(picture);
    step.alt = later.Get(alt);
    result.nodes.push_back(&node);
  });
  return result;
}

void RunPreview(const DecisionTree& tree, const DocumentState& state, TreeNode* start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, const std::function<void(TreeNode* node)>& beforeStep,
                PathCopy pathCopy) {
  const TreeSteps run = StepsOfTree(tree);
  if (start == nullptr) start = tree.Root();
  const std::size_t first = static_cast<std::size_t>(std::find(run.nodes.begin(), run.nodes.end(), start) -
                                                     run.nodes.begin());
  RunPreview(run.steps, state, first, dialogs, taskbar, [&](std::size_t step) {
    if (beforeStep) beforeStep(run.nodes[step]);
  }, pathCopy);
}

}  // namespace velmora
