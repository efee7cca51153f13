#pragma once
// Making and taking away links in the editor, and moving along them: the
// author marks an end as the link's source ("リンク元にする") and then picks
// its target in the tree ("リンク先に設定"), keyboard only if need be; Enter
// or a double click on a linked end goes to its target, and Alt+Left comes
// back the way it went.

#include <cstdint>
#include <vector>

#include "document/Editor.h"

namespace velmora {

// The link commands' state beside the document: the source marked, and the
// nodes left by going to a target. Both are forgotten when the document is
// replaced (another generation numbers its nodes anew).
class LinkCommands {
 public:
  explicit LinkCommands(Editor& editor) : editor_(editor) {}

  // "リンク元にする": for an end (a node without answers).
  bool CanMarkSource() const;
  void MarkSource();
  // "リンク先に設定": the marked source now continues at the selected node;
  // the source is selected again, to see the link in place.
  bool CanSetTarget() const;
  void SetTarget();
  // "続ける先を外す": the selected node's link goes; it is a plain end again.
  bool CanRemoveLink() const;
  void RemoveLink();
  // "続ける先へ移動": selects the target of the selected node's link.
  bool CanGoToTarget() const;
  void GoToTarget();
  // "リンク元へ戻る": back to the node last left by GoToTarget.
  bool CanGoBack() const;
  void GoBack();

 private:
  // The node `id` names in the document as it is now, or null.
  TreeNode* Current(NodeId id, std::uint64_t generation) const;

  Editor& editor_;
  NodeId source_ = 0;
  std::uint64_t sourceGeneration_ = 0;
  std::vector<NodeId> cameFrom_;
  std::uint64_t cameFromGeneration_ = 0;
};

}  // namespace velmora
