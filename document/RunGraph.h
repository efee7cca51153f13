#pragma once
// What the links make of a procedure for the check: which nodes a run from
// the root can reach, and from which nodes a run can still end. Without
// links a run always ends (every walk goes down a finite tree); a link can
// lead back, and a loop with no way out would catch the end user.
//
// Linear in the nodes plus the links, in arrays by pre-order position;
// never recurses (procedures may be thousands of levels deep).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

class RunGraph {
 public:
  explicit RunGraph(const DecisionTree& tree);

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
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  void Index(const DecisionTree& tree);
  void FindReached();
  void FindCanEnd();

  std::vector<std::uint8_t> flags_;
  std::vector<std::uint32_t> parent_;
  std::vector<std::uint32_t> lastChild_;
  // Each end that a run leaves by its link, with the position it goes on at.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> links_;
};

}  // namespace velmora
