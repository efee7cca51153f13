#pragma once
// What the links make of a procedure for the check: which nodes a run from
// the root can reach, and from which nodes a run can still end. Without
// links a run always ends (every walk goes down a finite tree); a link can
// lead back, and a loop with no way out would catch the end user. On the
// way it notes which nodes carry declared fields, so the check looks up
// only theirs.
//
// Linear in the nodes plus the links, in flat arrays by pre-order
// position, with no lookup per node; never recurses (procedures may be
// thousands of levels deep).

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

class RunGraph {
 public:
  explicit RunGraph(const DecisionTree& tree);

  // The declared fields of the nodes that carry any besides a link, by
  // position, in pre-order: a walk over the tree meets them in this order,
  // with no lookup for the nodes that carry none. (A link is told by the
  // graph: GoesOn, LinkOnQuestion.)
  using PositionedLater = std::pair<std::uint32_t, const LaterFields*>;
  const std::vector<PositionedLater>& Fields() const { return fields_; }
  // The position of the node with `id`, or the number of nodes for none.
  std::size_t PositionOf(NodeId id) const;
  // Whether the node at `position` carries a link where only an end
  // follows one (a question that gained answers).
  bool LinkOnQuestion(std::size_t position) const { return (flags_[position] & kQuestionLink) != 0; }
  // Whether the node at `position` is an end that goes on by its link.
  bool GoesOn(std::size_t position) const { return (flags_[position] & kLinked) != 0; }
  // Whether the end at `position` goes on at an end that goes on too.
  bool GoesOnAtALink(std::size_t position) const { return (flags_[position] & kChain) != 0; }
  // Whether runs were worked out: only links, or a second top-level node,
  // make a procedure more than a tree every run walks down to an end.
  bool Analysed() const { return analysed_; }
  // Whether some run from the root shows the node at `position`.
  bool Reached(std::size_t position) const { return (flags_[position] & kReached) != 0; }
  // Whether a run at the node can still come to an end (one without a
  // link), whatever it was answered so far.
  bool CanEnd(std::size_t position) const { return (flags_[position] & kCanEnd) != 0; }
  // The top of a part no run reaches: a stray top-level node, or a node
  // whose parent is reached but never leads to it. The middle answers of a
  // node with more than two are left out: the check names them at the
  // parent.
  bool FirstUnreached(std::size_t position) const;

 private:
  static constexpr std::uint8_t kReached = 1;
  static constexpr std::uint8_t kCanEnd = 2;
  // The node is its parent's first or last answer: where Yes and No lead.
  static constexpr std::uint8_t kAnswered = 4;
  // The node has answers.
  static constexpr std::uint8_t kQuestion = 8;
  // An end with a link; a node some link leads to.
  static constexpr std::uint8_t kLinked = 16;
  static constexpr std::uint8_t kTarget = 32;
  static constexpr std::uint8_t kQuestionLink = 64;
  // An end whose link leads to another end with a link.
  static constexpr std::uint8_t kChain = 128;
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  void Index(const DecisionTree& tree);
  void FindLinks(const DecisionTree& tree);
  void FindReached(const DecisionTree& tree);
  void FindCanEnd();
  std::uint32_t LinkOf(std::uint32_t position) const;

  std::vector<std::uint8_t> flags_;
  std::vector<std::uint32_t> parent_;
  // Each node's position by its id, counted from the tree's first id.
  std::vector<std::uint32_t> positionById_;
  NodeId firstId_ = 0;
  // Each end a run leaves by its link, with the position it goes on at
  // (sorted by the end's position where a walk needs to look them up).
  std::vector<std::pair<std::uint32_t, std::uint32_t>> links_;
  std::vector<PositionedLater> fields_;
  bool analysed_ = false;
  // Every node but the root is the first or last answer of its parent: a
  // run then reaches them all.
  bool allAnswered_ = true;
};

}  // namespace velmora
