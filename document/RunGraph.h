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
// thousands of levels deep). Made only for a tree with declared fields or
// a second top-level node: a plain tree needs none of it.

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
  // Whether the node at `position` carries a link where only an end
  // follows one (a question that gained answers).
  bool LinkOnQuestion(std::size_t position) const { return Has(position, kQuestionLink); }
  // Whether the node at `position` is an end that goes on by its link.
  bool GoesOn(std::size_t position) const { return Has(position, kLinked); }
  // Whether the end at `position` goes on at an end the run passes at once
  // (one with a link and no message of its own).
  bool GoesOnAtASilentLink(std::size_t position) const { return Has(position, kChain); }
  // Whether the end at `position` goes on at one of its own questions.
  bool GoesBackUp(std::size_t position) const;
  // Whether runs were worked out: only links, or a second top-level node,
  // make a procedure more than a tree every run walks down to an end.
  bool Analysed() const { return analysed_; }
  // Whether some run from the root shows the node at `position`.
  bool Reached(std::size_t position) const { return Has(position, kReached); }
  // Whether a run at the node can still come to an end (one without a
  // link), whatever it was answered so far.
  bool CanEnd(std::size_t position) const { return Has(position, kCanEnd); }
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
  // An end whose link leads to an end the run passes at once.
  static constexpr std::uint8_t kChain = 128;
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  // What the nodes that carry fields hold, read in the table's order (no
  // order at all) before the walk: by ids, which the walk turns into
  // positions.
  struct Link {
    NodeId from;
    NodeId to;
  };
  struct Carried {
    std::vector<std::pair<NodeId, const LaterFields*>> fields;
    std::vector<Link> links;
    // By id from the tree's first: a link's target that the run passes at
    // once (an end with a link and no message). Set for every target that
    // has a link as they are read, kept by the walk only where that holds.
    std::vector<bool> passedAtOnce;
  };

  bool Has(std::size_t position, std::uint8_t flag) const { return (flags_[position] & flag) != 0; }
  static Carried ReadCarried(const DecisionTree& tree);
  std::vector<std::uint32_t> Index(const DecisionTree& tree, std::vector<bool>& passedAtOnce);
  void PlaceCarried(const Carried& carried, NodeId firstId, const std::vector<std::uint32_t>& positionById);
  void FindReached(const DecisionTree& tree);
  void FindCanEnd();

  std::vector<std::uint8_t> flags_;
  std::vector<std::uint32_t> parent_;
  // Where each end with a link goes on, by position (kNone for the rest):
  // read in order by every pass, so it needs neither sorting nor search.
  // Empty without links.
  std::vector<std::uint32_t> linkTo_;
  std::vector<PositionedLater> fields_;
  bool analysed_ = false;
  // Every node but the root is the first or last answer of its parent: a
  // run then reaches them all.
  bool allAnswered_ = true;
};

}  // namespace velmora
