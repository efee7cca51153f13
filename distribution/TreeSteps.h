#pragma once
// A tree as a run reads it: the editor's preview and the command line's
// play run over the nodes of a tree the run leaves unchanged, so the steps
// are views of the node texts.

#include <cstddef>
#include <vector>

#include "document/DecisionTree.h"
#include "document/StepList.h"

namespace velmora {

// Every node of the tree in pre-order as a step, with the node of each.
struct TreeSteps {
  StepList steps;
  std::vector<TreeNode*> nodes;
};
TreeSteps StepsOfTree(const DecisionTree& tree);

}  // namespace velmora
