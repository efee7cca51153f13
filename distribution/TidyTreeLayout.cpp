#include "distribution/TidyTreeLayout.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace velmora {
namespace {

// Boxes are counted in 32 bits (a tree file cannot hold two thousand million
// lines): the nine lists of indices below then take half the room.
using Index = std::uint32_t;
constexpr Index kNone = ~Index{0};

// The working state of Buchheim's algorithm, one slot per box plus a
// zero-sized root above the top level that ties a forest together.
class TidyTree {
 public:
  TidyTree(const std::vector<LayoutItem>& items, double gap)
      : items_(items), gap_(gap), root_(static_cast<Index>(items.size())) {
    const std::size_t count = items.size() + 1;
    parent_.assign(count, kNone);
    firstChild_.assign(count, kNone);
    lastChild_.assign(count, kNone);
    previous_.assign(count, kNone);
    next_.assign(count, kNone);
    number_.assign(count, 0);
    prelim_.assign(count, 0);
    mod_.assign(count, 0);
    shift_.assign(count, 0);
    change_.assign(count, 0);
    thread_.assign(count, kNone);
    ancestor_.resize(count);
    defaultAncestor_.assign(count, kNone);
    for (Index v = 0; v < count; ++v) ancestor_[v] = v;
    for (Index v = 0; v < root_; ++v) {
      Link(v, items[v].parent == kNoLayoutParent ? root_ : static_cast<Index>(items[v].parent));
    }
  }

  // First walk in post-order, children left to right, without recursion:
  // the reverse of a pre-order that visits children right to left.
  void FirstWalk() {
    std::vector<Index> order;
    order.reserve(parent_.size());
    std::vector<Index> stack{root_};
    while (!stack.empty()) {
      const Index v = stack.back();
      stack.pop_back();
      order.push_back(v);
      for (Index w = firstChild_[v]; w != kNone; w = next_[w]) stack.push_back(w);
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) Finish(*it);
  }

  // Second walk: each box at its preliminary place plus its ancestors' mods.
  // Parents come before their children, so each mod becomes the sum down to
  // its box in place, and each place its centre: a large tree needs no
  // further lists for it. The walk ends the layout.
  std::vector<double> TakeCentres() {
    for (Index v = 0; v < root_; ++v) {
      const Index p = parent_[v];
      prelim_[v] += mod_[p];
      mod_[v] += mod_[p];
    }
    prelim_.pop_back();  // the tying root
    return std::move(prelim_);
  }

 private:
  void Link(Index v, Index parent) {
    parent_[v] = parent;
    if (firstChild_[parent] == kNone) {
      firstChild_[parent] = v;
      number_[v] = 1;
    } else {
      previous_[v] = lastChild_[parent];
      next_[lastChild_[parent]] = v;
      number_[v] = number_[lastChild_[parent]] + 1;
    }
    lastChild_[parent] = v;
  }

  double Size(Index v) const { return v == root_ ? 0 : items_[v].breadth; }
  // Centre-to-centre distance that keeps two neighbouring boxes apart.
  double Distance(Index left, Index right) const { return (Size(left) + Size(right)) / 2 + gap_; }
  Index NextLeft(Index v) const { return firstChild_[v] != kNone ? firstChild_[v] : thread_[v]; }
  Index NextRight(Index v) const { return lastChild_[v] != kNone ? lastChild_[v] : thread_[v]; }

  // Called once the subtrees of all of v's children are placed (and v's
  // left siblings are finished): v's own place, then v against its left
  // siblings.
  void Finish(Index v) {
    const Index left = previous_[v];
    if (firstChild_[v] == kNone) {
      prelim_[v] = left != kNone ? prelim_[left] + Distance(left, v) : 0;
    } else {
      ExecuteShifts(v);
      const double midpoint = (prelim_[firstChild_[v]] + prelim_[lastChild_[v]]) / 2;
      if (left != kNone) {
        prelim_[v] = prelim_[left] + Distance(left, v);
        mod_[v] = prelim_[v] - midpoint;
      } else {
        prelim_[v] = midpoint;
      }
    }
    if (v == root_) return;
    const Index p = parent_[v];
    if (defaultAncestor_[p] == kNone) defaultAncestor_[p] = firstChild_[p];
    Apportion(v, defaultAncestor_[p]);
  }

  // Pushes v's subtree right until, level by level, it clears the subtrees
  // of its left siblings; the shift is spread over the siblings between.
  void Apportion(Index v, Index& defaultAncestor) {
    const Index w = previous_[v];
    if (w == kNone) return;
    Index vip = v, vop = v, vim = w, vom = firstChild_[parent_[v]];
    double sip = mod_[vip], sop = mod_[vop], sim = mod_[vim], som = mod_[vom];
    while (NextRight(vim) != kNone && NextLeft(vip) != kNone) {
      vim = NextRight(vim);
      vip = NextLeft(vip);
      vom = NextLeft(vom);
      vop = NextRight(vop);
      ancestor_[vop] = v;
      const double shift = (prelim_[vim] + sim) - (prelim_[vip] + sip) + Distance(vim, vip);
      if (shift > 0) {
        MoveSubtree(Ancestor(vim, v, defaultAncestor), v, shift);
        sip += shift;
        sop += shift;
      }
      sim += mod_[vim];
      sip += mod_[vip];
      som += mod_[vom];
      sop += mod_[vop];
    }
    if (NextRight(vim) != kNone && NextRight(vop) == kNone) {
      thread_[vop] = NextRight(vim);
      mod_[vop] += sim - sop;
    }
    if (NextLeft(vip) != kNone && NextLeft(vom) == kNone) {
      thread_[vom] = NextLeft(vip);
      mod_[vom] += sip - som;
      defaultAncestor = v;
    }
  }

  Index Ancestor(Index vim, Index v, Index defaultAncestor) const {
    return parent_[ancestor_[vim]] == parent_[v] ? ancestor_[vim] : defaultAncestor;
  }

  void MoveSubtree(Index wm, Index wp, double shift) {
    const double subtrees = static_cast<double>(number_[wp] - number_[wm]);
    change_[wp] -= shift / subtrees;
    shift_[wp] += shift;
    change_[wm] += shift / subtrees;
    prelim_[wp] += shift;
    mod_[wp] += shift;
  }

  void ExecuteShifts(Index v) {
    double shift = 0, change = 0;
    for (Index w = lastChild_[v]; w != kNone; w = previous_[w]) {
      prelim_[w] += shift;
      mod_[w] += shift;
      change += change_[w];
      shift += shift_[w] + change;
    }
  }

  const std::vector<LayoutItem>& items_;
  double gap_;
  Index root_;
  std::vector<Index> parent_, firstChild_, lastChild_, previous_, next_, number_;
  std::vector<double> prelim_, mod_, shift_, change_;
  std::vector<Index> thread_, ancestor_, defaultAncestor_;
};

// The near edge of each level: levels follow each other at the depth of
// their deepest box plus the gap, so every box of a level lines up.
std::vector<double> LevelStarts(const std::vector<LayoutItem>& items, const std::vector<Index>& levels,
                                double levelGap, double& extent) {
  std::vector<double> deepest;
  for (std::size_t v = 0; v < items.size(); ++v) {
    if (levels[v] >= deepest.size()) deepest.resize(levels[v] + 1, 0);
    deepest[levels[v]] = std::max(deepest[levels[v]], items[v].depth);
  }
  std::vector<double> starts(deepest.size(), 0);
  double at = 0;
  for (std::size_t level = 0; level < deepest.size(); ++level) {
    starts[level] = at;
    at += deepest[level] + levelGap;
  }
  extent = deepest.empty() ? 0 : at - levelGap;
  return starts;
}

}  // namespace

TreeLayout LayoutTidyTree(const std::vector<LayoutItem>& items, const LayoutSpacing& spacing) {
  TreeLayout layout;
  if (items.empty()) return layout;
  // The algorithm's working state goes before the rest is worked out.
  const std::vector<double> centres = [&] {
    TidyTree tree(items, spacing.siblingGap);
    tree.FirstWalk();
    return tree.TakeCentres();
  }();

  std::vector<Index> levels(items.size(), 0);
  for (std::size_t v = 0; v < items.size(); ++v) {
    if (items[v].parent != kNoLayoutParent) levels[v] = levels[items[v].parent] + 1;
  }
  const std::vector<double> starts = LevelStarts(items, levels, spacing.levelGap, layout.depthExtent);

  // Shift everything so the leftmost edge is at 0.
  double low = centres[0] - items[0].breadth / 2, high = centres[0] + items[0].breadth / 2;
  for (std::size_t v = 0; v < items.size(); ++v) {
    low = std::min(low, centres[v] - items[v].breadth / 2);
    high = std::max(high, centres[v] + items[v].breadth / 2);
  }
  layout.breadthExtent = high - low;
  layout.places.resize(items.size());
  for (std::size_t v = 0; v < items.size(); ++v) {
    layout.places[v] = {centres[v] - low, starts[levels[v]]};
  }
  return layout;
}

}  // namespace velmora
