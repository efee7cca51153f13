#include "distribution/TreeSteps.h"

#include <algorithm>
#include <unordered_map>

#include "distribution/PreviewRun.h"
#include "document/NodeLinks.h"

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
  // Links name nodes; a run names steps, which are the nodes in pre-order.
  if (!tree.HasLaterFields()) return result;
  std::unordered_map<const TreeNode*, std::size_t> stepOf;
  for (std::size_t i = 0; i < result.nodes.size(); ++i) {
    const TreeNode* target = RunsOnTo(tree, *result.nodes[i]);
    if (target == nullptr) continue;
    if (stepOf.empty()) {
      for (std::size_t at = 0; at < result.nodes.size(); ++at) stepOf.emplace(result.nodes[at], at);
    }
    result.steps[i].link = stepOf.at(target);
  }
  return result;
}

void RunPreview(const DecisionTree& tree, const DocumentState& state, TreeNode* start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, const std::function<void(TreeNode* node)>& beforeStep,
                PathCopy pathCopy) {
  const TreeSteps run = StepsOfTree(tree);
  if (start == nullptr) start = tree.Root();
  const std::size_t first = static_cast<std::size_t>(std::find(run.nodes.begin(), run.nodes.end(), start) -
                                                     run.nodes.begin());
  // Tells the watcher the node of each step before its dialog shows.
  class WatchedDialogs final : public StepDialogPort {
   public:
    WatchedDialogs(StepDialogPort& dialogs, const std::vector<TreeNode*>& nodes,
                   const std::function<void(TreeNode* node)>& beforeStep)
        : dialogs_(dialogs), nodes_(nodes), beforeStep_(beforeStep) {}
    StepAnswer ShowStepDialog(const StepDescription& step) override {
      if (beforeStep_) beforeStep_(nodes_[step.index]);
      return dialogs_.ShowStepDialog(step);
    }

   private:
    StepDialogPort& dialogs_;
    const std::vector<TreeNode*>& nodes_;
    const std::function<void(TreeNode* node)>& beforeStep_;
  } watched(dialogs, run.nodes, beforeStep);
  RunPreview(run.steps, state, first, watched, taskbar, pathCopy);
}

}  // namespace velmora
